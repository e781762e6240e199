// The converter the program runs: translates the program's arguments for the system's FFmpeg
// command-line tool and replaces itself with it.
#include "media/CConverterArgs.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {
constexpr const char* kTool = "/usr/bin/ffmpeg";
}

int main(int argc, char** argv) {
    const std::vector<std::string> translated =
        CConverterArgs::Translate(std::vector<std::string>(argv + 1, argv + argc));
    std::vector<char*> pointers{const_cast<char*>(kTool)};
    for (const std::string& arg : translated) {
        pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    execv(kTool, pointers.data());
    std::fprintf(stderr, "%s: %s\n", kTool, std::strerror(errno));
    return 127;
}
