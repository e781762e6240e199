#include "view/CProgressCommands.h"

#include "app/CCommandId.h"
#include "app/CRegionEditor.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"

CProgressCommands::CProgressCommands(CMainFrame& frame, CRegionEditor& editor)
    : m_frame(frame), m_editor(editor) {
    OnCommand(CCommandId::SaveProgress, [this] { SaveProgress(); });
    OnCommand(CCommandId::RemoveAllMosaic, [this] { RemoveAllMosaic(); });
}

// Started to finish one movie's progress, the program ends once it is saved. A save that failed
// leaves the progress unsaved, so closing still asks.
void CProgressCommands::SaveProgress() {
    const CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr || !stream->SaveProgress()) {
        return;
    }
    m_frame.progressModified = false;
    if (m_frame.IsProgressOnly()) {
        m_frame.PostCommand(CCommandId::Exit);
    }
}

// Neither change flag moves: removing is not an edit that asks to be saved.
void CProgressCommands::RemoveAllMosaic() {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr) {
        return;
    }
    stream->RemoveProgress();
    m_editor.RegionsRemoved(stream->m_mosaic);
    m_frame.InvalidateView();
}
