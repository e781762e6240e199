#pragma once

#include "app/CRegionEditor.h"
#include "app/IEditHost.h"
#include "app/ui/CView.h"
#include "mosaic/T_RECT.h"
#include "view/CStatusPanes.h"
#include "view/CViewCanvas.h"

#include <cstdint>
#include <string>
#include <vector>

class CEditMouse;
class CInifileManager;
class CMainFrame;

// The main window's one view: the current frame with its mosaic, letterboxed, with the mode
// label, the frame counter and the outlines of the regions, drawn off screen and copied to the
// window in one piece. Files dropped on it open as documents. Its editing state (the rectangle
// being drawn, the selected region, the recorded track) is kept by its region editor.
class CVexoView : public CView, private IEditHost {
    Q_OBJECT
public:
    CVexoView(CMainFrame& frame, CInifileManager& settings, QWidget* parent = nullptr);

    CRegionEditor& Editor() { return m_editor; }
    CEditMouse& Mouse() { return *m_mouse; }
    // The view's part of stopping a play: the drag is over, the pointer free, all redrawn.
    void PlayStopped();
    // Records the brush at the pointer into the track being recorded, at frame; false when no
    // recording runs.
    bool RecordBrush(std::int64_t frame);

    // Where the picture was drawn last; empty when none was.
    const T_RECT& PictureRect() const { return m_rcPicture; }
    const CViewCanvas& Canvas() const { return m_canvas; }

    // Part of the files-dropped handling, for the names already taken from the drop.
    void OnDropFiles(const std::vector<std::string>& names);
    // Makes the main window as large as needed for the view to show the picture at its size.
    void DisplayInVideoSize();

signals:
    // A dropped file to open through the application's open path.
    void openDocument(const QString& path);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Draws everything into the off-screen image and refreshes the status panes.
    void OnDraw();
    CViewCanvas::Scene Scene() const;
    QColor CurrentRectColour() const;

    void SetModified() override;
    void Redraw(bool erase) override;
    void CapturePointer() override;
    void ConfinePointer() override;
    void ReleasePointer() override;
    void StopPlay() override;
    void Play() override;
    void Back() override;

    CMainFrame& m_frame;
    CRegionEditor m_editor;
    CEditMouse* m_mouse; // a child of the view
    CViewCanvas m_canvas;
    CStatusPanes m_panes;
    T_RECT m_rcPicture;
};
