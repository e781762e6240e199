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
    const auto status = fs::status(CDurableFile::Target(path), ec);
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none) {
        return false;
    }
    return CDurableFile::Replace(path, text);
}
