#include "media/CPipedProfile.h"

#include <algorithm>
#include <string_view>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/avutil.h>
}

namespace {

constexpr std::string_view kInput = "<%input%>";
constexpr std::string_view kOutput = "<%output%>";
constexpr std::string_view kAvOptions = "<AVOptions>";

bool IsSoundCodecOption(std::string_view word) {
    return word == "-c:a" || word == "-acodec" || word == "-codec:a";
}

bool IsSoundRateOption(std::string_view word) {
    return word == "-b:a" || word == "-ab";
}

// The launcher takes every input name for a file; this one is the pipe all the same.
constexpr const char* kPipe = "/dev/stdin";

std::string Rate(AVRational rate) {
    return std::to_string(rate.num) + "/" + std::to_string(rate.den);
}

// The input option that starts the source's sound at offset; none at the file's start.
std::string SoundSkip(std::int64_t offset) {
    if (offset <= 0) {
        return {};
    }
    // Whole microseconds, written without the locale's decimal sign.
    const std::string micros = std::to_string(offset % AV_TIME_BASE);
    return " -ss " + std::to_string(offset / AV_TIME_BASE) + "." +
           std::string(6 - micros.size(), '0') + micros;
}

} // namespace

bool CPipedProfile::Understood(const std::vector<std::string>& words) {
    const auto inputs = std::count(words.begin(), words.end(), "-i");
    const auto at = std::find(words.begin(), words.end(), "-i");
    const bool oneInput = inputs == 1 && at + 1 != words.end() && *(at + 1) == kInput;
    const bool outputOnce = std::count(words.begin(), words.end(), kOutput) == 1;
    // A placeholder inside a word or a map of its own would mean something the pipe changes.
    const bool plainWords = std::none_of(words.begin(), words.end(), [](const std::string& word) {
        return word == "-map" || word.starts_with("-filter_complex") ||
               (word.find("<%") != std::string::npos && word != kInput && word != kOutput);
    });
    return oneInput && outputOnce && plainWords;
}

bool CPipedProfile::CopiesSound(const std::vector<std::string>& words, int soundCodec) {
    for (std::size_t i = 0; soundCodec != 0 && i + 1 < words.size(); ++i) {
        if (IsSoundCodecOption(words[i])) {
            const AVCodec* encoder = avcodec_find_encoder_by_name(words[i + 1].c_str());
            return encoder != nullptr && encoder->id == soundCodec;
        }
    }
    return false;
}

void CPipedProfile::AddInputs(CConverterCommand& command, const Pictures& pictures,
                              const std::string& source) {
    command.AddOptions(std::string(command.Text().empty() ? "" : " ") +
                       "-f rawvideo -pix_fmt yuv420p -video_size " +
                       std::to_string(pictures.width) + "x" + std::to_string(pictures.height) +
                       " -framerate " + Rate(pictures.rate) + " -i " + kPipe +
                       SoundSkip(pictures.sourceOffset) + " -i ");
    command.AddPath(source);
    command.AddOptions(" -map 0:v -map 1:a:0?");
}

std::optional<CConverterCommand> CPipedProfile::Command(const std::string& templ,
                                                        const Pictures& pictures,
                                                        const std::string& source, int soundCodec,
                                                        const std::string& output) {
    const std::vector<std::string> words = CConverterCommand::SplitTemplate(templ);
    if (!Understood(words) || pictures.width <= 0 || pictures.height <= 0 ||
        pictures.rate.num <= 0 || pictures.rate.den <= 0) {
        return std::nullopt;
    }
    const bool copy = CopiesSound(words, soundCodec);
    CConverterCommand command;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "-i") {
            AddInputs(command, pictures, source);
            ++i;
        } else if (word == kOutput) {
            command.AddOptions(" ").AddPath(output);
        } else if (copy && IsSoundCodecOption(word) && i + 1 < words.size()) {
            command.AddArgument(word).AddArgument("copy");
            ++i;
        } else if (copy && IsSoundRateOption(word)) {
            ++i;
        } else if (word != kAvOptions) {
            command.AddArgument(word);
        }
    }
    return command;
}
