#include "mosaic/CAppearanceModel.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Cell boundary i of kSide along a span of length starting at from.
int CellEdge(int from, int length, int i) {
    return from + static_cast<int>(static_cast<long long>(length) * i / CAppearanceModel::kSide);
}

double CellMean(const CGreyPicture& picture, int x0, int y0, int x1, int y1) {
    x1 = std::max(x1, x0 + 1);
    y1 = std::max(y1, y0 + 1);
    long long sum = 0;
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* row = picture.Row(y);
        sum = std::accumulate(row + x0, row + x1, sum);
    }
    return static_cast<double>(sum) / ((x1 - x0) * (y1 - y0));
}

} // namespace

CAppearanceModel::Grid CAppearanceModel::Sample(const CGreyPicture& picture, const T_RECT& rect) {
    Grid grid{};
    const int marginX = (rect.right - rect.left) * 15 / 100;
    const int marginY = (rect.bottom - rect.top) * 15 / 100;
    const T_RECT clipped{std::max(rect.left + marginX, 0), std::max(rect.top + marginY, 0),
                         std::min(rect.right - marginX, picture.Width()),
                         std::min(rect.bottom - marginY, picture.Height())};
    if (clipped.IsEmpty()) {
        return grid;
    }
    const int width = clipped.right - clipped.left;
    const int height = clipped.bottom - clipped.top;
    for (int cy = 0; cy < kSide; ++cy) {
        const int y0 = std::min(CellEdge(clipped.top, height, cy), clipped.bottom - 1);
        const int y1 = CellEdge(clipped.top, height, cy + 1);
        for (int cx = 0; cx < kSide; ++cx) {
            const int x0 = std::min(CellEdge(clipped.left, width, cx), clipped.right - 1);
            const int x1 = CellEdge(clipped.left, width, cx + 1);
            grid[cy * kSide + cx] = static_cast<float>(CellMean(picture, x0, y0, x1, y1));
        }
    }
    Normalise(grid);
    return grid;
}

void CAppearanceModel::Normalise(Grid& grid) {
    const double mean = std::accumulate(grid.begin(), grid.end(), 0.0) / grid.size();
    double energy = 0.0;
    for (float& value : grid) {
        value = static_cast<float>(value - mean);
        energy += static_cast<double>(value) * value;
    }
    // A flat grid correlates with nothing.
    const double norm = std::sqrt(energy);
    for (float& value : grid) {
        value = norm > 1e-6 ? static_cast<float>(value / norm) : 0.0F;
    }
}

void CAppearanceModel::Learn(const Grid& sample, float rate) {
    for (std::size_t i = 0; i < m_model.size(); ++i) {
        m_model[i] += rate * (sample[i] - m_model[i]);
    }
    Normalise(m_model);
}

double CAppearanceModel::Similarity(const Grid& sample) const {
    return std::inner_product(sample.begin(), sample.end(), m_model.begin(), 0.0);
}
