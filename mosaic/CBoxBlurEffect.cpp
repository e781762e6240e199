#include "mosaic/CBoxBlurEffect.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kChannels = 4; // blue, green, red, count
constexpr int kReciprocalShift = 40;

std::size_t Bytes(long long pixels) {
    return static_cast<std::size_t>(pixels) * 3;
}

} // namespace

int CBoxBlurEffect::Radius(int size) {
    return std::clamp(size, kMinRadius, kMaxRadius);
}

void CBoxBlurEffect::Apply(CFrameBuffer& picture, const T_RECT& area, int size) {
    m_radius = Radius(size);
    m_left = area.left;
    m_right = area.right;
    m_width = picture.Width();
    m_total = m_width * picture.Height();
    const long long firstRow = picture.TopDown() ? area.top : picture.Height() - area.bottom;
    const long long lastRow = firstRow + (area.bottom - area.top) - 1;
    CopySource(picture, firstRow, lastRow);
    PrepareReciprocals();

    const std::size_t values = static_cast<std::size_t>(m_right - m_left) * kChannels;
    m_rows.resize(values * (2 * m_radius + 1));
    m_column.assign(values, 0);
    for (long long row = firstRow - m_radius; row <= firstRow + m_radius; ++row) {
        std::uint32_t* slot = Slot(row, firstRow);
        SumRow(row, slot);
        for (std::size_t i = 0; i < values; ++i) {
            m_column[i] += slot[i];
        }
    }
    for (long long row = firstRow;; ++row) {
        WriteRow(picture, static_cast<int>(row));
        if (row == lastRow) {
            break;
        }
        // The row leaving the window and the row entering it share a ring slot.
        std::uint32_t* slot = Slot(row - m_radius, firstRow);
        for (std::size_t i = 0; i < values; ++i) {
            m_column[i] -= slot[i];
        }
        SumRow(row + m_radius + 1, slot);
        for (std::size_t i = 0; i < values; ++i) {
            m_column[i] += slot[i];
        }
    }
}

void CBoxBlurEffect::CopySource(const CFrameBuffer& picture, long long firstRow,
                                long long lastRow) {
    m_sourceStart = (firstRow - m_radius) * m_width + m_left - m_radius;
    const long long end = (lastRow + m_radius) * m_width + m_right + m_radius;
    // One spare pixel past the end: the sliding sum steps once beyond the last window.
    m_source.assign(Bytes(end - m_sourceStart + 1), 0);
    const long long from = std::max(m_sourceStart, 0LL);
    const long long to = std::min(end, m_total);
    for (long long pos = from; pos < to;) {
        const long long row = pos / m_width;
        const long long column = pos - row * m_width;
        const long long run = std::min(to - pos, m_width - column);
        std::memcpy(m_source.data() + Bytes(pos - m_sourceStart),
                    picture.MemoryRow(static_cast<int>(row)) + Bytes(column), Bytes(run));
        pos += run;
    }
}

void CBoxBlurEffect::PrepareReciprocals() {
    constexpr std::size_t largest = (2 * kMaxRadius + 1) * (2 * kMaxRadius + 1);
    if (!m_reciprocal.empty()) {
        return;
    }
    m_reciprocal.resize(largest + 1, 0);
    for (std::uint64_t n = 1; n <= largest; ++n) {
        m_reciprocal[n] = ((std::uint64_t{1} << kReciprocalShift) + n - 1) / n;
    }
}

std::uint32_t CBoxBlurEffect::CountAround(long long position) const {
    const long long first = std::clamp(position - m_radius, 0LL, m_total);
    const long long end = std::clamp(position + m_radius + 1, 0LL, m_total);
    return static_cast<std::uint32_t>(end - first);
}

void CBoxBlurEffect::SumRow(long long memoryRow, std::uint32_t* out) const {
    const long long base = memoryRow * m_width;
    const int columns = m_right - m_left;
    const std::uint8_t* window = m_source.data() + Bytes(base + m_left - m_radius - m_sourceStart);
    const std::size_t span = Bytes(2 * m_radius + 1);
    std::uint32_t blue = 0;
    std::uint32_t green = 0;
    std::uint32_t red = 0;
    for (std::size_t i = 0; i < span; i += 3) {
        blue += window[i];
        green += window[i + 1];
        red += window[i + 2];
    }
    const bool inside = base + m_left - m_radius >= 0 && base + m_right - 1 + m_radius < m_total;
    const auto full = static_cast<std::uint32_t>(2 * m_radius + 1);
    for (int i = 0; i < columns; ++i, window += 3, out += kChannels) {
        out[0] = blue;
        out[1] = green;
        out[2] = red;
        out[3] = inside ? full : CountAround(base + m_left + i);
        blue += window[span] - window[0];
        green += window[span + 1] - window[1];
        red += window[span + 2] - window[2];
    }
}

void CBoxBlurEffect::WriteRow(CFrameBuffer& picture, int memoryRow) const {
    std::uint8_t* out = picture.MemoryRow(memoryRow) + Bytes(m_left);
    const std::uint32_t* sums = m_column.data();
    for (int x = m_left; x < m_right; ++x, out += 3, sums += kChannels) {
        if (sums[3] == 0) {
            continue;
        }
        const std::uint64_t reciprocal = m_reciprocal[sums[3]];
        for (int c = 0; c < 3; ++c) {
            out[c] = static_cast<std::uint8_t>((sums[c] * reciprocal) >> kReciprocalShift);
        }
    }
}

std::uint32_t* CBoxBlurEffect::Slot(long long memoryRow, long long firstRow) {
    const long long ring = 2 * m_radius + 1;
    const long long index = (memoryRow - (firstRow - m_radius)) % ring;
    return m_rows.data() + static_cast<std::size_t>(index) * (m_right - m_left) * kChannels;
}
