#pragma once

#include <string>

// The two folders the About dialogs' hidden buttons open: the running program's folder and
// its settings folder (the configuration folder, then "Velmarro", then the program folder's
// name).
class CAppAboutFolders {
public:
    static std::string ProgramPath();
    static std::string ProgramFolder();
    static std::string SettingsFolder();
    static bool SettingsFolderExists();

    static void OpenProgramFolder();
    // Makes the configuration folder when missing (not the settings folder), then asks the
    // desktop to open the settings folder.
    static void OpenSettingsFolder();
    // Opens the settings folder only when it exists.
    static void OpenExistingSettingsFolder();
};
