#include "media/CConverterArgs.h"

#include "media/CMediaFileName.h"
#include "media/CWorkPaths.h"

#include <algorithm>

namespace {

// The value after "-i" is a file name and is never taken for an option.
bool IsInputName(const std::vector<std::string>& args, std::size_t i) {
    return i > 0 && args[i - 1] == "-i";
}

bool IsAudioFilterOption(const std::string& arg) {
    return arg == "-af" || arg == "-filter:a";
}

// A picture file name that the image sequence reader would take for a numbered pattern.
bool IsPercentPictureName(const std::string& name) {
    return name.find('%') != std::string::npos &&
           (CWorkPaths::EndsWithNoCase(name, ".bmp") || CWorkPaths::EndsWithNoCase(name, ".jpg") ||
            CWorkPaths::EndsWithNoCase(name, ".jpeg") || CWorkPaths::EndsWithNoCase(name, ".png"));
}

} // namespace

bool CConverterArgs::Has(const std::vector<std::string>& args, const std::string& option,
                         const std::string& value) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == option && args[i + 1] == value && !IsInputName(args, i)) {
            return true;
        }
    }
    return false;
}

bool CConverterArgs::HasOption(const std::vector<std::string>& args, const std::string& option) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == option && !IsInputName(args, i)) {
            return true;
        }
    }
    return false;
}

bool CConverterArgs::SetsRotateZero(const std::vector<std::string>& args) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i].starts_with("-metadata") && args[i + 1] == "rotate=0" &&
            !IsInputName(args, i)) {
            return true;
        }
    }
    return false;
}

bool CConverterArgs::CopiesAudio(const std::vector<std::string>& args) {
    return Has(args, "-acodec", "copy") || Has(args, "-c:a", "copy") ||
           Has(args, "-codec:a", "copy");
}

// "-async N" does nothing to copied sound; otherwise the resampler does the same job.
std::vector<std::string> CConverterArgs::MapAsync(const std::vector<std::string>& args) {
    const bool copies = CopiesAudio(args);
    std::vector<std::string> out;
    std::string resample;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-async" && i + 1 < args.size() && !IsInputName(args, i)) {
            const std::string& samples = args[++i];
            resample = copies ? "" : "aresample=async=" + samples;
            continue;
        }
        out.push_back(args[i]);
    }
    if (resample.empty()) {
        return out;
    }
    const auto filter = std::find_if(out.begin(), out.end(), IsAudioFilterOption);
    if (filter != out.end() && filter + 1 != out.end()) {
        *(filter + 1) += "," + resample;
        return out;
    }
    const auto place = out.empty() ? out.end() : out.end() - 1;
    out.insert(out.insert(place, resample), "-af");
    return out;
}

std::vector<std::string> CConverterArgs::RenameOptions(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (IsInputName(args, i)) {
            out.push_back(args[i]);
        } else if (args[i] == "-b") {
            out.push_back("-b:v");
        } else if (args[i] != "-sameq") {
            out.push_back(args[i]);
        }
    }
    return out;
}

// The tool now turns the picture by itself; the program's own turn would be a second one.
std::vector<std::string> CConverterArgs::AddNoAutorotate(const std::vector<std::string>& args) {
    if (!SetsRotateZero(args)) {
        return args;
    }
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-i" && !IsInputName(args, i)) {
            out.push_back("-noautorotate");
        }
        out.push_back(args[i]);
    }
    return out;
}

// Without constant frame rate an AVI gets holes and its timestamps stop being frame indexes.
std::vector<std::string> CConverterArgs::AddConstantRate(std::vector<std::string> args) {
    if (args.empty() || !HasOption(args, "-r") || HasOption(args, "-fps_mode") ||
        HasOption(args, "-vsync")) {
        return args;
    }
    args.insert(args.end() - 1, {"-fps_mode", "cfr"});
    return args;
}

// A "%" in a picture's name is part of the name, never a frame number pattern.
std::vector<std::string> CConverterArgs::KeepPercentNames(const std::vector<std::string>& args) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-i" && !IsInputName(args, i) && i + 1 < args.size() &&
            IsPercentPictureName(args[i + 1])) {
            out.insert(out.end(), {"-pattern_type", "none"});
        }
        out.push_back(args[i]);
    }
    if (Has(out, "-f", "image2") && !HasOption(out, "-update") && !out.empty() &&
        out.back().find('%') != std::string::npos) {
        out.insert(out.end() - 1, {"-update", "1"});
    }
    return out;
}

// The inputs and the output (the last argument) are file names, never protocols.
std::vector<std::string> CConverterArgs::ProtectFileNames(std::vector<std::string> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (IsInputName(args, i) || i + 1 == args.size()) {
            args[i] = CMediaFileName::ForFFmpeg(args[i]);
        }
    }
    return args;
}

std::vector<std::string> CConverterArgs::Translate(const std::vector<std::string>& args) {
    std::vector<std::string> out{"-nostdin"};
    for (std::string& arg : ProtectFileNames(
             KeepPercentNames(AddConstantRate(AddNoAutorotate(MapAsync(RenameOptions(args))))))) {
        out.push_back(std::move(arg));
    }
    return out;
}
