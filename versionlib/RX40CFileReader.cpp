#include "versionlib/RX40CFileReader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RX40CFileReader::RX40CFileReader(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(info.st_size);
}

RX40CFileReader::~RX40CFileReader() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

bool RX40CFileReader::Read(std::uint64_t offset, std::uint64_t size,
                           std::vector<std::uint8_t>& out) const {
    if (!IsOpen() || size > MaxRead || offset > m_size || size > m_size - offset) {
        return false;
    }
    out.resize(size);
    std::uint64_t done = 0;
    while (done < size) {
        const ssize_t got =
            ::pread(m_fd, out.data() + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return false;
        }
        done += static_cast<std::uint64_t>(got);
    }
    return true;
}
