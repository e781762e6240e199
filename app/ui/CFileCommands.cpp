#include "app/ui/CFileCommands.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/CRecentFileList.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoDoc.h"
#include "platform/CFileDialogSeam.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CShellOpenSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <filesystem>

CFileCommands::CFileCommands(CMainFrame& frame, CVexoDoc& document, CRecentFileList& recentFiles,
                             CInifileManager& settings, std::string programDir)
    : m_frame(frame), m_document(document), m_recentFiles(recentFiles), m_settings(settings),
      m_programDir(std::move(programDir)) {
    OnCommand(CCommandId::Open, [this] { Open(); });
    OnCommand(CCommandId::Close, [this] { Close(); });
    for (int id = CCommandId::RecentFile1; id <= CCommandId::RecentFile4; ++id) {
        OnCommand(id, [this, id] { OpenRecent(static_cast<std::size_t>(id - CCommandId::RecentFile1)); });
    }
    OnCommand(CCommandId::Help, [this] { Help(); });
}

bool CFileCommands::MayLeaveMovie(int saveCommand) {
    if (!m_document.IsOpen() || !m_frame.movieModified) {
        return true;
    }
    const int answer = CMessageBoxSeam::Show(CStringTable::Load(CResourceId::SaveChangesQuestion),
                                             QV_MB_YESNOCANCEL | QV_MB_ICONQUESTION);
    if (answer == QV_IDYES) {
        m_frame.PostCommand(saveCommand);
    }
    return answer == QV_IDNO;
}

void CFileCommands::ForgetChanges() {
    m_frame.movieModified = false;
    m_frame.progressModified = false;
}

void CFileCommands::Open() {
    if (!MayLeaveMovie(CCommandId::Save)) {
        return;
    }
    IFileDialog::Request request;
    request.filter = CStringTable::Load(CResourceId::OpenFilter);
    request.filterIndex = m_settings.OpenFilterIndex;
    const IFileDialog::Answer answer = CFileDialogSeam::Show(request);
    if (!answer.ok) {
        return;
    }
    m_settings.OpenFilterIndex = answer.filterIndex;
    ForgetChanges();
    OpenDocumentFile(answer.path);
}

void CFileCommands::Close() {
    m_frame.StopPlay();
    const int save = m_frame.IsProgressOnly() ? CCommandId::SaveProgress : CCommandId::Save;
    if (!MayLeaveMovie(save)) {
        return;
    }
    m_document.CloseDocument();
}

void CFileCommands::OpenRecent(std::size_t index) {
    if (index >= m_recentFiles.Files().size() || !MayLeaveMovie(CCommandId::Save)) {
        return;
    }
    ForgetChanges();
    // A file that no longer opens leaves the list, as the framework's list does.
    const std::string path = m_recentFiles.Files()[index];
    if (!OpenDocumentFile(path)) {
        m_recentFiles.Remove(index);
    }
}

// A file dropped or named while a conversion or a save runs waits for nobody: it is not opened.
bool CFileCommands::OpenDocumentFile(const std::string& path) {
    if (m_frame.IsBusy() || !m_document.OnOpenDocument(path)) {
        return false;
    }
    m_recentFiles.Add(path);
    return true;
}

std::string CFileCommands::HelpFile() const {
    const bool japanese = CStringTable::Language() == CStringTable::Japanese;
    return m_programDir + (japanese ? "Quorvel_jp.pdf" : "Quorvel_en.pdf");
}

void CFileCommands::Help() {
    const std::string manual = HelpFile();
    std::error_code ec;
    // The desktop may start a viewer for a missing file and report success: look first.
    if (std::filesystem::is_regular_file(manual, ec) && CShellOpenSeam::Open(manual)) {
        return;
    }
    CMessageBoxSeam::Show(CStringTable::Format(CResourceId::ManualNotOpened, manual), QV_MB_OK);
}
