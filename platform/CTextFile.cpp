#include "platform/CTextFile.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

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

bool CTextFile::writeNew(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    out.flush();
    return bool(out);
}

bool CTextFile::WriteReplacing(const std::string& path, const std::string& text) {
    std::error_code ec;
    fs::path target = path;
    if (fs::is_symlink(target, ec)) {
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
    fs::path temp = target;
    temp += ".tmp" + std::to_string(::getpid());
    if (!writeNew(temp.string(), text)) {
        fs::remove(temp, ec);
        return false;
    }
    if (exists) {
        fs::permissions(temp, status.permissions(), ec);
    }
    fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}
