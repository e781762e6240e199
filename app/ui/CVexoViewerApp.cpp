#include "app/ui/CVexoViewerApp.h"

#include "app/CCommandId.h"
#include "app/CStartCommandLine.h"
#include "app/CUILanguage.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CMainFrame.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CProgramFolders.h"
#include "platform/CShellOpenSeam.h"
#include "platform/CUserLocale.h"
#include "resources/CCodecSettingsBlob.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "versionlib/RX40CFileVersion.h"

#include <filesystem>

namespace {

CVexoViewerApp* g_app = nullptr;

std::string WithSlash(const std::string& folder) {
    return folder.empty() ? folder : folder + "/";
}

// The window title is the first line of the document type's string.
QString TitleFromTemplate() {
    const std::string text = CStringTable::Load(CResourceId::DocumentTemplate);
    return QString::fromStdString(text.substr(0, text.find('\n')));
}

} // namespace

CVexoViewerApp::CVexoViewerApp() : CVexoViewerApp(CProgramFolders::GetModulePath()) {}

CVexoViewerApp::CVexoViewerApp(std::string modulePath) : m_modulePath(std::move(modulePath)) {
    g_app = this;
    OnCommand(CCommandId::About, [this] { OnAppAbout(); });
}

CVexoViewerApp::~CVexoViewerApp() {
    CVexoViewerApp::ExitInstance();
    if (g_app == this) {
        g_app = nullptr;
    }
}

CVexoViewerApp* CVexoViewerApp::GetApp() {
    return g_app;
}

bool CVexoViewerApp::InitInstance(const std::vector<std::string>& arguments) {
    CMessageBoxSeam::Install(&m_messageBox);
    CShellOpenSeam::Install(&m_shellOpen);
    const std::string programFolder = std::filesystem::path(m_modulePath).parent_path().string();
    m_strExeDir = WithSlash(programFolder);
    m_strDataDir = WithSlash(CProgramFolders::GetUserDataFolder(programFolder));
    prepareSettings();
    selectLanguage();
    m_strStartFile = CStartCommandLine::StartFile(arguments);
    if (!createMainWindow()) {
        return false;
    }
    m_pMainWnd->show();
    return true;
}

void CVexoViewerApp::prepareSettings() {
    if (m_strDataDir.empty()) {
        // Nowhere to keep settings: defaults in memory, nothing written.
        m_pSettings = std::make_unique<CInifileManager>("");
        m_pRecentFileList = std::make_unique<CRecentFileList>("");
        return;
    }
    m_strProfileName = m_strDataDir + RX40CFileVersion(m_modulePath).GetInternalName() + ".ini";
    const std::string baseName = std::filesystem::path(m_modulePath).stem().string();
    m_pSettings = std::make_unique<CInifileManager>(m_strDataDir + baseName + ".ini");
    CCodecSettingsBlob::WriteIfMissing(m_strDataDir + "Mosaic.cdc");
    m_pRecentFileList = std::make_unique<CRecentFileList>(m_strProfileName);
    m_pRecentFileList->Load();
}

void CVexoViewerApp::selectLanguage() {
    m_locale.SetChanged(true);
    int languageId = CUILanguage::SelectUILanguage(m_strExeDir);
    if (languageId == 0) {
        languageId = CUserLocale::UserDefaultLanguageId();
    }
    CUILanguage::SetRuntimeLocale(languageId);
}

bool CVexoViewerApp::createMainWindow() {
    m_pMainWnd = std::make_unique<CMainFrame>(*m_pSettings, TitleFromTemplate(),
                                              !m_strStartFile.empty(), this);
    m_pMainWnd->SetRecentFileList(m_pRecentFileList.get());
    m_messageBox.SetParent(m_pMainWnd.get());
    return true;
}

void CVexoViewerApp::OnAppAbout() {
    CAboutDlg::ShowModal(m_modulePath, m_pMainWnd.get());
}

int CVexoViewerApp::ExitInstance() {
    m_messageBox.SetParent(nullptr);
    // The window gives its rectangle to the settings before they are written.
    m_pMainWnd.reset();
    m_pSettings.reset();
    if (m_pRecentFileList) {
        m_pRecentFileList->Save();
        m_pRecentFileList.reset();
    }
    // Leave an answerer that someone else installed since.
    IMessageBox* current = CMessageBoxSeam::Install(nullptr);
    if (current != &m_messageBox) {
        CMessageBoxSeam::Install(current);
    }
    IShellOpen* opener = CShellOpenSeam::Install(nullptr);
    if (opener != &m_shellOpen) {
        CShellOpenSeam::Install(opener);
    }
    return 0;
}
