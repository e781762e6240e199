// The converter the program runs: translates the program's arguments for the system's FFmpeg
// command-line tool and replaces itself with it.
#include "media/CConverterArgs.h"
#include "media/CConverterTool.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::error_code error;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const std::string tool =
        CConverterTool::Find(std::getenv(CConverterTool::kOverride), std::getenv("PATH"), self);
    if (tool.empty()) {
        std::fprintf(stderr, "ffmpeg: no FFmpeg command-line tool found (PATH, %s)\n",
                     CConverterTool::kOverride);
        return CConverterTool::kNotFound;
    }
    const std::vector<std::string> translated =
        CConverterArgs::Translate(std::vector<std::string>(argv + 1, argv + argc));
    std::vector<char*> pointers{const_cast<char*>(tool.c_str())};
    for (const std::string& arg : translated) {
        pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    execv(tool.c_str(), pointers.data());
    std::fprintf(stderr, "%s: %s\n", tool.c_str(), std::strerror(errno));
    return errno == ENOENT ? CConverterTool::kNotFound : CConverterTool::kCannotRun;
}
