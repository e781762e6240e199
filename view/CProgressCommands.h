#pragma once

#include "app/CCmdTarget.h"

class CMainFrame;
class CRegionEditor;

// "Saving the middle course" writes the progress files of the open movie; "Remove all mosaic"
// removes every region and the progress files.
class CProgressCommands : public CCmdTarget {
public:
    CProgressCommands(CMainFrame& frame, CRegionEditor& editor);

    void SaveProgress();
    void RemoveAllMosaic();

private:
    CMainFrame& m_frame;
    CRegionEditor& m_editor;
};
