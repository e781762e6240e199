#include "export/CRegionScaler.h"

namespace {
// Tracks drawn by hand change size from frame to frame: past this many sizes, start afresh.
constexpr std::size_t kKeptSizes = 16;
} // namespace

CRegionScaler::CRegionScaler(AVPixelFormat from, AVPixelFormat to) : m_from(from), m_to(to) {}

bool CRegionScaler::Convert(int width, int height, const std::uint8_t* const source[4],
                            const int sourceStrides[4], std::uint8_t* const target[4],
                            const int targetStrides[4]) {
    SwsContext* scaler = ScalerFor(width, height);
    return scaler &&
           sws_scale(scaler, source, sourceStrides, 0, height, target, targetStrides) == height;
}

SwsContext* CRegionScaler::ScalerFor(int width, int height) {
    const std::pair<int, int> size{width, height};
    if (const auto kept = m_scalers.find(size); kept != m_scalers.end()) {
        return kept->second.get();
    }
    if (m_scalers.size() >= kKeptSizes) {
        m_scalers.clear();
    }
    // The flags of the scalers that convert whole pictures for the view and the encoder.
    SwsContextPtr made(sws_getContext(width, height, m_from, width, height, m_to, SWS_BICUBIC,
                                      nullptr, nullptr, nullptr));
    SwsContext* scaler = made.get();
    if (scaler) {
        m_scalers.emplace(size, std::move(made));
    }
    return scaler;
}
