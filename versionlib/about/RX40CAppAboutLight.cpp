#include "versionlib/about/RX40CAppAboutLight.h"

#include "versionlib/about/CAppAboutDialogLight.h"

#include <QApplication>

#include <new>

RX40CAppAboutLight::RX40CAppAboutLight() = default;

RX40CAppAboutLight::RX40CAppAboutLight(std::int32_t showButtons, const char* title)
    : m_showButtons(showButtons), m_title(title != nullptr ? title : "") {}

RX40CAppAboutLight::RX40CAppAboutLight(const RX40CAppAboutLight& other) = default;
RX40CAppAboutLight& RX40CAppAboutLight::operator=(const RX40CAppAboutLight& other) = default;
RX40CAppAboutLight::~RX40CAppAboutLight() = default;

std::intptr_t RX40CAppAboutLight::DoModal(const QIcon* icon) {
    // Hosts that only read versions run no GUI; a dialog needs one.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return -1;
    }
    CAppAboutDialogLight dialog(m_showButtons, m_title, icon, QApplication::activeWindow());
    return dialog.exec();
}

RX40CAppAboutLight* CreateAppAboutLight() {
    return new (std::nothrow) RX40CAppAboutLight();
}
