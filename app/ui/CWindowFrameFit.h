#pragma once

#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

class QWidget;

// Puts a top-level window so that its outer rectangle, frame included, is exactly a given one,
// and keeps its outer size from going below a minimum. A window manager tells the size of its
// frame only once the window is shown, so the window is placed again when the frame is known.
class CWindowFrameFit : public QObject {
public:
    CWindowFrameFit(QWidget& window, QSize minimumOuter);

    void Place(const QRect& outer);
    // The window's outer rectangle now.
    QRect OuterRect() const;
    QMargins FrameMargins() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A frame that is not learned within this time is taken to be none.
    static constexpr int PollMs = 50;
    static constexpr int MaxPolls = 200;

    void fit();
    void poll();

    QWidget& m_window;
    QSize m_minimumOuter;
    QRect m_outer;
    QMargins m_margins;
    QTimer m_poll;
    int m_polls = 0;
};
