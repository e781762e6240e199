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

void CStatusPanes::Forget() {
    m_countSince.reset();
    m_framesShown = 0;
    m_lastFrame = -1;
}

CStatusPanes::Texts CStatusPanes::Refresh(const CAviVideoStream* stream, bool stillImage,
                                          bool plays, std::uint32_t nowMs) {
    if (!stream) {
        Forget();
        m_lastRate.clear();
        return {};
    }
    Texts texts{SizeText(stream->m_nWidth, stream->m_nHeight), {}};
    const double nominal = av_q2d(stream->m_rFrameRate);
    if (stillImage) {
        Forget();
        m_lastRate.clear();
        return texts;
    }
    if (!plays) {
        Forget();
        m_lastRate = RateText(0.0, nominal);
        texts.rate = m_lastRate;
        return texts;
    }
    const std::int64_t frame = stream->m_nCurrentFrame;
    if (!m_countSince) {
        m_countSince = nowMs;
    } else if (frame != m_lastFrame) {
        ++m_framesShown;
    }
    m_lastFrame = frame;
    if (const std::uint32_t elapsed = nowMs - *m_countSince; elapsed >= kMeasureMs) {
        m_lastRate = RateText(m_framesShown * 1000.0 / elapsed, nominal);
        m_countSince = nowMs;
        m_framesShown = 0;
    }
    texts.rate = m_lastRate;
    return texts;
}
