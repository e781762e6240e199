#pragma once

#include "versionlib/RX40dAppExport.h"

#include <cstdint>
#include <string>

class QIcon;

// The light About dialog the library offers to host programs: icon, title, the running
// program's file name and version, its copyright and, on request, two buttons that open the
// program and settings folders (the Ctrl key shows and hides them too). Texts are UTF-8.
class RX40DAPP_API RX40CAppAboutLight {
public:
    RX40CAppAboutLight();
    // showButtons: non-zero shows the folder buttons; title: empty for the program's internal name.
    RX40CAppAboutLight(std::int32_t showButtons, const char* title);
    RX40CAppAboutLight(const RX40CAppAboutLight& other);
    RX40CAppAboutLight& operator=(const RX40CAppAboutLight& other);
    virtual ~RX40CAppAboutLight();

    // Shows the dialog modally with the host's icon (null for none): 1 for OK, -1 when there
    // is no QApplication to show it in.
    virtual std::intptr_t DoModal(const QIcon* icon);

private:
    std::int32_t m_showButtons = 1;
    std::string m_title;
};

// A new light dialog with the folder buttons shown and an empty title; null when memory runs
// out. The caller deletes it.
extern "C" RX40DAPP_API RX40CAppAboutLight* CreateAppAboutLight();
