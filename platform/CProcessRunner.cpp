#include "platform/CProcessRunner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

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

    bool DiscardStandardStreams() {
        return ready &&
               posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0 &&
               posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0) == 0 &&
               posix_spawn_file_actions_adddup2(&actions, 1, 2) == 0;
    }
};

} // namespace

CProcessRunner::~CProcessRunner() {
    while (m_pid > 0 && !m_finished && waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

bool CProcessRunner::Start(const std::string& program, const std::vector<std::string>& argv) {
    if (m_pid > 0) {
        return false;
    }
    FileActions actions;
    if (!actions.DiscardStandardStreams()) {
        return false;
    }
    std::vector<char*> pointers;
    pointers.reserve(argv.size() + 1);
    for (const std::string& arg : argv) {
        pointers.push_back(const_cast<char*>(arg.c_str()));
    }
    pointers.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &actions.actions, nullptr, pointers.data(), environ) !=
        0) {
        return false;
    }
    m_pid = pid;
    return true;
}

bool CProcessRunner::Poll() {
    if (m_pid <= 0 || m_finished) {
        return true;
    }
    int status = 0;
    const pid_t result = waitpid(m_pid, &status, WNOHANG);
    if (result == m_pid) {
        m_finished = true;
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else if (result < 0 && errno != EINTR) {
        m_finished = true;
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
