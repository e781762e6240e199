#include "app/ui/CStaticURL.h"

#include "platform/CShellOpenSeam.h"

#include <QMouseEvent>

CStaticURL::CStaticURL(QWidget* parent) : QLabel(parent) {
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
    setTextFormat(Qt::PlainText);
}

void CStaticURL::SetAddress(const QString& address) {
    setText(address);
    if (address.isEmpty()) {
        unsetCursor();
    } else {
        setCursor(Qt::PointingHandCursor);
    }
}

void CStaticURL::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void CStaticURL::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !text().isEmpty()) {
        CShellOpenSeam::Open(text().toStdString());
    }
}

void CStaticURL::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}
