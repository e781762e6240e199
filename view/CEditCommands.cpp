#include "view/CEditCommands.h"

#include "app/CCommandId.h"
#include "app/CRegionEditor.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QStatusBar>

#include <string>

CEditCommands::CEditCommands(CMainFrame& frame, CRegionEditor& editor)
    : m_frame(frame), m_editor(editor) {
    OnCommand(CCommandId::Undo, [this] { Step(true); });
    OnCommand(CCommandId::Redo, [this] { Step(false); });
    OnCommand(CCommandId::FillGaps, [this] { FillGaps(); });
}

void CEditCommands::Step(bool undo) {
    if (m_frame.StepHistory(undo)) {
        m_editor.MosaicReplaced(m_frame.ActiveStream()->m_mosaic);
    }
}

void CEditCommands::FillGaps() {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr) {
        return;
    }
    const std::int64_t filled = stream->m_mosaic.FillGaps();
    if (filled > 0) {
        m_frame.SetModified();
        m_frame.InvalidateView();
    }
    m_frame.statusBar()->showMessage(QString::fromStdString(
        CStringTable::Format(CResourceId::GapsFilledMessage, std::to_string(filled))));
}
