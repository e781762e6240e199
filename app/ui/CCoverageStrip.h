#pragma once

#include "mosaic/CCoverage.h"

#include <QWidget>

#include <cstdint>
#include <vector>

// A thin strip under the frame slider: for every frame whether a fixed area or a track hides
// it, with the gaps of the tracks in red and the frames a tracker was unsure of in amber, and
// the current frame marked. Where a pixel stands for several frames it shows the one that
// needs the user most. A click chooses the frame under the pointer.
class CCoverageStrip : public QWidget {
    Q_OBJECT
public:
    explicit CCoverageStrip(QWidget* parent = nullptr);

    // The kind of each frame of the movie, and its current frame (-1: none).
    void Show(std::vector<CCoverage::Kind> kinds, std::int64_t current);
    const std::vector<CCoverage::Kind>& Kinds() const { return m_kinds; }
    static QColor ColourOf(CCoverage::Kind kind);
    // The frame at x, within the movie; -1 without one.
    std::int64_t FrameAt(int x) const;

signals:
    void frameChosen(int frame);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    CCoverage::Kind KindAtPixel(int x) const;

    std::vector<CCoverage::Kind> m_kinds;
    std::int64_t m_current = -1;
};
