#include "app/ui/RX40sCOOIconToolBar.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <map>

namespace {

// Icon numbers: the normal, disabled and hot pictures of each button, and the program icon.
const std::map<int, const char*>& IconNames() {
    static const std::map<int, const char*> names{
        {143, "open-hot"},         {144, "open"},           {169, "open-disabled"},
        {146, "mode-fixed"},       {170, "mode-fixed-disabled"},   {147, "mode-fixed-hot"},
        {148, "mode-moving"},      {171, "mode-moving-disabled"},  {149, "mode-moving-hot"},
        {150, "mode-preview"},     {172, "mode-preview-disabled"}, {151, "mode-preview-hot"},
        {152, "save"},             {173, "save-disabled"},  {145, "save-hot"},
        {154, "first"},            {174, "first-disabled"}, {155, "first-hot"},
        {156, "back"},             {175, "back-disabled"},  {157, "back-hot"},
        {158, "play"},             {176, "play-disabled"},  {159, "play-hot"},
        {160, "stop"},             {177, "stop-disabled"},  {161, "stop-hot"},
        {162, "next"},             {178, "next-disabled"},  {163, "next-hot"},
        {164, "last"},             {179, "last-disabled"},  {165, "last-hot"},
        {182, "track"},            {183, "track-disabled"}, {184, "track-hot"},
        {168, "deinterlace"},      {181, "deinterlace-disabled"}, {153, "deinterlace-hot"},
        {RX40sCOOIconToolBar::ProgramIconId, "quorvel"},
    };
    return names;
}

QPixmap Picture(int iconId, int size) {
    const QString path = RX40sCOOIconToolBar::IconPath(iconId);
    // A picture not built into the program leaves the button without one.
    return QFile::exists(path) ? QIcon(path).pixmap(size, size) : QPixmap();
}

} // namespace

QString RX40sCOOIconToolBar::IconPath(int iconId) {
    const auto found = IconNames().find(iconId);
    return found == IconNames().end() ? QString()
                                      : QStringLiteral(":/icons/%1.svg").arg(found->second);
}

QIcon RX40sCOOIconToolBar::ProgramIcon() {
    QIcon icon;
    for (const int size : {SmallPicture, LargePicture}) {
        icon.addPixmap(Picture(ProgramIconId, size));
    }
    return icon;
}

QIcon RX40sCOOIconToolBar::ButtonIcon(int normal, int disabled, int hot) {
    QIcon icon;
    for (const int size : {SmallPicture, LargePicture}) {
        const QPixmap normalPicture = Picture(normal, size);
        icon.addPixmap(normalPicture, QIcon::Normal);
        icon.addPixmap(hot != 0 ? Picture(hot, size) : normalPicture, QIcon::Active);
        icon.addPixmap(disabled != 0 ? Picture(disabled, size)
                                     : CreateGrayIcon(QIcon(normalPicture), size),
                       QIcon::Disabled);
    }
    return icon;
}

void RX40sCOOIconToolBar::AddButtonIcon(int normal, int disabled, int hot) {
    const std::vector<QAction*> buttons = Buttons();
    if (m_nextButton < buttons.size()) {
        buttons[m_nextButton++]->setIcon(ButtonIcon(normal, disabled, hot));
    }
}

bool RX40sCOOIconToolBar::ReplaceButtonIcon(int normal, int disabled, int hot) {
    const std::vector<QAction*> buttons = Buttons();
    if (buttons.size() <= ReplaceableButton) {
        return false;
    }
    buttons[ReplaceableButton]->setIcon(ButtonIcon(normal, disabled, hot));
    return true;
}

QPixmap RX40sCOOIconToolBar::CreateGrayIcon(const QIcon& icon, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        icon.paint(&painter, 0, 0, size, size);
    }
    for (int y = 0; y < size; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int r = qRed(line[x]);
            const int g = qGreen(line[x]);
            const int b = qBlue(line[x]);
            const int grey = static_cast<int>(std::sqrt((r * r + g * g + b * b) / 3.0));
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
        }
    }
    return QPixmap::fromImage(image);
}
