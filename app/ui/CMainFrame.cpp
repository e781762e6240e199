#include "app/ui/CMainFrame.h"

#include "app/CWindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

CMainFrame::CMainFrame(CInifileManager& settings, const QString& title, bool progressOnly)
    : m_settings(settings), m_progressOnly(progressOnly) {
    setWindowTitle(title);
    // The native window knows its frame; the limits and the placement are of the outer size.
    winId();
    const QMargins frame = frameMargins();
    setMinimumSize(MinWidth - frame.left() - frame.right(),
                   MinHeight - frame.top() - frame.bottom());
    ApplyPlacement();
}

CMainFrame::~CMainFrame() {
    storeOuterRect();
}

CInifileManager::Rect CMainFrame::WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

void CMainFrame::ApplyPlacement() {
    const auto chosen = CWindowPlacement::Choose(m_settings.WindowRect, WorkArea());
    m_settings.WindowRect = chosen;
    const QRect outer(chosen.left, chosen.top, chosen.right - chosen.left,
                      chosen.bottom - chosen.top);
    // The settings hold the outer rectangle; Qt places the client area inside the frame.
    setGeometry(outer.marginsRemoved(frameMargins()));
}

QMargins CMainFrame::frameMargins() const {
    return windowHandle() ? windowHandle()->frameMargins() : QMargins();
}

void CMainFrame::storeOuterRect() {
    const QRect outer = frameGeometry();
    m_settings.WindowRect = {outer.x(), outer.y(), outer.x() + outer.width(),
                             outer.y() + outer.height()};
}
