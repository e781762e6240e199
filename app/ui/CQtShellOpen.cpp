#include "app/ui/CQtShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

bool CQtShellOpen::Open(const std::string& target) {
    const QString text = QString::fromStdString(target);
    // A path is never read as an address, whatever characters it holds.
    const QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text);
    return url.isValid() && QDesktopServices::openUrl(url);
}
