#include "media/CWorkPaths.h"

#include <algorithm>
#include <cctype>

std::string CWorkPaths::Stem(const std::string& path) {
    const std::size_t nameStart = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (nameStart != std::string::npos && dot < nameStart)) {
        return path;
    }
    return path.substr(0, dot);
}

std::string CWorkPaths::ReplaceExtension(const std::string& path, const std::string& extension) {
    return Stem(path) + "." + extension;
}

bool CWorkPaths::EndsWithNoCase(const std::string& path, const std::string& suffix) {
    if (suffix.size() > path.size()) {
        return false;
    }
    return std::equal(
        suffix.begin(), suffix.end(), path.end() - suffix.size(),
        [](unsigned char a, unsigned char b) { return std::tolower(a) == std::tolower(b); });
}
