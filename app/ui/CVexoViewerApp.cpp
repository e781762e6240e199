#include "app/ui/CVexoViewerApp.h"

#include "app/CCommandId.h"
#include "app/CStartCommandLine.h"
#include "app/CUILanguage.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CSaveCommands.h"
#include "app/ui/CVexoDoc.h"
#include "media/CSoundCommandInterpreter.h"
#include "platform/CFileDialogSeam.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CProgramFolders.h"
#include "platform/CShellOpenSeam.h"
#include "platform/CUserLocale.h"
#include "resources/CCodecSettingsBlob.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "versionlib/RX40CFileVersion.h"
#include "view/CEditCommands.h"
#include "view/CEditMouse.h"
#include "view/CFrameStepCommands.h"
#include "view/CTrackCommands.h"
#include "view/CModeCommands.h"
#include "view/CPlayCommands.h"
#include "view/CProgressCommands.h"
#include "view/CRegionCommands.h"
#include "view/CVexoView.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

#include <filesystem>

namespace {

constexpr int kSettingsNotSaved = 2082;

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
    CFileDialogSeam::Install(&m_fileDialog);
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
    if (!m_strStartFile.empty()) {
        m_pFileCommands->OpenDocumentFile(m_strStartFile);
    }
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

// Saved here, not only as the settings record goes, so that a file that cannot be written is
// told; the record then finds itself saved and does not write again.
void CVexoViewerApp::saveSettings() {
    if (!m_pSettings || m_pSettings->Path().empty()) {
        return;
    }
    const bool settings = m_pSettings->Save();
    const bool recent = !m_pRecentFileList || m_pRecentFileList->Save();
    if (!settings || !recent) {
        const std::string& path = settings ? m_strProfileName : m_pSettings->Path();
        CMessageBoxSeam::Show(CStringTable::Format(kSettingsNotSaved, path),
                              QV_MB_OK | QV_MB_ICONERROR);
    }
}

void CVexoViewerApp::selectLanguage() {
    m_locale.SetChanged(true);
    int languageId = CUILanguage::SelectUILanguage(m_strExeDir);
    if (languageId == 0) {
        languageId = CUserLocale::UserDefaultLanguageId();
    }
    CUILanguage::SetRuntimeLocale(languageId);
    installQtTranslations();
}

void CVexoViewerApp::installQtTranslations() {
    if (m_qtTranslator) {
        QCoreApplication::removeTranslator(m_qtTranslator.get());
        m_qtTranslator.reset();
    }
    if (CStringTable::Language() != CStringTable::Japanese) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator.get())) {
        m_qtTranslator = std::move(translator);
    }
}

bool CVexoViewerApp::createMainWindow() {
    m_pMainWnd = std::make_unique<CMainFrame>(*m_pSettings, TitleFromTemplate(),
                                              !m_strStartFile.empty(), this);
    m_pMainWnd->SetRecentFileList(m_pRecentFileList.get());
    m_messageBox.SetParent(m_pMainWnd.get());
    m_fileDialog.SetParent(m_pMainWnd.get());
    createDocument();
    return true;
}

void CVexoViewerApp::OnAppAbout() {
    CAboutDlg::ShowModal(m_modulePath, m_pMainWnd.get());
}

