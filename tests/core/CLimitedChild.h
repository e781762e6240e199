#pragma once

#include <sys/resource.h>

#include <functional>

// Runs work in a forked child whose files cannot grow beyond limit bytes, with SIGXFSZ ignored
// so that a write past the limit fails as on a full disk instead of killing the child.
class CLimitedChild {
public:
    static constexpr int kSucceeded = 0;
    static constexpr int kFailed = 1;
    static constexpr int kDied = -1;

    // kSucceeded or kFailed as work answered; kDied when the child did not exit normally.
    static int Run(rlim_t limit, const std::function<bool()>& work);
};
