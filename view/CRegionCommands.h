#pragma once

#include "app/CCmdTarget.h"

class CMainFrame;
class CRegionEditor;

// The commands of the view's context menus on a fixed area (Delete, Cancel) or a track (Remove
// All, Remove this frame after, Modification, Cancel), acting on the region picked by the
// right click.
class CRegionCommands : public CCmdTarget {
public:
    CRegionCommands(CMainFrame& frame, CRegionEditor& editor);

private:
    CMainFrame& m_frame;
    CRegionEditor& m_editor;
};
