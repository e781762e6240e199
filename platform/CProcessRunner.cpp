#include "platform/CProcessRunner.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
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
// How long a write waits at a time before it looks at the stop flag again.
constexpr int kWriteSliceMs = 50;

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

    // Input from the read end of inputPipe or from /dev/null, output discarded, errors into
    // the write end of errorPipe.
    bool SetStandardStreams(const int inputPipe[2], const int errorPipe[2]) {
        const bool input =
            inputPipe[0] >= 0
                ? posix_spawn_file_actions_adddup2(&actions, inputPipe[0], 0) == 0
                : posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0) == 0;
        return ready && input &&
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

void ClosePipe(int fds[2]) {
    CloseQuietly(fds[0]);
    CloseQuietly(fds[1]);
}

void SetNonBlocking(int fd) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// A child that ended before reading all of its input must not end this process: the write
// sees EPIPE while this thread holds SIGPIPE back, and a SIGPIPE it raised is taken away.
ssize_t WriteWithoutSigpipe(int fd, const void* data, std::size_t size) {
    sigset_t pipeOnly;
    sigset_t before;
    sigemptyset(&pipeOnly);
    sigaddset(&pipeOnly, SIGPIPE);
    sigset_t pending;
    sigemptyset(&pending);
    sigpending(&pending);
    const bool wasPending = sigismember(&pending, SIGPIPE) == 1;
    pthread_sigmask(SIG_BLOCK, &pipeOnly, &before);
    const ssize_t written = ::write(fd, data, size);
    const int error = errno;
    if (written < 0 && error == EPIPE && !wasPending) {
        const timespec now{0, 0};
        while (sigtimedwait(&pipeOnly, nullptr, &now) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    errno = error;
    return written;
}

} // namespace

CProcessRunner::~CProcessRunner() {
    CloseInput();
    while (m_pid > 0 && !m_finished && waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    CloseErrorPipe();
}

void CProcessRunner::CloseErrorPipe() {
    CloseQuietly(m_errorPipe);
}

void CProcessRunner::CloseInput() {
    CloseQuietly(m_inputPipe);
}

bool CProcessRunner::Start(const std::string& program, const std::vector<std::string>& argv,
                           Input input) {
    if (m_pid > 0) {
        return false;
    }
    int inputPipe[2] = {-1, -1};
    int errorPipe[2] = {-1, -1};
    if ((input == Input::Pipe && pipe2(inputPipe, O_CLOEXEC) != 0) ||
        pipe2(errorPipe, O_CLOEXEC) != 0) {
        ClosePipe(inputPipe);
        return false;
    }
    FileActions actions;
    if (!actions.SetStandardStreams(inputPipe, errorPipe)) {
        ClosePipe(inputPipe);
        ClosePipe(errorPipe);
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
    CloseQuietly(inputPipe[0]);
    if (!started) {
        CloseQuietly(errorPipe[0]);
        CloseQuietly(inputPipe[1]);
        return false;
    }
    // Read and write without blocking, so a quiet or busy child never stalls the caller.
    SetNonBlocking(errorPipe[0]);
    m_errorPipe = errorPipe[0];
    if (inputPipe[1] >= 0) {
        SetNonBlocking(inputPipe[1]);
        m_inputPipe = inputPipe[1];
    }
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

bool CProcessRunner::WriteInput(const void* data, std::size_t size,
                                const std::atomic<bool>& stop) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        if (m_inputPipe < 0 || stop) {
            return false;
        }
        pollfd watched[2] = {{m_inputPipe, POLLOUT, 0}, {m_errorPipe, POLLIN, 0}};
        const int ready = ::poll(watched, m_errorPipe >= 0 ? 2 : 1, kWriteSliceMs);
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (m_errorPipe >= 0 && (watched[1].revents & (POLLIN | POLLHUP)) != 0) {
            ReadErrors();
        }
        if ((watched[0].revents & POLLOUT) != 0 ? !WriteSome(bytes, size)
                                                 : (watched[0].revents & POLLERR) != 0) {
            return false;
        }
    }
    return true;
}

bool CProcessRunner::WriteSome(const std::uint8_t*& data, std::size_t& size) {
    const ssize_t written = WriteWithoutSigpipe(m_inputPipe, data, size);
    if (written < 0) {
        return errno == EAGAIN || errno == EINTR;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
    return true;
}

void CProcessRunner::Kill() {
    CloseInput();
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