// The view, the mode commands, the document and the file commands, routed by the main window.
void CVexoViewerApp::createDocument() {
    m_pView = new CVexoView(*m_pMainWnd, *m_pSettings);
    m_pMainWnd->SetView(m_pView);
    m_pModes = std::make_unique<CModeCommands>(*m_pMainWnd, *m_pView);
    m_pMainWnd->AddCommandTarget(m_pModes.get());
    m_pSteps = std::make_unique<CFrameStepCommands>(*m_pMainWnd);
    m_pMainWnd->AddCommandTarget(m_pSteps.get());
    m_pDocument = std::make_unique<CVexoDoc>(*m_pMainWnd, *m_pView, m_pView->Editor(), *m_pModes,
                                             *m_pSettings, m_strExeDir, m_strDataDir);
    m_pMainWnd->SetDocument(m_pDocument.get());
    m_pFileCommands = std::make_unique<CFileCommands>(*m_pMainWnd, *m_pDocument, *m_pRecentFileList,
                                                      *m_pSettings, m_strExeDir);
    m_pMainWnd->AddCommandTarget(m_pFileCommands.get());
    m_pSaveCommands =
        std::make_unique<CSaveCommands>(*m_pMainWnd, *m_pDocument, *m_pSettings, m_strExeDir);
    m_pMainWnd->AddCommandTarget(m_pSaveCommands.get());
    m_pSaveCommands->SetFrameShower([this](std::int64_t frame) { m_pSteps->ShowFrame(frame); });
    QObject::connect(m_pView, &CVexoView::openDocument, m_pView, [this](const QString& path) {
        m_pFileCommands->OpenDocumentFile(path.toStdString());
    });
    m_pDocument->OnNewDocument();
    createPlayAndEditing();
}

// Play, play with sound, the context commands of the regions and the progress commands.
void CVexoViewerApp::createPlayAndEditing() {
    m_pSound = std::make_unique<CSoundCommandInterpreter>();
    m_pPlay = std::make_unique<CPlayCommands>(*m_pMainWnd, *m_pView, *m_pDocument, *m_pSteps,
                                              *m_pSettings, *m_pSound);
    m_pMainWnd->AddCommandTarget(m_pPlay.get());
    m_pMainWnd->SetPlayController(&m_pPlay->Controller());
    m_pView->Mouse().SetSpeedStepper(
        [this](bool up, bool down) { return m_pPlay->StepSpeed(up, down); });
    m_pRegionCommands = std::make_unique<CRegionCommands>(*m_pMainWnd, m_pView->Editor());
    m_pMainWnd->AddCommandTarget(m_pRegionCommands.get());
    m_pProgressCommands = std::make_unique<CProgressCommands>(*m_pMainWnd, m_pView->Editor());
    m_pMainWnd->AddCommandTarget(m_pProgressCommands.get());
    m_pEditCommands = std::make_unique<CEditCommands>(*m_pMainWnd, m_pView->Editor());
    m_pMainWnd->AddCommandTarget(m_pEditCommands.get());
    m_pTrackCommands =
        std::make_unique<CTrackCommands>(*m_pMainWnd, m_pView->Editor(), *m_pSteps);
    m_pMainWnd->AddCommandTarget(m_pTrackCommands.get());
}

int CVexoViewerApp::ExitInstance() {
    m_messageBox.SetParent(nullptr);
    m_fileDialog.SetParent(nullptr);
    // The document (its stream and working files) goes first, then the window, which gives its
    // rectangle to the settings before they are written.
    if (m_pMainWnd) {
        m_pMainWnd->SetDocument(nullptr);
    }
    m_pFileCommands.reset();
    m_pDocument.reset();
    m_pTrackCommands.reset();
    // The window stops any play as it goes, so the play and its sound device go after it.
    m_pMainWnd.reset();
    m_pView = nullptr;
    m_pSaveCommands.reset();
    m_pProgressCommands.reset();
    m_pEditCommands.reset();
    m_pRegionCommands.reset();
    m_pPlay.reset();
    m_pSound.reset();
    m_pSteps.reset();
    m_pModes.reset();
    saveSettings();
    m_pSettings.reset();
    m_pRecentFileList.reset();
    // Leave an answerer that someone else installed since.
    IMessageBox* current = CMessageBoxSeam::Install(nullptr);
    if (current != &m_messageBox) {
        CMessageBoxSeam::Install(current);
    }
    IShellOpen* opener = CShellOpenSeam::Install(nullptr);
    if (opener != &m_shellOpen) {
        CShellOpenSeam::Install(opener);
    }
    IFileDialog* dialog = CFileDialogSeam::Install(nullptr);
    if (dialog != &m_fileDialog) {
        CFileDialogSeam::Install(dialog);
    }
    return 0;
}
