#pragma once

#include <string>

// Where the launcher "misc/ffmpeg" finds the system's FFmpeg command-line tool, and the exit
// codes by which it tells the program that there is none it can run.
class CConverterTool {
public:
    static constexpr int kNotFound = 127;
    static constexpr int kCannotRun = 126;
    static constexpr const char* kOverride = "QUORVEL_FFMPEG";

    // override (the value of QUORVEL_FFMPEG) when set, else the first executable "ffmpeg" in
    // an absolute folder of searchPath that is not self (the launcher); empty when none.
    static std::string Find(const char* override, const char* searchPath, const std::string& self);
    static bool MeansNoTool(int exitCode) {
        return exitCode == kNotFound || exitCode == kCannotRun;
    }
};
