#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>
#include <ostream>
#include <string>

struct CTrackResult;

// quorvel-render --track: opens a source as the program does, follows the subject inside a
// rectangle from a frame on, forward or backward, and adds what it followed to the progress
// files of the source's working file as a new track, saved as the program saves its progress.
class CTrackCommand {
public:
    // Exit code when the subject was lost: the frames before the loss are saved.
    static constexpr int kLost = 3;

    struct Options {
        std::int64_t frame = 0;
        T_RECT rect;
        bool backward = false;
    };

    CTrackCommand(std::string source, Options options);

    // Exit code; the outcome in one line on out, or on err after a loss or a failure.
    int Run(std::ostream& out, std::ostream& err) const;

private:
    // What to tell the user about a finished run, and its exit code.
    static int Report(const CTrackResult& result, std::ostream& out, std::ostream& err);

    std::string m_source;
    Options m_options;
};
