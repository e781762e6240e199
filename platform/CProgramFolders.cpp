#include "platform/CProgramFolders.h"

#include "platform/CAsciiText.h"

#include <climits>
#include <cstdlib>
#include <filesystem>

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string AccountName() {
    const passwd* entry = ::getpwuid(::geteuid());
    return entry && entry->pw_name ? entry->pw_name : "";
}

std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home && *home) {
        return home;
    }
    const passwd* entry = ::getpwuid(::geteuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

std::string_view DomainOf(std::string_view account) {
    if (const auto at = account.rfind('@'); at != std::string_view::npos) {
        return account.substr(at + 1);
    }
    if (const auto slash = account.find('\\'); slash != std::string_view::npos) {
        return account.substr(0, slash);
    }
    return {};
}

std::string_view ShortName(std::string_view host) {
    return host.substr(0, host.find('.'));
}

} // namespace

std::string CProgramFolders::GetModulePath() {
    std::error_code ec;
    const fs::path path = fs::read_symlink("/proc/self/exe", ec);
    return ec ? std::string{} : path.string();
}

std::string CProgramFolders::GetModuleFolder() {
    return fs::path(GetModulePath()).parent_path().string();
}

std::string CProgramFolders::configurationHome() {
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    // Relative values are invalid by the base-directory rules and are ignored.
    if (configured && configured[0] == '/') {
        return configured;
    }
    const std::string home = HomeFolder();
    return home.empty() ? std::string{} : home + "/.config";
}

std::string CProgramFolders::UserDataFolderPath(const std::string& programFolder) {
    const std::string base = configurationHome();
    if (base.empty()) {
        return {};
    }
    std::string folder = programFolder;
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return base + "/Velmarro/" + fs::path(folder).filename().string();
}

std::string CProgramFolders::GetUserDataFolder(const std::string& programFolder) {
    const std::string result = UserDataFolderPath(programFolder);
    if (!result.empty()) {
        std::error_code ec;
        fs::create_directories(result, ec);
    }
    return result;
}

bool CProgramFolders::IsDomainAccount(std::string_view account, std::string_view hostName) {
    const std::string_view domain = DomainOf(account);
    if (domain.empty()) {
        return false;
    }
    return !CAsciiText::EqualNoCase(domain, hostName) &&
           !CAsciiText::EqualNoCase(domain, ShortName(hostName));
}

bool CProgramFolders::IsDomainUser() {
    char host[HOST_NAME_MAX + 1] = {};
    if (::gethostname(host, sizeof host - 1) != 0) {
        return false;
    }
    return IsDomainAccount(AccountName(), host);
}
