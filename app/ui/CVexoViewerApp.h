#pragma once

#include "app/CCmdTarget.h"
#include "app/CInifileManager.h"
#include "app/CRecentFileList.h"
#include "app/RX40sCLocale.h"
#include "app/ui/CQtFileDialog.h"
#include "app/ui/CQtMessageBox.h"
#include "app/ui/CQtShellOpen.h"

#include <QTranslator>

#include <memory>
#include <string>
#include <vector>

class CEditCommands;
class CTrackCommands;
class CFileCommands;
class CFrameStepCommands;
class CMainFrame;
class CPlayCommands;
class CProgressCommands;
class CRegionCommands;
class CSaveCommands;
class CSoundCommandInterpreter;
class CModeCommands;
class CVexoDoc;
class CVexoView;

// The application object: prepares folders, settings and language, creates the main window,
// and saves the settings at exit. One instance; others reach it through GetApp().
class CVexoViewerApp : public CCmdTarget {
public:
    // The running executable.
    CVexoViewerApp();
    // Acts as the program at modulePath (its folder, name and version record).
    explicit CVexoViewerApp(std::string modulePath);
    virtual ~CVexoViewerApp();

    static CVexoViewerApp* GetApp();

    // arguments: the command line without the program name. False ends the program.
    virtual bool InitInstance(const std::vector<std::string>& arguments);
    virtual int ExitInstance();

    // Version Information: the About box, modal over the main window.
    void OnAppAbout();

    CMainFrame* GetMainWnd() const { return m_pMainWnd.get(); }
    const std::string& GetProfileName() const { return m_strProfileName; }
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }
    CVexoDoc* GetDocument() const { return m_pDocument.get(); }
    CVexoView* GetView() const { return m_pView; }
    CModeCommands* GetModeCommands() const { return m_pModes.get(); }
    CFrameStepCommands* GetFrameSteps() const { return m_pSteps.get(); }
    CFileCommands* GetFileCommands() const { return m_pFileCommands.get(); }
    CPlayCommands* GetPlayCommands() const { return m_pPlay.get(); }

    std::string m_strExeDir;  // with a trailing slash
    std::string m_strDataDir; // with a trailing slash; empty without a configuration folder
    std::unique_ptr<CInifileManager> m_pSettings;
    std::string m_strStartFile;
    RX40sCLocale m_locale;

private:
    void prepareSettings();
    void saveSettings();
    void selectLanguage();
    // Qt's own dialogs and buttons speak the interface's language.
    void installQtTranslations();
    bool createMainWindow();
    void createDocument();
    void createPlayAndEditing();

    std::string m_modulePath;
    std::string m_strProfileName;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    CVexoView* m_pView = nullptr; // the main window's child
    std::unique_ptr<CModeCommands> m_pModes;
    std::unique_ptr<CFrameStepCommands> m_pSteps;
    std::unique_ptr<CVexoDoc> m_pDocument;
    std::unique_ptr<CFileCommands> m_pFileCommands;
    std::unique_ptr<CSaveCommands> m_pSaveCommands;
    std::unique_ptr<CSoundCommandInterpreter> m_pSound;
    std::unique_ptr<CPlayCommands> m_pPlay;
    std::unique_ptr<CRegionCommands> m_pRegionCommands;
    std::unique_ptr<CProgressCommands> m_pProgressCommands;
    std::unique_ptr<CEditCommands> m_pEditCommands;
    // Its progress window is a child of the main window, so it goes before the window.
    std::unique_ptr<CTrackCommands> m_pTrackCommands;
    CQtMessageBox m_messageBox;
    CQtShellOpen m_shellOpen;
    CQtFileDialog m_fileDialog;
    std::unique_ptr<QTranslator> m_qtTranslator;
};
