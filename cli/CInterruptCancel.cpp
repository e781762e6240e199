#include "cli/CInterruptCancel.h"

namespace {

volatile std::sig_atomic_t g_cancel = 0;

void AskCancel(int) {
    g_cancel = 1;
}

} // namespace

CInterruptCancel::CInterruptCancel() {
    g_cancel = 0;
    struct sigaction action {};
    action.sa_handler = &AskCancel;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &m_previousInt);
    sigaction(SIGTERM, &action, &m_previousTerm);
}

CInterruptCancel::~CInterruptCancel() {
    sigaction(SIGINT, &m_previousInt, nullptr);
    sigaction(SIGTERM, &m_previousTerm, nullptr);
}

const volatile std::sig_atomic_t* CInterruptCancel::Flag() {
    return &g_cancel;
}
