#include "platform/CProcessRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace {

constexpr int kPollSliceMs = 5;

struct FileActions {
    posix_spawn_file_actions_t actions{};
    bool ready = false;
    FileActions() { ready = posix_spawn_file_actions_init(&actions) == 0; }
    ~FileActions() {
        if (ready) {
            posix_spawn_file_actions_destroy(&actions);
        }
    }
    FileActions(const FileActions&) = delete;
    FileActions& operator=(const FileActions&) = delete;

    // Input from /dev/null, output discarded, errors into the write end of errorPipe.
    bool SetStandardStreams(const int errorPipe[2]) {
        return ready &&
               posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_adddup2(&actions, errorPipe[1], 2) == 0;
    }
};

void CloseQuietly(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

} // namespace

CProcessRunner::~CProcessRunner() {
    while (m_pid > 0 && !m_finished && waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    CloseErrorPipe();
}

void CProcessRunner::CloseErrorPipe() {
    CloseQuietly(m_errorPipe);
}

bool CProcessRunner::Start(const std::string& program, const std::vector<std::string>& argv) {
    if (m_pid > 0) {
        return false;
    }
    int errorPipe[2] = {-1, -1};
    if (pipe2(errorPipe, O_CLOEXEC) != 0) {
        return false;
    }
    FileActions actions;
    if (!actions.SetStandardStreams(errorPipe)) {
        CloseQuietly(errorPipe[0]);
        CloseQuietly(errorPipe[1]);
        return false;
    }
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& arg : argv) {
        pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    pid_t pid = -1;
    const bool started = posix_spawn(&pid, program.c_str(), &actions.actions, nullptr,
                                     pointers.data(), environ) == 0;
    CloseQuietly(errorPipe[1]);
    if (!started) {
        CloseQuietly(errorPipe[0]);
        return false;
    }
    // Read without blocking, so a quiet child never stalls the caller's polling.
    fcntl(errorPipe[0], F_SETFL, fcntl(errorPipe[0], F_GETFL) | O_NONBLOCK);
    m_errorPipe = errorPipe[0];
    m_pid = pid;
    return true;
}

void CProcessRunner::ReadErrors() {
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(m_errorPipe, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            if (got == 0) {
                CloseErrorPipe();
            }
            return;
        }
        m_errorTail.append(buffer, static_cast<std::size_t>(got));
        if (m_errorTail.size() > kErrorTailBytes) {
            m_errorTail.erase(0, m_errorTail.size() - kErrorTailBytes);
        }
    }
}

void CProcessRunner::Kill() {
    if (m_pid <= 0 || Poll()) {
        return;
    }
    ::kill(m_pid, SIGKILL);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_finished = true;
    m_exitCode = -1;
    CloseErrorPipe();
}

bool CProcessRunner::Poll() {
    if (m_pid <= 0 || m_finished) {
        return true;
    }
    if (m_errorPipe >= 0) {
        ReadErrors();
    }
    int status = 0;
    const pid_t result = waitpid(m_pid, &status, WNOHANG);
    if (result == m_pid) {
        m_finished = true;
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else if (result < 0 && errno != EINTR) {
        m_finished = true;
    }
    if (m_finished && m_errorPipe >= 0) {
        ReadErrors();
        CloseErrorPipe();
    }
    return m_finished;
}

bool CProcessRunner::WaitFor(int milliseconds) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (!Poll()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return Poll();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollSliceMs));
    }
    return true;
}
