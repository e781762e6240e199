#include "media/CCommandLog.h"

#include "platform/CDurableFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

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

bool CCommandLog::Write(const std::string& text) {
    if (m_fd < 0) {
        return false;
    }
    const off_t end = lseek(m_fd, 0, SEEK_END);
    if (CDurableFile::WriteAll(m_fd, text)) {
        return true;
    }
    // Text cut short by a full disk is taken back: the log holds whole entries only.
    if (end >= 0) {
        [[maybe_unused]] const int takenBack = ftruncate(m_fd, end);
    }
    return false;
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
