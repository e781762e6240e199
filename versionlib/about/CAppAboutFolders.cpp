#include "versionlib/about/CAppAboutFolders.h"

#include "platform/CProgramFolders.h"

#include <QDesktopServices>
#include <QUrl>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// A failing desktop action is not reported.
void Open(const std::string& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

} // namespace

std::string CAppAboutFolders::ProgramPath() {
    return CProgramFolders::GetModulePath();
}

std::string CAppAboutFolders::ProgramFolder() {
    return CProgramFolders::GetModuleFolder();
}

std::string CAppAboutFolders::SettingsFolder() {
    return CProgramFolders::UserDataFolderPath(ProgramFolder());
}

bool CAppAboutFolders::SettingsFolderExists() {
    const std::string folder = SettingsFolder();
    std::error_code error;
    return !folder.empty() && fs::is_directory(folder, error);
}

void CAppAboutFolders::OpenProgramFolder() {
    Open(ProgramFolder());
}

void CAppAboutFolders::OpenSettingsFolder() {
    const std::string folder = SettingsFolder();
    if (folder.empty()) {
        return;
    }
    std::error_code error;
    fs::create_directories(fs::path(folder).parent_path().parent_path(), error);
    Open(folder);
}

void CAppAboutFolders::OpenExistingSettingsFolder() {
    if (SettingsFolderExists()) {
        Open(SettingsFolder());
    }
}
