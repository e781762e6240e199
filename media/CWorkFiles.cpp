#include "media/CWorkFiles.h"

#include "media/CWorkPaths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>

namespace {

// A holder that lets go deletes the lock file before it unlocks, so a lock won on a file whose
// name now leads elsewhere (or nowhere) has lost the race and must be tried again.
bool StillNamed(int fd, const std::string& path) {
    struct stat byFd {};
    struct stat byName {};
    return fstat(fd, &byFd) == 0 && lstat(path.c_str(), &byName) == 0 &&
           byFd.st_dev == byName.st_dev && byFd.st_ino == byName.st_ino;
}

constexpr int kRaceAttempts = 8;

} // namespace

CWorkFiles::~CWorkFiles() {
    Remove();
}

CWorkFiles::CWorkFiles(CWorkFiles&& other) noexcept
    : m_files(std::exchange(other.m_files, {})), m_lockPath(std::exchange(other.m_lockPath, {})),
      m_lockFd(std::exchange(other.m_lockFd, -1)) {}

CWorkFiles& CWorkFiles::operator=(CWorkFiles&& other) noexcept {
    if (this != &other) {
        Remove();
        m_files = std::exchange(other.m_files, {});
        m_lockPath = std::exchange(other.m_lockPath, {});
        m_lockFd = std::exchange(other.m_lockFd, -1);
    }
    return *this;
}

CWorkFiles::Claim CWorkFiles::Lock(const std::string& source) {
    Remove();
    const std::string path = CWorkPaths::WorkLock(source);
    for (int attempt = 0; attempt < kRaceAttempts; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0) {
            return Claim::Failed;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            close(fd);
            return busy ? Claim::InUse : Claim::Failed;
        }
        if (StillNamed(fd, path)) {
            m_lockPath = path;
            m_lockFd = fd;
            return Claim::Taken;
        }
        close(fd);
    }
    return Claim::Failed;
}

void CWorkFiles::Add(const std::string& path) {
    if (m_lockFd < 0 || Holds(path)) {
        return;
    }
    unlink(path.c_str());
    m_files.push_back(path);
}

void CWorkFiles::Remove() {
    for (const std::string& path : m_files) {
        unlink(path.c_str());
    }
    m_files.clear();
    if (m_lockFd >= 0) {
        unlink(m_lockPath.c_str());
        close(m_lockFd);
    }
    m_lockFd = -1;
    m_lockPath.clear();
}

bool CWorkFiles::Holds(const std::string& path) const {
    return std::find(m_files.begin(), m_files.end(), path) != m_files.end();
}
