#include "cli/CRenderCommand.h"

#include "cli/CSaveCommand.h"
#include "cli/CSourceOpen.h"
#include "cli/CTrackCommand.h"
#include "cli/CWorkStream.h"
#include "media/CAviVideoStream.h"
#include "media/CWorkPaths.h"
#include "mosaic/CMosaicParam.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>

namespace fs = std::filesystem;

namespace {

constexpr int kLastTypeId = 9;

// The same file by any name: after resolving links, or another hard link of it.
bool SameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    const fs::path resolvedA = fs::weakly_canonical(a, error);
    const fs::path resolvedB = error ? fs::path() : fs::weakly_canonical(b, error);
    if (!error && resolvedA == resolvedB) {
        return true;
    }
    return fs::equivalent(a, b, error) && !error;
}

template <typename Number> bool ParseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && stop == end;
}

// L,T,R,B with L < R and T < B.
bool ParseRect(const std::string& text, T_RECT& rect) {
    std::int32_t* const sides[] = {&rect.left, &rect.top, &rect.right, &rect.bottom};
    std::size_t from = 0;
    for (std::size_t i = 0; i < std::size(sides); ++i) {
        const std::size_t comma = i + 1 < std::size(sides) ? text.find(',', from) : text.size();
        if (comma == std::string::npos ||
            !ParseNumber(text.substr(from, comma - from), *sides[i])) {
            return false;
        }
        from = comma + 1;
    }
    return !rect.IsEmpty();
}

// An option without a value: it only has to be there.
std::function<bool(const std::string&)> Flag(bool& flag) {
    return [&flag](const std::string&) {
        flag = true;
        return true;
    };
}

} // namespace

CRenderCommand::CRenderCommand() {
    m_options = {
        {"--help", false, Flag(m_help)},
        {"--frame", true, [this](const std::string& v) { return ParseNumber(v, m_frame); }},
        {"--deinterlace", false, Flag(m_deinterlace)},
        {"--source", false, Flag(m_source)},
        {"--save", false, Flag(m_save)},
        {"--track", false, Flag(m_track)},
        {"--back", false, Flag(m_back)},
        {"--rect", true,
         [this](const std::string& v) {
             T_RECT rect;
             if (!ParseRect(v, rect)) {
                 return false;
             }
             m_rect = rect;
             return true;
         }},
        {"--profile", true,
         [this](const std::string& v) {
             int number = 0;
             if (!ParseNumber(v, number) || number < 1) {
                 return false;
             }
             m_profile = number;
             return true;
         }},
        {"--type", true,
         [this](const std::string& v) {
             int id = 0;
             if (!ParseNumber(v, id) || id < 0 || id > kLastTypeId) {
                 return false;
             }
             m_type = id;
             return true;
         }},
    };
}

std::string CRenderCommand::Usage() {
    return "Usage: quorvel-render [--source] [--frame N] [--deinterlace] [--type ID] WORKFILE "
           "OUTPUT.bmp\n"
           "       quorvel-render --save [--profile N] [--deinterlace] [--type ID] SOURCE TARGET\n"
           "       quorvel-render --track [--back] [--frame N] --rect L,T,R,B SOURCE\n"
           "Renders frame N (default 0) of WORKFILE, an AVI movie or a 24-bit bitmap, with the\n"
           "mosaic of its progress files (WORKFILE's name with the extensions eft and eftm),\n"
           "into the bitmap file OUTPUT.bmp. OUTPUT must end in .bmp and is never WORKFILE,\n"
           "its working files or its progress files. Other movies need --source.\n"
           "  --frame N       frame to render, kept within the movie's frame range\n"
           "  --deinterlace   copy each even row over the odd row below it\n"
           "  --type ID       mosaic type 0-9 instead of the saved one: 0-3 pixelation (extra\n"
           "                  large to small), 4 frosted glass, 5 inversion, 6 black fill,\n"
           "                  7-9 blur (strong to weak); the size becomes the type's default\n"
           "  --source        WORKFILE is a source file of any kind the program opens (movie\n"
           "                  or image): it is converted as the program does, into working\n"
           "                  files beside it that are removed at the end; the progress files\n"
           "                  then follow the working file's name\n"
           "  --save          open SOURCE as the program does (conversion, sound separation),\n"
           "                  load the progress files of its working file and save the movie\n"
           "                  or picture with its mosaic and sound to TARGET, in the format\n"
           "                  of TARGET's extension; the working files are removed at the end;\n"
           "                  Ctrl+C cancels and keeps an existing TARGET\n"
           "  --profile N     with --save: conversion profile N (from 1) of profile_x64.ini\n"
           "                  instead of the first one whose filter names TARGET's extension\n"
           "  --track         open SOURCE as --save does, follow the subject inside the\n"
           "                  rectangle given by --rect from frame N on, frame by frame, and add\n"
           "                  the frames followed to the progress files of its working file as\n"
           "                  a new track; it stops at the movie's end or where it loses the\n"
           "                  subject, which it reports with exit code 3 (the frames before\n"
           "                  are saved); Ctrl+C cancels and saves nothing\n"
           "  --rect L,T,R,B  with --track: the subject on frame N, in picture pixels (left,\n"
           "                  top, right and bottom, the last two exclusive)\n"
           "  --back          with --track: follow the subject toward the movie's start\n"
           "  --help          show this text\n";
}

