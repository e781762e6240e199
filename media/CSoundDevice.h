#pragma once

#include "media/CSoundSource.h"

#include <SDL.h>

#include <cstdint>
#include <string>

// One opened sound file on its own SDL audio device. The position it reports is the position
// in the sound, whatever the speed, so a picture following it stays in step with what is heard.
class CSoundDevice {
public:
    CSoundDevice() = default;
    ~CSoundDevice();
    CSoundDevice(const CSoundDevice&) = delete;
    CSoundDevice& operator=(const CSoundDevice&) = delete;

    // False when the file has no playable sound or no sound device can be opened.
    bool Open(const std::string& path);
    // Speed in per mille of normal speed (1000); the pitch stays.
    bool SetSpeed(int perMille);
    bool PlayFrom(std::int64_t positionMs);
    std::int64_t PositionMs();
    bool IsPlaying();

private:
    static void Callback(void* self, Uint8* stream, int length);
    void Fill(Uint8* stream, int length);
    std::int64_t PositionLocked() const;

    CSoundSource m_source;
    bool m_audioStarted = false;
    SDL_AudioDeviceID m_device = 0;
    SDL_AudioSpec m_spec{};
    int m_speed = 1000;
    // Where the last play started and how many output sample frames have gone to the device
    // since; both only change with the device locked.
    std::int64_t m_startMs = 0;
    std::int64_t m_played = 0;
    bool m_playing = false;
};
