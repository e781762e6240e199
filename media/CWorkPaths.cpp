#include "media/CWorkPaths.h"

#include "platform/CAsciiText.h"

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
    return suffix.size() <= path.size() &&
           CAsciiText::EqualNoCase(std::string_view(path).substr(path.size() - suffix.size()),
                                   suffix);
}

std::string CWorkPaths::WorkVideo(const std::string& source) {
    return Stem(source) + ".$tmp$.avi";
}

std::string CWorkPaths::WorkImage(const std::string& source) {
    return Stem(source) + ".$tmp$.bmp";
}

std::string CWorkPaths::WorkLock(const std::string& source) {
    return Stem(source) + ".$tmp$.lock";
}
