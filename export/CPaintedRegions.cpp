#include "export/CPaintedRegions.h"

#include <algorithm>

namespace {

int Down(int value, int step) {
    return value / step * step;
}

int Up(int value, int step, int limit) {
    return std::min((value + step - 1) / step * step, limit);
}

bool Overlap(const T_RECT& a, const T_RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

std::vector<T_RECT> CPaintedRegions::Of(const std::vector<T_RECT>& reaches, int width, int height,
                                        int columnStep, int rowStep) {
    std::vector<T_RECT> regions;
    for (const T_RECT& reach : reaches) {
        const T_RECT region = OnGrid(reach, width, height, columnStep, rowStep);
        if (!region.IsEmpty()) {
            regions.push_back(region);
        }
    }
    while (JoinOverlapping(regions)) {
    }
    return regions;
}

T_RECT CPaintedRegions::OnGrid(const T_RECT& reach, int width, int height, int columnStep,
                               int rowStep) {
    const T_RECT inside{std::max(reach.left, 0), std::max(reach.top, 0),
                        std::min(reach.right, width), std::min(reach.bottom, height)};
    if (inside.IsEmpty() || columnStep <= 0 || rowStep <= 0) {
        return T_RECT{};
    }
    return T_RECT{Down(inside.left, columnStep), Down(inside.top, rowStep),
                  Up(inside.right, columnStep, width), Up(inside.bottom, rowStep, height)};
}

bool CPaintedRegions::JoinOverlapping(std::vector<T_RECT>& regions) {
    for (std::size_t i = 0; i < regions.size(); ++i) {
        for (std::size_t j = i + 1; j < regions.size(); ++j) {
            if (Overlap(regions[i], regions[j])) {
                T_RECT& joined = regions[i];
                const T_RECT& other = regions[j];
                joined = T_RECT{std::min(joined.left, other.left), std::min(joined.top, other.top),
                                std::max(joined.right, other.right),
                                std::max(joined.bottom, other.bottom)};
                regions.erase(regions.begin() + static_cast<std::ptrdiff_t>(j));
                return true;
            }
        }
    }
    return false;
}
