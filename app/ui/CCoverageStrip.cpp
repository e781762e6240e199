#include "app/ui/CCoverageStrip.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

CCoverageStrip::CCoverageStrip(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("coverageStrip"));
    setCursor(Qt::PointingHandCursor);
}

void CCoverageStrip::Show(std::vector<CCoverage::Kind> kinds, std::int64_t current) {
    if (kinds != m_kinds || current != m_current) {
        m_kinds = std::move(kinds);
        m_current = current;
        update();
    }
}

QColor CCoverageStrip::ColourOf(CCoverage::Kind kind) {
    switch (kind) {
    case CCoverage::Kind::Fixed:
        return QColor(90, 120, 200);
    case CCoverage::Kind::Track:
        return QColor(60, 170, 80);
    case CCoverage::Kind::Unsure:
        return QColor(255, 176, 0);
    case CCoverage::Kind::Gap:
        return QColor(220, 30, 30);
    default:
        return QColor(150, 150, 150);
    }
}

std::int64_t CCoverageStrip::FrameAt(int x) const {
    const auto frames = static_cast<std::int64_t>(m_kinds.size());
    if (frames == 0 || width() <= 0) {
        return -1;
    }
    return std::clamp<std::int64_t>(std::int64_t{x} * frames / width(), 0, frames - 1);
}

CCoverage::Kind CCoverageStrip::KindAtPixel(int x) const {
    const auto frames = static_cast<std::int64_t>(m_kinds.size());
    const std::int64_t from = FrameAt(x);
    const std::int64_t to = std::max(from + 1, std::int64_t{x + 1} * frames / width());
    return *std::max_element(m_kinds.begin() + from,
                             m_kinds.begin() + std::min(to, frames));
}

void CCoverageStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColourOf(CCoverage::Kind::None));
    if (m_kinds.empty()) {
        return;
    }
    for (int x = 0; x < width(); ++x) {
        const CCoverage::Kind kind = KindAtPixel(x);
        if (kind != CCoverage::Kind::None) {
            painter.fillRect(x, 0, 1, height(), ColourOf(kind));
        }
    }
    if (m_current >= 0) {
        const auto x = static_cast<int>(m_current * width() / static_cast<std::int64_t>(m_kinds.size()));
        painter.fillRect(x, 0, 2, height(), Qt::black);
    }
}

void CCoverageStrip::mousePressEvent(QMouseEvent* event) {
    const std::int64_t frame = FrameAt(event->position().toPoint().x());
    if (event->button() == Qt::LeftButton && frame >= 0) {
        emit frameChosen(static_cast<int>(frame));
    }
}
