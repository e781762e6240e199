#pragma once

#include "app/CCmdTarget.h"

class CMainFrame;
class CRegionEditor;

// The Edit menu's commands on the open movie's mosaic: Undo and Redo of its history, and
// Fill gaps, which fills the frames inside every track that have no rectangle.
class CEditCommands : public CCmdTarget {
public:
    CEditCommands(CMainFrame& frame, CRegionEditor& editor);

private:
    void Step(bool undo);
    void FillGaps();

    CMainFrame& m_frame;
    CRegionEditor& m_editor;
};
