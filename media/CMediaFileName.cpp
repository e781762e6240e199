#include "media/CMediaFileName.h"

std::string CMediaFileName::ForFFmpeg(const std::string& path) {
    const bool relative = !path.empty() && path.front() != '/';
    if (relative && (path.find(':') != std::string::npos || path == "-")) {
        return "file:" + path;
    }
    return path;
}
