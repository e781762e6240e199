#include "versionlib/about/RX40CAppAbout.h"

#include "versionlib/about/CAppAboutDialog.h"
#include "versionlib/about/CAppAboutFiles.h"

#include <QApplication>

#include <new>

RX40CAppAbout::RX40CAppAbout() = default;
RX40CAppAbout::~RX40CAppAbout() = default;

void RX40CAppAbout::SetParams(const QIcon* icon, std::int32_t recurse, std::uint16_t reserved,
                              const char* text) {
    m_icon = icon;
    m_recurse = recurse;
    m_reserved = reserved;
    m_text = text != nullptr ? text : "";
}

void RX40CAppAbout::AddExtFilter(const char* extension) {
    m_extFilters.emplace_back(extension != nullptr ? extension : "");
}

void RX40CAppAbout::AddExcludeKeyword(const char* keyword) {
    m_excludeKeywords.emplace_back(keyword != nullptr ? keyword : "");
}

std::intptr_t RX40CAppAbout::DoModal() {
    // Hosts that only read versions run no GUI; a dialog needs one.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return -1;
    }
    CAppAboutDialog::Params params;
    params.icon = m_icon;
    params.recurse = m_recurse;
    params.reserved = m_reserved;
    params.text = m_text;
    params.extFilters = CAppAboutFiles::NormalizeFilters(m_extFilters);
    params.excludeKeywords = CAppAboutFiles::NormalizeKeywords(m_excludeKeywords);
    CAppAboutDialog dialog(std::move(params), QApplication::activeWindow());
    return dialog.exec();
}

RX40CAppAbout* CreateAppAbout() {
    return new (std::nothrow) RX40CAppAbout();
}
