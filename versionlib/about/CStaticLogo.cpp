#include "versionlib/about/CStaticLogo.h"

#include <QPainter>

CStaticLogo::CStaticLogo(QWidget* parent) : QWidget(parent) {}

void CStaticLogo::SetBitmap(const QImage& bitmap) {
    m_painted = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < m_painted.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(m_painted.scanLine(y));
        for (int x = 0; x < m_painted.width(); ++x) {
            if (row[x] == TransparentColour) {
                row[x] = qRgba(0, 0, 0, 0);
            }
        }
    }
    setFixedSize(m_painted.size());
    update();
}

void CStaticLogo::paintEvent(QPaintEvent*) {
    if (m_painted.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.setClipRect(rect());
    painter.drawImage(0, 0, m_painted);
}
