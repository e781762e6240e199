#include "view/CProgressCommands.h"

#include "app/CCommandId.h"
#include "app/CRegionEditor.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "media/CProgressFiles.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

namespace {

constexpr int kProgressNotSaved = 2080;
constexpr int kProgressNotRemoved = 2081;

// Tells the user what failed, naming the progress file of the stream.
void Report(int text, const CAviVideoStream& stream) {
    const std::string path = CProgressFiles(stream.m_strWorkPath).FixedAreasPath();
    CMessageBoxSeam::Show(CStringTable::Format(text, path), QV_MB_OK | QV_MB_ICONERROR);
}

// Progress files of another movie of the same stem are replaced only when the user says so.
bool MayReplaceOtherProgress(const CAviVideoStream& stream) {
    const std::string other = stream.ProgressOfOtherSource();
    if (other.empty()) {
        return true;
    }
    const std::string question = CStringTable::Format(
        CResourceId::ReplaceOtherProgressQuestion,
        {CProgressFiles(stream.m_strWorkPath).FixedAreasPath(), other, stream.m_strSourceName});
    return CMessageBoxSeam::Show(question, QV_MB_YESNO | QV_MB_ICONQUESTION) == QV_IDYES;
}

} // namespace

CProgressCommands::CProgressCommands(CMainFrame& frame, CRegionEditor& editor)
    : m_frame(frame), m_editor(editor) {
    OnCommand(CCommandId::SaveProgress, [this] { SaveProgress(); });
    OnCommand(CCommandId::RemoveAllMosaic, [this] { RemoveAllMosaic(); });
}

// Started to finish one movie's progress, the program ends once it is saved. A save that failed
// is reported and leaves the progress unsaved, so closing still asks.
void CProgressCommands::SaveProgress() {
    const CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr || !MayReplaceOtherProgress(*stream)) {
        return;
    }
    if (!stream->SaveProgress()) {
        Report(kProgressNotSaved, *stream);
        return;
    }
    m_frame.ProgressSaved();
    m_frame.ShowSaved(CStringTable::Format(CResourceId::ProgressSavedMessage,
                                           CProgressFiles(stream->m_strWorkPath).FixedAreasPath()),
                      false);
    if (m_frame.IsProgressOnly()) {
        m_frame.PostCommand(CCommandId::Exit);
    }
}

// Neither change flag moves: removing is not an edit that asks to be saved, though it is one
// step of the history. When the files cannot go, nothing goes, so what is shown is still what
// the next open loads.
void CProgressCommands::RemoveAllMosaic() {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream == nullptr) {
        return;
    }
    if (!stream->RemoveProgress()) {
        Report(kProgressNotRemoved, *stream);
        return;
    }
    m_editor.RegionsRemoved(stream->m_mosaic);
    m_frame.ProgressRemoved();
    m_frame.InvalidateView();
}
