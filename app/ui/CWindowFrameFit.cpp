#include "app/ui/CWindowFrameFit.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

CWindowFrameFit::CWindowFrameFit(QWidget& window, QSize minimumOuter)
    : QObject(&window), m_window(window), m_minimumOuter(minimumOuter) {
    // The native window exists from here on, so its frame can be asked for.
    m_window.winId();
    m_poll.setInterval(PollMs);
    connect(&m_poll, &QTimer::timeout, this, &CWindowFrameFit::poll);
    m_window.installEventFilter(this);
}

QMargins CWindowFrameFit::FrameMargins() const {
    const QWindow* handle = m_window.windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void CWindowFrameFit::Place(const QRect& outer) {
    m_outer = outer;
    m_margins = FrameMargins();
    fit();
}

void CWindowFrameFit::fit() {
    const QSize frame(m_margins.left() + m_margins.right(), m_margins.top() + m_margins.bottom());
    m_window.setMinimumSize(m_minimumOuter - frame);
    // The client area inside the frame; Qt puts the frame around it.
    m_window.setGeometry(m_outer.marginsRemoved(m_margins));
}

QRect CWindowFrameFit::OuterRect() const {
    return m_window.geometry().marginsAdded(FrameMargins().isNull() ? m_margins : FrameMargins());
}

bool CWindowFrameFit::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::Show && m_polls == 0) {
        m_poll.start();
    }
    return QObject::eventFilter(watched, event);
}

void CWindowFrameFit::poll() {
    const QMargins margins = FrameMargins();
    if (!margins.isNull() && margins != m_margins) {
        // The frame is known now: the same outer rectangle with the client area fitted inside.
        m_margins = margins;
        fit();
        m_poll.stop();
    } else if (++m_polls >= MaxPolls) {
        m_poll.stop();
    }
}
