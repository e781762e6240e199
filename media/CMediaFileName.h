#pragma once

#include <string>

// File names as FFmpeg must be given them. FFmpeg reads a name that starts with letters and a
// colon ("a:b.mp4", "pipe:1") as a protocol, and "-" as a standard stream; such a relative name
// gets the "file:" protocol, so it always means the file of that name.
class CMediaFileName {
public:
    static std::string ForFFmpeg(const std::string& path);
};
