#include "media/CCommandLog.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

CCommandLog::CCommandLog(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) {
        return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    m_fd = fd;
}

CCommandLog::~CCommandLog() {
    if (m_fd >= 0) {
        close(m_fd);
    }
}

void CCommandLog::Write(const std::string& text) {
    std::size_t done = 0;
    while (m_fd >= 0 && done < text.size()) {
        const ssize_t written = write(m_fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::string CCommandLog::TimeStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[32] = {};
    if (localtime_r(&now, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local) == 0) {
        return {};
    }
    return text;
}
