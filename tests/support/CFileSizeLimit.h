#pragma once

#include <sys/resource.h>

#include <csignal>

// While it lives, no file of this process grows beyond limit bytes and a write past the limit
// fails as on a full disk (SIGXFSZ ignored); the old limit and signal action come back after.
class CFileSizeLimit {
public:
    explicit CFileSizeLimit(rlim_t limit) {
        m_oldAction = std::signal(SIGXFSZ, SIG_IGN);
        if (getrlimit(RLIMIT_FSIZE, &m_old) == 0) {
            const rlimit lowered{limit, m_old.rlim_max};
            m_active = setrlimit(RLIMIT_FSIZE, &lowered) == 0;
        }
    }
    ~CFileSizeLimit() {
        if (m_active) {
            setrlimit(RLIMIT_FSIZE, &m_old);
        }
        std::signal(SIGXFSZ, m_oldAction);
    }
    CFileSizeLimit(const CFileSizeLimit&) = delete;
    CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

    bool Active() const { return m_active; }

private:
    rlimit m_old{};
    void (*m_oldAction)(int) = SIG_DFL;
    bool m_active = false;
};
