#include "versionlib/about/CAppAboutResources.h"

#include "versionlib/RX40CFileVersion.h"
#include "versionlib/about/CStaticLogo.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

QImage CAppAboutResources::Logo() {
    const QImage hosts(QStringLiteral(":/RX40dApp/bitmap/%1").arg(LogoBitmap));
    if (!hosts.isNull()) {
        return hosts;
    }
    QImage own(200, 50, QImage::Format_RGB888);
    own.fill(QColor::fromRgb(CStaticLogo::TransparentColour));
    QPainter painter(&own);
    QSvgRenderer(QStringLiteral(":/RX40dApp-own/maker-logo.svg")).render(&painter);
    return own;
}

QString CAppAboutResources::String(int id) {
    QFile hosts(QStringLiteral(":/RX40dApp/string/%1").arg(id));
    if (hosts.open(QIODevice::ReadOnly)) {
        return QString::fromUtf8(hosts.readAll());
    }
    switch (id) {
    case WebAddress:
        return QStringLiteral("https://velmarro.example/");
    case PhoneNumber:
    case TrademarkLine:
        return QStringLiteral(" ");
    default:
        return {};
    }
}

QString CAppAboutResources::VersionLine(const RX40CFileVersion& version) {
    return QString::fromStdString(version.GetFileName() + " " + version.ToStrFixedFileVersion());
}
