#include "view/CFrameStepCommands.h"

#include "app/CCommandId.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CSliderDlgBar.h"
#include "media/CAviVideoStream.h"
#include "mosaic/CCoverage.h"

#include <QSlider>

#include <algorithm>
#include <limits>

CFrameStepCommands::CFrameStepCommands(CMainFrame& frame) : m_frame(frame) {
    using Frames = std::int64_t;
    OnCommand(CCommandId::First, [this] { Step([](Frames, Frames first, Frames) { return first; }); });
    OnCommand(CCommandId::Back, [this] { Step([](Frames c, Frames, Frames) { return c - 1; }); });
    OnCommand(CCommandId::Next, [this] { Step([](Frames c, Frames, Frames) { return c + 1; }); });
    OnCommand(CCommandId::Last, [this] { Step([](Frames, Frames, Frames last) { return last; }); });
    OnCommand(CCommandId::NextGap, [this] { NextGap(); });
    if (CSliderDlgBar* bar = m_frame.SliderBar()) {
        QSlider* slider = bar->FrameSlider();
        QObject::connect(slider, &QSlider::actionTriggered, slider,
                         [this, slider](int) { OnSliderMoved(slider->sliderPosition()); });
    }
}

void CFrameStepCommands::Step(std::int64_t (*target)(std::int64_t, std::int64_t, std::int64_t)) {
    if (const CAviVideoStream* stream = m_frame.ActiveStream()) {
        ShowFrame(target(stream->m_nCurrentFrame, stream->m_nFirstFrame, stream->m_nLastFrame));
    }
}

void CFrameStepCommands::NextGap() {
    if (const CAviVideoStream* stream = m_frame.ActiveStream()) {
        const std::int64_t gap = CCoverage::NextGap(stream->m_mosaic, stream->m_nCurrentFrame);
        if (gap >= 0) {
            ShowFrame(gap);
        }
    }
}

void CFrameStepCommands::ShowFrame(std::int64_t n) {
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (stream && !stream->m_strFilePath.empty()) {
        stream->m_nCurrentFrame = std::clamp(n, stream->m_nFirstFrame, stream->m_nLastFrame);
    }
    if (CSliderDlgBar* bar = m_frame.SliderBar()) {
        // The slider keeps itself within its range.
        const std::int64_t limit = std::numeric_limits<int>::max();
        bar->FrameSlider()->setValue(static_cast<int>(std::clamp(n, -limit, limit)));
    }
    m_frame.InvalidateView();
}

void CFrameStepCommands::OnSliderMoved(int position) {
    if (m_frame.ActiveStream()) {
        ShowFrame(position);
    }
}
