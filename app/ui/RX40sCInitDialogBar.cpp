#include "app/ui/RX40sCInitDialogBar.h"

#include <QFontMetrics>

#include <algorithm>

RX40sCInitDialogBar::RX40sCInitDialogBar(const QString& caption, QWidget* parent)
    : QToolBar(caption, parent) {
    setAllowedAreas(Qt::TopToolBarArea);
    setMovable(true);
    setFloatable(true);
}

bool RX40sCInitDialogBar::Create() {
    CreateControls();
    return InitializeBar();
}

int RX40sCInitDialogBar::DluX(int units) const {
    // The average width of the Latin letters, as dialog units are defined.
    const QFontMetrics metrics(font());
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return units * letters / (52 * 4);
}

int RX40sCInitDialogBar::DluY(int units) const {
    return units * QFontMetrics(font()).height() / 8;
}

QWidget* RX40sCInitDialogBar::AddControl(QWidget* control, int width, int height) {
    // Never narrower than its contents: a text may be longer in another language.
    control->setFixedSize(std::max(DluX(width), control->sizeHint().width()), DluY(height));
    addWidget(control);
    return control;
}
