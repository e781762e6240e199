#include "view/CRegionCommands.h"

#include "app/CCommandId.h"
#include "app/CRegionEditor.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"

CRegionCommands::CRegionCommands(CMainFrame& frame, CRegionEditor& editor)
    : m_frame(frame), m_editor(editor) {
    OnCommand(CCommandId::AreaDelete, [this] {
        if (CAviVideoStream* stream = m_frame.ActiveStream()) {
            m_editor.DeleteArea(stream->m_mosaic);
        }
    });
    OnCommand(CCommandId::TrackRemoveAll, [this] {
        if (CAviVideoStream* stream = m_frame.ActiveStream()) {
            m_editor.RemoveTrack(stream->m_mosaic);
        }
    });
    OnCommand(CCommandId::TrackRemoveAfter, [this] {
        if (CAviVideoStream* stream = m_frame.ActiveStream()) {
            m_editor.RemoveTrackFrom(stream->m_mosaic,
                                     static_cast<std::int32_t>(stream->m_nCurrentFrame));
        }
    });
    OnCommand(CCommandId::TrackModify, [this] { m_editor.ArmModification(); });
    OnCommand(CCommandId::ContextCancel, [this] { m_editor.Cancel(); });
}
