#pragma once

#include <csignal>

// Ctrl+C (SIGINT) and SIGTERM ask the running save to cancel instead of ending the renderer on
// the spot, so the save can remove what it made and keep the old target. The previous
// handlers come back when the object goes.
class CInterruptCancel {
public:
    CInterruptCancel();
    ~CInterruptCancel();
    CInterruptCancel(const CInterruptCancel&) = delete;
    CInterruptCancel& operator=(const CInterruptCancel&) = delete;

    static const volatile std::sig_atomic_t* Flag();

private:
    struct sigaction m_previousInt {};
    struct sigaction m_previousTerm {};
};
