#pragma once

#include <string>

// Names of the working and progress files made beside a source file. The extension is what
// follows the last "." of the file name only: a dot in a folder name never counts.
class CWorkPaths {
public:
    // The full path without its extension; the path itself when the file name has none.
    static std::string Stem(const std::string& path);
    // Stem(path) + "." + extension.
    static std::string ReplaceExtension(const std::string& path, const std::string& extension);
    // True when path ends with suffix, letters compared without regard to case.
    static bool EndsWithNoCase(const std::string& path, const std::string& suffix);

    // The working files an open makes beside source: video, still picture.
    static std::string WorkVideo(const std::string& source);
    static std::string WorkImage(const std::string& source);
    // The lock file that marks the working files of source as in use.
    static std::string WorkLock(const std::string& source);
};
