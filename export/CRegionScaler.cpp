#include "export/CRegionScaler.h"

#include <algorithm>

CRegionScaler::CRegionScaler(AVPixelFormat from, AVPixelFormat to) : m_from(from), m_to(to) {}

bool CRegionScaler::Convert(int width, int height, const std::uint8_t* const source[4],
                            const int sourceStrides[4], std::uint8_t* const target[4],
                            const int targetStrides[4]) {
    SwsContext* scaler = ScalerFor(width, height);
    return scaler &&
           sws_scale(scaler, source, sourceStrides, 0, height, target, targetStrides) == height;
}

SwsContext* CRegionScaler::ScalerFor(int width, int height) {
    const Size size{width, height};
    auto kept = m_scalers.find(size);
    if (kept == m_scalers.end()) {
        // The flags of the scalers that convert whole pictures for the view and the encoder.
        SwsContextPtr made(sws_getContext(width, height, m_from, width, height, m_to,
                                          SWS_BICUBIC, nullptr, nullptr, nullptr));
        if (!made) {
            return nullptr;
        }
        ++m_made;
        MakeRoom();
        kept = m_scalers.emplace(size, Scaler{std::move(made), 0, 0}).first;
    }
    kept->second.lastUse = ++m_uses;
    kept->second.picture = m_picture;
    return kept->second.context.get();
}

// Tracks drawn by hand change size from frame to frame, so old sizes go; but every size of the
// current picture stays, however many regions it has.
void CRegionScaler::MakeRoom() {
    while (m_scalers.size() >= KeptSizes) {
        const auto oldest = std::min_element(
            m_scalers.begin(), m_scalers.end(),
            [](const auto& a, const auto& b) { return a.second.lastUse < b.second.lastUse; });
        // The oldest is of the current picture only when all of them are.
        if (oldest->second.picture == m_picture) {
            return;
        }
        m_scalers.erase(oldest);
    }
}
