#include "tests/oracle/CReferenceEffects.h"

#include "mosaic/CBoxBlurEffect.h"
#include "mosaic/CFrostRandom.h"
#include "mosaic/CMosaicPainter.h"

#include <algorithm>
#include <cstring>

void CReferenceEffects::PaintArea(CFrameBuffer& picture, const T_RECT& rect, int size, int sizeId) {
    const T_RECT area = CMosaicPainter::ClipToPicture(rect, picture);
    if (area.IsEmpty()) {
        return;
    }
    Pack(picture);
    switch (CMosaicPainter::EffectOf(sizeId)) {
    case CMosaicPainter::Effect::Pixelate:
        Pixelate(area, size);
        break;
    case CMosaicPainter::Effect::FrostedGlass:
        FrostedGlass(area);
        break;
    case CMosaicPainter::Effect::Invert:
        Invert(area);
        break;
    case CMosaicPainter::Effect::BlackFill:
        BlackFill(area);
        break;
    case CMosaicPainter::Effect::BoxBlur:
        BoxBlur(area, size);
        break;
    case CMosaicPainter::Effect::None:
        break;
    }
    Unpack(picture);
}

void CReferenceEffects::Pixelate(const T_RECT& area, int blockEdge) {
    const long long s = std::max(blockEdge, 1);
    for (long long i = 0; i <= m_width / s; ++i) {
        for (long long j = 0; j <= m_height / s; ++j) {
            const long long x0 = i * s;
            const long long y0 = j * s;
            std::array<std::uint64_t, 3> sum{};
            std::uint64_t count = 0;
            for (long long x = x0; x < x0 + s && x < area.right; ++x) {
                if (x >= area.left - s && y0 >= area.top - s && y0 < area.bottom) {
                    for (int c = 0; c < 3; ++c) {
                        sum[c] += m_bits[Position(x, y0) + c];
                    }
                    ++count;
                }
            }
            if (count == 0) {
                continue;
            }
            for (long long x = x0; x < x0 + s && x < area.right; ++x) {
                for (long long y = y0; y < y0 + s && y < area.bottom; ++y) {
                    if (x >= area.left && y >= area.top) {
                        for (int c = 0; c < 3; ++c) {
                            m_bits[Position(x, y) + c] = static_cast<std::uint8_t>(
                                std::min<std::uint64_t>(sum[c] / count, 255));
                        }
                    }
                }
            }
        }
    }
}

void CReferenceEffects::FrostedGlass(const T_RECT& area) {
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            std::uint8_t kept[3];
            std::memcpy(kept, &m_bits[Position(x, y)], 3);
            CFrostRandom generator(static_cast<std::uint32_t>(x) * static_cast<std::uint32_t>(y));
            const auto d1 = static_cast<int>(generator.Next() % 11);
            const auto d2 = static_cast<int>(generator.Next() % 11);
            const int tx = std::min(std::max(x - 5 + d1, 0), m_width - 1);
            const int ty = std::min(std::max(y - 5 + d2, 0), m_height - 1);
            std::memcpy(&m_bits[Position(x, y)], &m_bits[Position(tx, ty)], 3);
            std::memcpy(&m_bits[Position(tx, ty)], kept, 3);
        }
    }
}

void CReferenceEffects::Invert(const T_RECT& area) {
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int c = 0; c < 3; ++c) {
                m_bits[Position(x, y) + c] =
                    static_cast<std::uint8_t>(255 - m_bits[Position(x, y) + c]);
            }
        }
    }
}

void CReferenceEffects::BlackFill(const T_RECT& area) {
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            std::memset(&m_bits[Position(x, y)], 0, 3);
        }
    }
}

void CReferenceEffects::BoxBlur(const T_RECT& area, int size) {
    const std::vector<std::uint8_t> copy = m_bits;
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            const int mode = y > area.top ? 2 : (x > area.left ? 1 : 0);
            std::uint8_t out[3];
            if (BlurPixel(copy, size, x, y, mode, out)) {
                std::memcpy(&m_bits[Position(x, y)], out, 3);
            }
        }
    }
}

bool CReferenceEffects::BlurPixel(const std::vector<std::uint8_t>& copy, int size, int x, int y,
                                  int mode, std::uint8_t* out) {
    const int r = CBoxBlurEffect::Radius(size);
    if (mode == 0) {
        m_current = {};
        AddWindow(copy, x, y, r);
        m_columnStart = m_current;
    } else if (mode == 1) {
        m_current = m_columnStart;
        for (long long yy = y - r; yy <= y + r; ++yy) {
            Accumulate(copy, x - r - 1, yy, -1);
            Accumulate(copy, x + r, yy, +1);
        }
        m_columnStart = m_current;
    } else {
        for (long long xx = x - r; xx <= x + r; ++xx) {
            Accumulate(copy, xx, y - r - 1, -1);
            Accumulate(copy, xx, y + r, +1);
        }
    }
    if (m_current[3] == 0) {
        return false;
    }
    for (int c = 0; c < 3; ++c) {
        out[c] = static_cast<std::uint8_t>(m_current[c] / m_current[3]);
    }
    return true;
}

void CReferenceEffects::AddWindow(const std::vector<std::uint8_t>& copy, int x, int y, int radius) {
    for (long long xx = x - radius; xx <= x + radius; ++xx) {
        for (long long yy = y - radius; yy <= y + radius; ++yy) {
            Accumulate(copy, xx, yy, +1);
        }
    }
}

void CReferenceEffects::Accumulate(const std::vector<std::uint8_t>& copy, long long x, long long y,
                                   int sign) {
    const long long p = Position(x, y);
    if (!Counts(p)) {
        return;
    }
    const auto step = static_cast<std::uint32_t>(sign);
    for (int c = 0; c < 3; ++c) {
        m_current[c] += step * copy[p + c];
    }
    m_current[3] += step;
}

long long CReferenceEffects::Position(long long x, long long y) const {
    const long long row = m_topDown ? y : m_height - 1 - y;
    return row * 3 * m_width + 3 * x;
}

bool CReferenceEffects::Counts(long long position) const {
    return position >= 0 && position + 2 < 3LL * m_width * m_height;
}

void CReferenceEffects::Pack(const CFrameBuffer& picture) {
    m_width = picture.Width();
    m_height = picture.Height();
    m_topDown = picture.TopDown();
    m_bits.resize(picture.PackedRowBytes() * m_height);
    for (int row = 0; row < m_height; ++row) {
        std::memcpy(&m_bits[row * picture.PackedRowBytes()], picture.MemoryRow(row),
                    picture.PackedRowBytes());
    }
}

void CReferenceEffects::Unpack(CFrameBuffer& picture) const {
    for (int row = 0; row < m_height; ++row) {
        std::memcpy(picture.MemoryRow(row), &m_bits[row * picture.PackedRowBytes()],
                    picture.PackedRowBytes());
    }
}
