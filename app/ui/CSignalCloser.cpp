#include "app/ui/CSignalCloser.h"

#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

void SetHandler(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Signals) {
        sigaction(signal, &action, nullptr);
    }
}

} // namespace

CSignalCloser::CSignalCloser(std::function<QWidget*()> window) : m_window(std::move(window)) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &CSignalCloser::closeWindow);
    SetHandler(&CSignalCloser::onSignal);
}

CSignalCloser::~CSignalCloser() {
    if (!m_notifier) {
        return;
    }
    SetHandler(SIG_DFL);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

// Only async-signal-safe work here: one byte into the pipe.
void CSignalCloser::onSignal(int signal) {
    const char byte = static_cast<char>(signal);
    const ssize_t ignored = ::write(g_pipe[1], &byte, 1);
    static_cast<void>(ignored);
}

void CSignalCloser::closeWindow() {
    char bytes[16];
    while (::read(g_pipe[0], bytes, sizeof bytes) > 0) {
    }
    if (QWidget* window = m_window()) {
        window->close();
    } else {
        m_closeRequested = true;
    }
}
