#include "platform/CDurableFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

void RemoveQuietly(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

// Makes the rename itself durable; a folder that cannot be synced still holds the new name.
void SyncFolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool CDurableFile::WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string CDurableFile::TempPath(const std::string& path) {
    // An empty path names no file; ".tmp" would land in the working folder.
    return path.empty() ? std::string() : path + ".tmp";
}

bool CDurableFile::Write(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed) {
        return true;
    }
    RemoveQuietly(path);
    return false;
}

bool CDurableFile::SyncFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

bool CDurableFile::MoveOver(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error) {
        SyncFolderOf(to);
        return true;
    }
    RemoveQuietly(from);
    return false;
}

std::string CDurableFile::Target(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_symlink(path, error)) {
        return path;
    }
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    return error ? path : target.string();
}

bool CDurableFile::Replace(const std::string& path, std::string_view bytes) {
    const std::string target = Target(path);
    const std::string temp = TempPath(target);
    if (!Write(temp, bytes)) {
        return false;
    }
    std::error_code error;
    const auto status = std::filesystem::status(target, error);
    if (!error && std::filesystem::exists(status)) {
        std::filesystem::permissions(temp, status.permissions(), error);
    }
    return MoveOver(temp, target);
}
