#include "view/CVexoView.h"

#include "app/CCommandId.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "view/CEditMouse.h"

#include <QCursor>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

CVexoView::CVexoView(CMainFrame& frame, CInifileManager& settings, QWidget* parent)
    : CView(parent), m_frame(frame), m_editor(settings, *this),
      m_mouse(new CEditMouse(frame, *this, m_editor)) {
    // Every pixel is painted by OnDraw: nothing to erase, so nothing flickers.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAcceptDrops(true);
    setMouseTracking(true);
    OnCommand(CCommandId::VideoSize, [this] { DisplayInVideoSize(); });
}

void CVexoView::resizeEvent(QResizeEvent* event) {
    CView::resizeEvent(event);
    m_canvas.Resize(width(), height());
}

void CVexoView::paintEvent(QPaintEvent*) {
    OnDraw();
    QPainter painter(this);
    painter.drawImage(0, 0, m_canvas.Image());
}

void CVexoView::OnDraw() {
    const CViewCanvas::Scene scene = Scene();
    m_rcPicture = m_canvas.Draw(scene);
    if (scene.stream) {
        m_editor.SetPicture(m_rcPicture, scene.stream->m_nWidth, scene.stream->m_nHeight);
    }
    if (!scene.stream) {
        // With nothing open the panes are emptied (and the measured rate forgotten).
        m_panes.Refresh(nullptr, false, false, 0);
        m_frame.SetPaneText(CResourceId::SizePaneWidth, {});
        m_frame.SetPaneText(CResourceId::RatePaneWidth, {});
        return;
    }
    const auto now = static_cast<std::uint32_t>(QDateTime::currentMSecsSinceEpoch());
    const CStatusPanes::Texts texts = m_panes.Refresh(
        scene.stream, m_frame.stillImage, m_frame.playing || m_frame.audioPlaying, now);
    m_frame.SetPaneText(CResourceId::SizePaneWidth, QString::fromStdString(texts.size));
    m_frame.SetPaneText(CResourceId::RatePaneWidth, QString::fromStdString(texts.rate));
}

CViewCanvas::Scene CVexoView::Scene() const {
    CViewCanvas::Scene scene;
    scene.stream = m_frame.ActiveStream();
    scene.editMode = m_frame.editMode;
    scene.stillImage = m_frame.stillImage;
    scene.current = m_editor.Current();
    scene.currentColour = CurrentRectColour();
    scene.selected = m_editor.Selected();
    scene.modify = m_editor.Modify();
    return scene;
}

// Fixed mode: red. Moving mode: blue while a modification is armed; otherwise red, unless the
// pointer rests on a track, which is then shown alone.
QColor CVexoView::CurrentRectColour() const {
    if (m_frame.editMode == 0) {
        return Qt::red;
    }
    const CAviVideoStream* stream = m_frame.ActiveStream();
    if (m_frame.editMode != 1 || !stream) {
        return {};
    }
    if (m_editor.Modify()) {
        return Qt::blue;
    }
    const QPoint cursor = mapFromGlobal(QCursor::pos());
    const bool hidden =
        m_editor.BrushHidden(stream->m_mosaic, {cursor.x(), cursor.y()},
                             static_cast<std::int32_t>(stream->m_nCurrentFrame));
    return hidden ? QColor() : QColor(Qt::red);
}

void CVexoView::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void CVexoView::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            names.push_back(url.toLocalFile().toStdString());
        }
    }
    event->acceptProposedAction();
    OnDropFiles(names);
}

void CVexoView::leaveEvent(QEvent* event) {
    m_editor.PointerLeft();
    update();
    CView::leaveEvent(event);
}

void CVexoView::OnDropFiles(const std::vector<std::string>& names) {
    if (m_frame.IsProgressOnly() || m_frame.IsBusy() || names.empty()) {
        return;
    }
    if (m_frame.IsDocumentOpen() && m_frame.movieModified) {
        const int answer = CMessageBoxSeam::Show(
            CStringTable::Load(CResourceId::SaveChangesQuestion), QV_MB_YESNOCANCEL | QV_MB_ICONQUESTION);
        if (answer == QV_IDYES) {
            m_frame.PostCommand(CCommandId::Save);
            return;
        }
        if (answer != QV_IDNO) {
            return;
        }
    }
    m_frame.movieModified = false;
    m_frame.progressModified = false;
    emit openDocument(QString::fromStdString(names.back()));
}

void CVexoView::DisplayInVideoSize() {
    const CAviVideoStream* stream = m_frame.ActiveStream();
    if (!stream) {
        return;
    }
    // The window grows or shrinks by what the view lacks or has too much; its position stays.
    const QSize change(stream->m_nWidth - width(), stream->m_nHeight - height());
    m_frame.resize(m_frame.size() + change);
    m_frame.raise();
}

void CVexoView::SetModified() {
    m_frame.SetModified();
}

void CVexoView::Redraw(bool) {
    update();
}

void CVexoView::CapturePointer() {
    grabMouse();
}

void CVexoView::ConfinePointer() {
    m_mouse->SetConfined(true);
}

void CVexoView::ReleasePointer() {
    releaseMouse();
    m_mouse->SetConfined(false);
}

// Any play ends, play with sound too, which the Stop command would leave running.
void CVexoView::StopPlay() {
    m_frame.StopPlay();
}

void CVexoView::PlayStopped() {
    m_editor.PlayStopped();
    ReleasePointer();
    update();
}

bool CVexoView::RecordBrush(std::int64_t frame) {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (!m_editor.Dragging() || stream == nullptr) {
        return false;
    }
    const QPoint cursor = m_mouse->CursorPos();
    m_editor.RecordBrush(stream->m_mosaic, {cursor.x(), cursor.y()},
                         static_cast<std::int32_t>(frame));
    return true;
}

void CVexoView::Play() {
    m_frame.ExecuteCommand(CCommandId::Play);
}

void CVexoView::Back() {
    m_frame.ExecuteCommand(CCommandId::Back);
}
