#include "CLimitedChild.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace {
constexpr int kNoLimit = 2;
}

int CLimitedChild::Run(rlim_t limit, const std::function<bool()>& work) {
    const pid_t child = fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) {
            _exit(kNoLimit);
        }
        _exit(work() ? kSucceeded : kFailed);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return kDied;
    }
    const int code = WEXITSTATUS(status);
    return code == kSucceeded || code == kFailed ? code : kDied;
}
