#include "app/CPlayController.h"

#include "app/CInifileManager.h"
#include "media/CAviVideoStream.h"
#include "platform/CNumberText.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLongestInterval = 60000.0;

int IntervalMs(double milliseconds) {
    if (!(milliseconds >= 1.0)) {
        return 1;
    }
    return static_cast<int>(std::min(milliseconds, kLongestInterval));
}

double FramesPerSecond(const CAviVideoStream& stream) {
    return stream.m_rFrameRate.den == 0 ? 0.0 : av_q2d(stream.m_rFrameRate);
}

} // namespace

CPlayController::CPlayController(Flags flags, CInifileManager& settings, IPlayHost& host,
                                 ISoundCommands& sound)
    : m_flags(flags), m_settings(settings), m_host(host), m_audio(sound) {}

int CPlayController::PlayInterval(std::int32_t fpsNum, std::int32_t fpsDen, float speed) {
    return IntervalMs(1000.0 / (static_cast<double>(fpsNum) / fpsDen) / speed);
}

int CPlayController::SoundInterval(std::int32_t fpsNum, std::int32_t fpsDen) {
    return IntervalMs(1000.0 / (static_cast<double>(fpsNum) / fpsDen));
}

int CPlayController::StepSpeedIndex(int index, int count, bool up, bool down) {
    if (up) {
        return std::max(index - 1, 0);
    }
    if (down) {
        return std::min(index + 1, count - 1);
    }
    return index;
}

void CPlayController::Play(CAviVideoStream* stream) {
    if (Plays()) {
        StopPlay();
        return;
    }
    if (stream == nullptr) {
        return;
    }
    m_flags.audioPlaying = false;
    m_flags.playing = true;
    m_flags.playStream = stream;
    m_host.StartTimer(PlayTimer, PlayInterval(stream->m_rFrameRate.num, stream->m_rFrameRate.den,
                                              m_settings.PlaySpeedRate));
    m_host.ShowPlayPicture(true);
}

// The played stream is only remembered once the sound really plays, so nothing points at a
// stream that no play uses.
void CPlayController::PlayWithSound(CAviVideoStream* stream, const std::string& soundPath) {
    if (Plays()) {
        StopPlay();
        return;
    }
    if (stream == nullptr || soundPath.empty() ||
        !m_audio.Start(soundPath, m_settings.PlaySpeedRate, stream->GetPlayTimeMs())) {
        return;
    }
    m_soundPath = soundPath;
    m_flags.playStream = stream;
    m_flags.audioPlaying = true;
    m_host.StartTimer(SoundTimer,
                      SoundInterval(stream->m_rFrameRate.num, stream->m_rFrameRate.den));
    m_host.ShowPlayPicture(true);
}

void CPlayController::StopPlay() {
    if (m_flags.audioPlaying) {
        m_audio.CloseAll();
        m_host.KillTimer(SoundTimer);
        m_flags.audioPlaying = false;
    }
    m_flags.playing = false;
    m_host.KillTimer(PlayTimer);
    m_flags.playStream = nullptr;
    m_host.PlayStopped();
    m_host.ShowPlayPicture(false);
}

void CPlayController::OnTimer(int id) {
    if (m_flags.playStream == nullptr) {
        return;
    }
    if (id == PlayTimer) {
        PlayTick(*m_flags.playStream);
    } else if (id == SoundTimer) {
        SoundTick(*m_flags.playStream);
    }
}

// The brush is recorded at the frame on show, before the step; a recording never wraps round.
void CPlayController::PlayTick(CAviVideoStream& stream) {
    const std::int64_t current = stream.m_nCurrentFrame;
    const bool recording = m_host.RecordBrush(current);
    std::int64_t next = current + 1;
    if (current == stream.m_nLastFrame) {
        m_host.ShowFrame(stream.m_nFirstFrame);
        if (m_settings.LoopPlay == 0 || recording) {
            StopPlay();
            m_host.ResetSelection();
            return;
        }
        next = stream.m_nFirstFrame;
    }
    m_host.ShowFrame(next);
}

void CPlayController::SoundTick(CAviVideoStream& stream) {
    const CAudioPlayback::Status status = m_audio.Poll();
    const double frame = FramesPerSecond(stream) * static_cast<double>(status.positionMs) / 1000.0;
    const std::int64_t shown =
        stream.m_strFilePath.empty() || !std::isfinite(frame) ? 0 : static_cast<std::int64_t>(frame);
    if (shown < stream.m_nLastFrame && !status.stopped) {
        m_host.ShowFrame(shown);
        return;
    }
    m_host.ShowFrame(stream.m_nFirstFrame);
    StopPlay();
    if (m_settings.LoopPlay == 1) {
        PlayWithSound(&stream, m_soundPath);
    }
}

void CPlayController::OnSliderMoved(const CAviVideoStream& stream) {
    if (m_flags.audioPlaying) {
        m_audio.PlayFrom(stream.GetPlayTimeMs());
    }
}

// Restarting goes through StopPlay directly: the Stop command is disabled during play with
// sound, and routing it would end the sound instead of restarting it.
void CPlayController::OnSpeedSelected(const std::string& speedText) {
    m_settings.PlaySpeedRate = CNumberText::ParseFloat(speedText);
    CAviVideoStream* stream = m_flags.playStream;
    // The play goes on at the new pace without stopping, so a recording under way goes on too.
    if (m_flags.playing) {
        m_host.StartTimer(PlayTimer, PlayInterval(stream->m_rFrameRate.num,
                                                  stream->m_rFrameRate.den,
                                                  m_settings.PlaySpeedRate));
    } else if (m_flags.audioPlaying) {
        m_audio.CloseAll();
        if (!m_audio.Start(m_soundPath, m_settings.PlaySpeedRate, stream->GetPlayTimeMs())) {
            StopPlay();
        }
    }
}
