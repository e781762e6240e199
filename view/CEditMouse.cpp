#include "view/CEditMouse.h"

#include "app/ui/CCommandMenus.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "resources/CResourceId.h"

#include <QCursor>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>

namespace {

constexpr int FixedMode = 0;
constexpr int MovingMode = 1;

const QCursor& EditCursor() {
    static const QCursor cursor(QIcon(QStringLiteral(":/cursors/edit.svg")).pixmap(32, 32), 3, 1);
    return cursor;
}

Qt::CursorShape GripCursor(unsigned edges) {
    using E = CRegionEditor;
    switch (edges) {
    case E::Left:
    case E::Right:
        return Qt::SizeHorCursor;
    case E::Top:
    case E::Bottom:
        return Qt::SizeVerCursor;
    case E::Left | E::Top:
    case E::Right | E::Bottom:
        return Qt::SizeFDiagCursor;
    case E::Right | E::Top:
    case E::Left | E::Bottom:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::SizeAllCursor;
    }
}

} // namespace

CEditMouse::CEditMouse(CMainFrame& frame, QWidget& view, CRegionEditor& editor)
    : QObject(&view), m_frame(frame), m_view(view), m_editor(editor) {
    // Right buttons come here as presses and releases; the menu opens on the release.
    m_view.setContextMenuPolicy(Qt::PreventContextMenu);
    m_view.setMouseTracking(true);
    m_view.installEventFilter(this);
}

bool CEditMouse::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_view) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseMove:
        MouseMove(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        MousePress(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::MouseButtonRelease:
        MouseRelease(*static_cast<QMouseEvent*>(event));
        return false;
    case QEvent::Wheel:
        Wheel(*static_cast<QWheelEvent*>(event));
        return false;
    case QEvent::KeyPress:
        return KeyPress(*static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

void CEditMouse::MouseMove(QMouseEvent& event) {
    const QPoint point = Track(event.position().toPoint());
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (m_editor.FrameEditing() && stream != nullptr) {
        m_editor.FrameEditMove(stream->m_mosaic, At(point));
        return;
    }
    SetEditCursor(point);
    if (m_frame.editMode == FixedMode) {
        m_editor.FixedMove(At(point));
    } else if (m_frame.editMode == MovingMode) {
        if (!m_editor.Dragging()) {
            m_view.setFocus(Qt::MouseFocusReason);
        }
        m_editor.MovingMove(At(point), Client(), m_frame.playing);
    }
}

// Without a picture the buttons edit nothing and start no play.
void CEditMouse::MousePress(QMouseEvent& event) {
    const QPoint point = Track(event.position().toPoint());
    const bool picture = m_frame.ActiveStream() != nullptr;
    const int mode = m_frame.editMode;
    if (event.button() == Qt::LeftButton && picture) {
        if (FrameEditable()) {
            const CAviVideoStream& stream = *m_frame.ActiveStream();
            if (m_editor.FrameEditDown(mode, stream.m_mosaic, At(point),
                                       static_cast<std::int32_t>(stream.m_nCurrentFrame))) {
                return;
            }
        }
        if (mode == FixedMode) {
            m_editor.FixedLeftDown(At(point));
        } else if (mode == MovingMode) {
            m_editor.MovingLeftDown(At(point));
        }
    } else if (event.button() == Qt::RightButton && mode == FixedMode) {
        m_editor.FixedRightDown();
    } else if (event.button() == Qt::MiddleButton && mode == MovingMode) {
        m_editor.MiddleDown(At(point), Client());
    }
}

void CEditMouse::MouseRelease(QMouseEvent& event) {
    Track(event.position().toPoint());
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (event.button() == Qt::LeftButton && m_editor.FrameEditing()) {
        if (stream != nullptr) {
            m_editor.FrameEditUp(stream->m_mosaic, At(m_cursor));
        }
    } else if (event.button() == Qt::LeftButton) {
        if (m_frame.editMode == FixedMode) {
            // A drag whose picture has gone meanwhile ends without an area.
            if (stream != nullptr) {
                m_editor.FixedLeftUp(stream->m_mosaic);
            } else {
                m_editor.FixedRightDown();
            }
        } else if (m_frame.editMode == MovingMode) {
            m_editor.MovingLeftUp();
        }
    } else if (event.button() == Qt::RightButton) {
        ContextMenu(event.globalPosition().toPoint());
    }
}

void CEditMouse::Wheel(const QWheelEvent& event) {
    if (m_frame.editMode != MovingMode) {
        return;
    }
    // Some platforms turn Shift + wheel into a sideways wheel.
    const QPoint angle = event.angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    m_editor.Wheel(delta, modifiers.testFlag(Qt::ShiftModifier),
                   modifiers.testFlag(Qt::ControlModifier), At(event.position().toPoint()));
}

bool CEditMouse::KeyPress(const QKeyEvent& event) {
    return m_stepSpeed && m_stepSpeed(event.key() == Qt::Key_Up, event.key() == Qt::Key_Down);
}

void CEditMouse::ContextMenu(const QPoint& globalPos) {
    CAviVideoStream* stream = m_frame.ActiveStream();
    const int mode = m_frame.editMode;
    if (m_frame.playing || m_frame.audioPlaying || stream == nullptr ||
        (mode != FixedMode && mode != MovingMode)) {
        return;
    }
    const QPoint point = m_view.mapFromGlobal(globalPos);
    if (!m_editor.SelectAt(mode, stream->m_mosaic, At(point),
                           static_cast<std::int32_t>(stream->m_nCurrentFrame))) {
        return;
    }
    const int popup =
        mode == FixedMode ? CResourceId::MenuContextMosaic : CResourceId::MenuContextMosaicEx;
    if (QMenu* menu = m_frame.Menus().Popup(popup)) {
        menu->exec(globalPos);
    }
}

QPoint CEditMouse::Track(const QPoint& point) {
    m_cursor = point;
    if (m_confined && !m_view.rect().contains(point)) {
        m_cursor = QPoint(std::clamp(point.x(), 0, m_view.width() - 1),
                          std::clamp(point.y(), 0, m_view.height() - 1));
        QCursor::setPos(m_view.mapToGlobal(m_cursor));
    }
    return m_cursor;
}

bool CEditMouse::FrameEditable() const {
    const int mode = m_frame.editMode;
    return !m_frame.playing && !m_frame.audioPlaying && !m_editor.Dragging() &&
           (mode == FixedMode || (mode == MovingMode && !m_editor.Modify()));
}

// What a press would take hold of; outside any region, the pen of drawing and recording.
void CEditMouse::SetEditCursor(const QPoint& point) {
    const CAviVideoStream* stream = m_frame.ActiveStream();
    const int mode = m_frame.editMode;
    if (mode != FixedMode && mode != MovingMode) {
        m_view.unsetCursor();
        return;
    }
    const CRegionEditor::Grip grip =
        stream != nullptr && FrameEditable()
            ? m_editor.GripAt(mode, stream->m_mosaic, At(point),
                              static_cast<std::int32_t>(stream->m_nCurrentFrame))
            : CRegionEditor::Grip{};
    if (grip.index >= 0) {
        m_view.setCursor(GripCursor(grip.edges));
    } else {
        m_view.setCursor(EditCursor());
    }
}

T_RECT CEditMouse::Client() const {
    return T_RECT{0, 0, m_view.width(), m_view.height()};
}
