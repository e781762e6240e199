#include "media/CConverterTool.h"

#include <unistd.h>

#include <filesystem>
#include <string_view>

namespace {

namespace fs = std::filesystem;

// As execvp searches when PATH is not set.
constexpr const char* kDefaultSearchPath = "/usr/bin:/bin";

bool IsRunnable(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// The launcher itself is often called ffmpeg and may lie on PATH: it would start itself forever.
bool IsSelf(const fs::path& candidate, const std::string& self) {
    std::error_code error;
    return !self.empty() && fs::equivalent(candidate, self, error);
}

} // namespace

std::string CConverterTool::Find(const char* override, const char* searchPath,
                                 const std::string& self) {
    if (override != nullptr && *override != '\0') {
        return IsRunnable(override) && !IsSelf(override, self) ? override : "";
    }
    std::string_view folders = searchPath != nullptr ? searchPath : kDefaultSearchPath;
    while (!folders.empty()) {
        const std::size_t colon = folders.find(':');
        const fs::path folder(folders.substr(0, colon));
        folders.remove_prefix(colon == std::string_view::npos ? folders.size() : colon + 1);
        // A relative folder would make the tool depend on the current directory.
        if (!folder.is_absolute()) {
            continue;
        }
        const fs::path candidate = folder / "ffmpeg";
        if (IsRunnable(candidate) && !IsSelf(candidate, self)) {
            return candidate.string();
        }
    }
    return {};
}
