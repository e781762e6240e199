#pragma once

#include "app/CRegionEditor.h"

#include <QObject>
#include <QPoint>

#include <functional>

class CMainFrame;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

// Turns the mouse, wheel and arrow keys in the view into region editing: fixed drags, brush
// recordings, brush sizes, the context menu on a region, and speed steps. Installed on the
// view as an event filter.
class CEditMouse : public QObject {
    Q_OBJECT
public:
    CEditMouse(CMainFrame& frame, QWidget& view, CRegionEditor& editor);

    // stepSpeed(up, down) steps the speed list and says whether the key was used.
    void SetSpeedStepper(std::function<bool(bool up, bool down)> stepSpeed) {
        m_stepSpeed = std::move(stepSpeed);
    }

    // While confined, the pointer cannot leave the view.
    void SetConfined(bool confined) { m_confined = confined; }
    bool Confined() const { return m_confined; }
    // Where the pointer was last seen, in the view's coordinates.
    QPoint CursorPos() const { return m_cursor; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MouseMove(QMouseEvent& event);
    void MousePress(QMouseEvent& event);
    void MouseRelease(QMouseEvent& event);
    void Wheel(const QWheelEvent& event);
    bool KeyPress(const QKeyEvent& event);
    void ContextMenu(const QPoint& globalPos);
    // The event's point, brought back into the view while confined.
    QPoint Track(const QPoint& point);
    // One-frame edits need play stopped and no drag or modification under way.
    bool FrameEditable() const;
    void SetEditCursor(const QPoint& point);
    static CRegionEditor::Point At(const QPoint& point) { return {point.x(), point.y()}; }
    T_RECT Client() const;

    CMainFrame& m_frame;
    QWidget& m_view;
    CRegionEditor& m_editor;
    std::function<bool(bool, bool)> m_stepSpeed;
    bool m_confined = false;
    QPoint m_cursor;
};