bool CRenderCommand::Parse(const std::vector<std::string>& args) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            if (!ParseOption(args, i)) {
                return false;
            }
        } else {
            m_positional.push_back(arg);
        }
    }
    if (m_help) {
        return true;
    }
    if (m_track || m_back || m_rect) {
        return ParseTrack();
    }
    if (m_positional.size() != 2) {
        return Fail(m_save ? "expected SOURCE and TARGET (see --help)"
                           : "expected WORKFILE and OUTPUT.bmp (see --help)");
    }
    if (!m_save && !CWorkPaths::EndsWithNoCase(m_positional[1], ".bmp")) {
        return Fail("OUTPUT must end in .bmp: " + m_positional[1]);
    }
    return true;
}

bool CRenderCommand::ParseTrack() {
    if (!m_track) {
        return Fail("--back and --rect go with --track (see --help)");
    }
    if (m_save || m_source) {
        return Fail("--track goes with neither --save nor --source (see --help)");
    }
    if (!m_rect) {
        return Fail("--track needs --rect L,T,R,B (see --help)");
    }
    if (m_positional.size() != 1) {
        return Fail("expected SOURCE (see --help)");
    }
    return true;
}

bool CRenderCommand::ParseOption(const std::vector<std::string>& args, std::size_t& i) {
    const auto option = std::find_if(m_options.begin(), m_options.end(),
                                     [&](const Option& o) { return o.name == args[i]; });
    if (option == m_options.end()) {
        return Fail("unknown option " + args[i]);
    }
    std::string value;
    if (option->takesValue) {
        if (i + 1 >= args.size()) {
            return Fail(option->name + " needs a value");
        }
        value = args[++i];
    }
    if (!option->apply(value)) {
        return Fail("bad value for " + option->name + ": " + value);
    }
    return true;
}

bool CRenderCommand::Fail(const std::string& message) {
    m_error = message;
    return false;
}

int CRenderCommand::Run(std::ostream& out, std::ostream& err) const {
    if (m_help) {
        out << Usage();
        return kOk;
    }
    if (m_track) {
        return CTrackCommand(m_positional[0], {m_frame, *m_rect, m_back}).Run(out, err);
    }
    if (m_save) {
        return CSaveCommand(m_positional[0], m_positional[1], {m_profile, m_type, m_deinterlace})
            .Run(err);
    }
    return RenderFrame(err);
}

int CRenderCommand::RenderFrame(std::ostream& err) const {
    if (const std::string input = InputFileAt(m_positional[1]); !input.empty()) {
        err << "quorvel-render: OUTPUT would overwrite " << input << "\n";
        return kBadArguments;
    }
    if (m_source) {
        return RenderSource(err);
    }
    return RenderWorkFile(m_positional[0], {}, {}, nullptr, err);
}

std::string CRenderCommand::InputFileAt(const std::string& output) const {
    const std::string& input = m_positional[0];
    const std::string workVideo = CWorkPaths::WorkVideo(input);
    const std::string kept[] = {input,
                                CWorkPaths::ReplaceExtension(input, "eft"),
                                CWorkPaths::ReplaceExtension(input, "eftm"),
                                workVideo,
                                CWorkPaths::WorkImage(input),
                                CWorkPaths::WorkLock(input),
                                CWorkPaths::ReplaceExtension(workVideo, "eft"),
                                CWorkPaths::ReplaceExtension(workVideo, "eftm")};
    for (const std::string& path : kept) {
        if (SameFile(output, path)) {
            return path;
        }
    }
    return {};
}

// The working files the open made go with the stream; the source itself is never touched.
int CRenderCommand::RenderSource(std::ostream& err) const {
    const std::string& source = m_positional[0];
    CSourceOpen opener;
    if (!opener.Open(source)) {
        err << "quorvel-render: cannot open " << source << "\n";
        return kFailed;
    }
    return RenderWorkFile(opener.WorkPath(), std::filesystem::path(source).filename().string(),
                          opener.TakeWorkFiles(), opener.TakeReader(), err);
}

int CRenderCommand::RenderWorkFile(const std::string& workFile, const std::string& sourceName,
                                   CWorkFiles workFiles, std::unique_ptr<CSourceReader> reader,
                                   std::ostream& err) const {
    const std::string& output = m_positional[1];
    CWorkStream work(workFile, m_type, m_deinterlace, std::move(workFiles));
    work.Stream().m_strSourceName = sourceName;
    work.Stream().ReadInPlace(std::move(reader));
    if (!work.Open()) {
        err << "quorvel-render: cannot open " << workFile << "\n";
        return kFailed;
    }
    CAviVideoStream& stream = work.Stream();
    if (!m_source && !IsAvi(stream)) {
        err << "quorvel-render: " << workFile
            << " is neither an AVI movie nor a 24-bit bitmap; use --source to convert it\n";
        return kBadArguments;
    }
    stream.m_nCurrentFrame = std::max(stream.m_nFirstFrame, std::min(m_frame, stream.m_nLastFrame));
    if (stream.SaveFrameBitmap(output) == 0) {
        err << "quorvel-render: cannot write " << output << "\n";
        return kFailed;
    }
    return kOk;
}

// Frame numbers are picture indexes only in AVI files; other movies go through the open pipeline.
bool CRenderCommand::IsAvi(const CAviVideoStream& stream) {
    return stream.IsStillImage() ||
           (stream.m_pFormatContext &&
            std::string_view(stream.m_pFormatContext->iformat->name) == "avi");
}
