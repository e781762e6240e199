#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

class CAviVideoStream;
class CSourceReader;
class CWorkFiles;

// quorvel-render: renders one frame of a working file (an AVI movie or a 24-bit bitmap), with
// the mosaic of its progress files, into a bitmap file; or, with --save, saves a whole source
// with its mosaic as the program's Save does; or, with --track, follows a subject into a new
// track of a source's progress files.
class CRenderCommand {
public:
    // Exit codes.
    static constexpr int kOk = 0;
    static constexpr int kFailed = 1;
    static constexpr int kBadArguments = 2;

    CRenderCommand();

    // Reads the arguments after the program name; false with Error() set when they are bad.
    bool Parse(const std::vector<std::string>& args);
    // Carries out the parsed command; messages go to err, the usage text to out.
    int Run(std::ostream& out, std::ostream& err) const;

    const std::string& Error() const { return m_error; }
    static std::string Usage();

private:
    struct Option {
        std::string name;
        bool takesValue;
        // Applies the value; false when it is not acceptable.
        std::function<bool(const std::string&)> apply;
    };

    bool ParseOption(const std::vector<std::string>& args, std::size_t& i);
    // The checks of --track and the options that go with it.
    bool ParseTrack();
    bool Fail(const std::string& message);
    int RenderFrame(std::ostream& err) const;
    static bool IsAvi(const CAviVideoStream& stream);
    // The input, or the working or progress file of it, that output names; empty for none.
    std::string InputFileAt(const std::string& output) const;
    int RenderSource(std::ostream& err) const;
    // sourceName: the file name of the movie the working file was made from; empty for none.
    // reader, when the open gave one, reads the source in place.
    int RenderWorkFile(const std::string& workFile, const std::string& sourceName,
                       CWorkFiles workFiles, std::unique_ptr<CSourceReader> reader,
                       std::ostream& err) const;

    std::vector<Option> m_options;
    std::vector<std::string> m_positional;
    std::string m_error;
    bool m_help = false;
    std::int64_t m_frame = 0;
    bool m_deinterlace = false;
    bool m_source = false;
    std::optional<int> m_type;
    bool m_save = false;
    std::optional<int> m_profile;
    bool m_track = false;
    bool m_back = false;
    std::optional<T_RECT> m_rect;
};
