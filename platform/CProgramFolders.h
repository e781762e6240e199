#pragma once

#include <string>
#include <string_view>

// The folders the program works in: its own folder and the per-user data folder, and whether
// the user's account belongs to a domain. Folders are returned without a trailing slash.
class CProgramFolders {
public:
    // The running executable's full path, and its folder.
    static std::string GetModulePath();
    static std::string GetModuleFolder();
    // $XDG_CONFIG_HOME (else ~/.config), then "Velmarro", then the name of the program folder;
    // created when missing. Empty when there is no configuration folder at all.
    static std::string GetUserDataFolder(const std::string& programFolder);
    // The same folder's name, without making it.
    static std::string UserDataFolderPath(const std::string& programFolder);
    static bool IsDomainUser();
    // True when the account name carries a domain ("user@DOMAIN", "DOMAIN\user") that is not
    // the host's name, compared without regard to case.
    static bool IsDomainAccount(std::string_view account, std::string_view hostName);

private:
    static std::string configurationHome();
};
