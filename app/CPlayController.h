#pragma once

#include "app/CAudioPlayback.h"
#include "app/IPlayHost.h"

#include <cstdint>
#include <string>

class CAviVideoStream;
class CInifileManager;

// Moves the current frame of the opened movie in time: play on a timer at the chosen speed
// (timer 1), play with sound where the sound's position leads (timer 3), the shared stop, the
// slider and the speed list. Each tick advances exactly one frame; a late tick skips none.
class CPlayController {
public:
    static constexpr int PlayTimer = 1;
    static constexpr int SoundTimer = 3;

    // The play flags and the played stream are the main window's; they are read and written
    // through these references.
    struct Flags {
        bool& playing;
        bool& audioPlaying;
        CAviVideoStream*& playStream;
    };

    CPlayController(Flags flags, CInifileManager& settings, IPlayHost& host,
                    ISoundCommands& sound);

    // trunc(1000 ÷ fps ÷ speed) and trunc(1000 ÷ fps), kept within 1 ms .. 1 minute.
    static int PlayInterval(std::int32_t fpsNum, std::int32_t fpsDen, float speed);
    static int SoundInterval(std::int32_t fpsNum, std::int32_t fpsDen);
    // The speed list's index after an up (faster) or down (slower) arrow; index when neither.
    static int StepSpeedIndex(int index, int count, bool up, bool down);

    bool Plays() const { return m_flags.playing || m_flags.audioPlaying; }

    // Play: toggles; starts timer 1 on stream.
    void Play(CAviVideoStream* stream);
    // Play with sound: toggles; plays soundPath from the current frame's time on timer 3. An
    // empty path or a sound that cannot be opened leaves everything stopped, without a message.
    void PlayWithSound(CAviVideoStream* stream, const std::string& soundPath);
    // Ends whichever play runs.
    void StopPlay();
    void OnTimer(int id);
    // The slider has moved the current frame of stream; the sound follows while it plays.
    void OnSliderMoved(const CAviVideoStream& stream);
    // A new speed was chosen from the list; a running play restarts at it.
    void OnSpeedSelected(const std::string& speedText);

private:
    void PlayTick(CAviVideoStream& stream);
    void SoundTick(CAviVideoStream& stream);

    Flags m_flags;
    CInifileManager& m_settings;
    IPlayHost& m_host;
    CAudioPlayback m_audio;
    std::string m_soundPath;
};
