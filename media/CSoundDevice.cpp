#include "media/CSoundDevice.h"

#include <algorithm>
#include <cstring>

namespace {

// About 20 ms at 48 kHz: short enough for the picture to follow the sound closely.
constexpr Uint16 kDeviceSamples = 1024;
constexpr int kBytesPerSample = 2;

// Locks the audio callback out for the life of the object.
class CDeviceLock {
public:
    explicit CDeviceLock(SDL_AudioDeviceID device) : m_device(device) {
        SDL_LockAudioDevice(m_device);
    }
    ~CDeviceLock() { SDL_UnlockAudioDevice(m_device); }
    CDeviceLock(const CDeviceLock&) = delete;
    CDeviceLock& operator=(const CDeviceLock&) = delete;

private:
    SDL_AudioDeviceID m_device;
};

} // namespace

CSoundDevice::~CSoundDevice() {
    if (m_device != 0) {
        SDL_CloseAudioDevice(m_device);
    }
    if (m_audioStarted) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool CSoundDevice::Open(const std::string& path) {
    if (m_device != 0 || !m_source.Open(path)) {
        return false;
    }
    m_audioStarted = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_audioStarted) {
        return false;
    }
    SDL_AudioSpec wanted{};
    wanted.freq = m_source.SampleRate();
    wanted.format = AUDIO_S16SYS;
    wanted.channels = static_cast<Uint8>(std::min(m_source.Channels(), 2));
    wanted.samples = kDeviceSamples;
    wanted.callback = &CSoundDevice::Callback;
    wanted.userdata = this;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &m_spec,
                                   SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_CHANNELS_CHANGE);
    return m_device != 0;
}

bool CSoundDevice::SetSpeed(int perMille) {
    if (m_device == 0 || perMille <= 0) {
        return false;
    }
    CDeviceLock lock(m_device);
    if (!m_playing) {
        m_speed = perMille;
        return true;
    }
    // A running play goes on from where it is, at the new speed.
    const std::int64_t position = PositionLocked();
    m_speed = perMille;
    m_startMs = position;
    m_played = 0;
    m_playing = m_source.Start(position, m_speed / 1000.0, {m_spec.freq, m_spec.channels});
    return m_playing;
}

bool CSoundDevice::PlayFrom(std::int64_t positionMs) {
    if (m_device == 0) {
        return false;
    }
    {
        CDeviceLock lock(m_device);
        m_startMs = std::max<std::int64_t>(positionMs, 0);
        m_played = 0;
        m_playing = m_source.Start(m_startMs, m_speed / 1000.0, {m_spec.freq, m_spec.channels});
    }
    SDL_PauseAudioDevice(m_device, 0);
    return m_playing;
}

std::int64_t CSoundDevice::PositionMs() {
    if (m_device == 0) {
        return 0;
    }
    CDeviceLock lock(m_device);
    return PositionLocked();
}

std::int64_t CSoundDevice::PositionLocked() const {
    const std::int64_t heard = m_played * m_speed / m_spec.freq;
    const std::int64_t position = m_startMs + heard;
    return m_source.LengthMs() > 0 ? std::min(position, m_source.LengthMs()) : position;
}

bool CSoundDevice::IsPlaying() {
    if (m_device == 0) {
        return false;
    }
    CDeviceLock lock(m_device);
    return m_playing;
}

void CSoundDevice::Callback(void* self, Uint8* stream, int length) {
    static_cast<CSoundDevice*>(self)->Fill(stream, length);
}

// Runs on SDL's audio thread with the device locked.
void CSoundDevice::Fill(Uint8* stream, int length) {
    int written = 0;
    if (m_playing) {
        written = m_source.Read(stream, length);
        m_played += written / (kBytesPerSample * m_spec.channels);
        m_playing = !m_source.Ended();
    }
    std::memset(stream + written, 0, static_cast<std::size_t>(length - written));
}
