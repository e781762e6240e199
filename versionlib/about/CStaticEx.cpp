#include "versionlib/about/CStaticEx.h"

CStaticEx::CStaticEx(QWidget* parent) : QLabel(parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
    setTextFormat(Qt::PlainText);
}
