#include "view/CStatusPanes.h"

#include "media/CAviVideoStream.h"

#include <cstdio>

std::string CStatusPanes::SizeText(int width, int height) {
    char text[64];
    std::snprintf(text, sizeof text, "ImageSize:(%4d*%4d)", width, height);
    return text;
}

std::string CStatusPanes::RateText(double measured, double nominal) {
    char text[96];
    std::snprintf(text, sizeof text, "%3.2f / %3.2f(fps)", measured, nominal);
    return text;
}

CStatusPanes::Texts CStatusPanes::Refresh(const CAviVideoStream* stream, bool stillImage,
                                          bool plays, std::uint32_t nowMs) {
    if (!stream) {
        m_lastTick = 0;
        m_lastRate.clear();
        return {};
    }
    Texts texts{SizeText(stream->m_nWidth, stream->m_nHeight), {}};
    const double nominal = av_q2d(stream->m_rFrameRate);
    if (stillImage) {
        m_lastTick = 0;
        m_lastRate.clear();
    } else if (!plays) {
        m_lastTick = 0;
        m_lastRate = RateText(0.0, nominal);
        texts.rate = m_lastRate;
    } else {
        // Two repaints within one tick have no finite rate: the pane keeps the last one.
        const std::uint32_t elapsed = nowMs - m_lastTick;
        if (m_lastTick != 0 && elapsed != 0) {
            m_lastRate = RateText(1000.0 / elapsed, nominal);
        }
        m_lastTick = nowMs;
        texts.rate = m_lastRate;
    }
    return texts;
}
