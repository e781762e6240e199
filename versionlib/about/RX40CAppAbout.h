#pragma once

#include "versionlib/RX40dAppExport.h"

#include <cstdint>
#include <string>
#include <vector>

class QIcon;

// The full About dialog the library offers to host programs: logo, the running program's
// version and release note, the maker's page, optional phone line and free text, copyright
// and trademark lines, and the files of the program's folder with their versions. Two hidden
// buttons, shown and hidden with the Ctrl key, open the program and settings folders.
// Texts are UTF-8. The host needs a running QApplication for DoModal.
class RX40DAPP_API RX40CAppAbout {
public:
    RX40CAppAbout();
    virtual ~RX40CAppAbout();

    // icon: shown in the dialog, owned by the host (null for none); recurse: non-zero lists
    // subfolders too; reserved is kept but unused; text: free text, shown when not empty.
    virtual void SetParams(const QIcon* icon, std::int32_t recurse, std::uint16_t reserved,
                           const char* text);
    // An extension the file list shows, with or without its leading dot.
    virtual void AddExtFilter(const char* extension);
    // A name part that keeps a file out of the list, whatever its case.
    virtual void AddExcludeKeyword(const char* keyword);
    // Shows the dialog modally: 1 for OK, -1 when there is no QApplication to show it in.
    virtual std::intptr_t DoModal();

private:
    const QIcon* m_icon = nullptr;
    std::int32_t m_recurse = 1;
    std::uint16_t m_reserved = 0;
    std::string m_text;
    std::vector<std::string> m_extFilters{"exe"};
    std::vector<std::string> m_excludeKeywords;
};

// A new full dialog with the defaults (extension filter "exe", recursion on); null when memory
// runs out. The caller deletes it.
extern "C" RX40DAPP_API RX40CAppAbout* CreateAppAbout();
