#pragma once

#include "app/CCmdTarget.h"

#include <cstddef>
#include <string>

class CInifileManager;
class CMainFrame;
class CRecentFileList;
class CVexoDoc;

// The application's file commands: Open, Close, the four recent files and Help, and the
// framework's open path that they, the command line and dropped files share.
class CFileCommands : public CCmdTarget {
public:
    CFileCommands(CMainFrame& frame, CVexoDoc& document, CRecentFileList& recentFiles,
                  CInifileManager& settings, std::string programDir);

    void Open();
    void Close();
    void OpenRecent(std::size_t index);
    void Help();
    // Opens path as the document; a good open puts it first in the recent files.
    bool OpenDocumentFile(const std::string& path);

    // The manual for the interface language, beside the program.
    std::string HelpFile() const;

private:
    // The question before leaving a changed movie: false when the user chose to save (posted)
    // or to cancel.
    bool MayLeaveMovie(int saveCommand);
    void ForgetChanges();

    CMainFrame& m_frame;
    CVexoDoc& m_document;
    CRecentFileList& m_recentFiles;
    CInifileManager& m_settings;
    std::string m_programDir;
};
