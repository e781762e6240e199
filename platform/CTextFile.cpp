#include "platform/CTextFile.h"

#include "platform/CDurableFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

std::optional<std::string> CTextFile::Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return std::move(text).str();
}

bool CTextFile::WriteReplacing(const std::string& path, const std::string& text) {
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
        // Replace the file the link points to, not the link.
        target = fs::canonical(target, ec);
        if (ec) {
            return false;
        }
    }
    const auto status = fs::status(target, ec);
    const bool exists = fs::exists(status);
    if (exists && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return false;
    }
    const std::string temp = CDurableFile::TempPath(target.string());
    if (!CDurableFile::Write(temp, text)) {
        return false;
    }
    if (exists) {
        fs::permissions(temp, status.permissions(), ec);
    }
    return CDurableFile::MoveOver(temp, target.string());
}
