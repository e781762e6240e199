#pragma once

#include "media/ISoundCommands.h"

#include <cstdint>
#include <string>

// The sound side of play with sound: the command strings that open the movie's sound under
// the alias "f", start it at a speed and a time, follow it and close it.
class CAudioPlayback {
public:
    struct Status {
        std::int64_t positionMs = 0;
        bool stopped = true;
    };

    explicit CAudioPlayback(ISoundCommands& commands) : m_commands(commands) {}

    // The speed argument: trunc(speedRate × 1000), 1000 being normal speed.
    static int SpeedPerMille(float speedRate);

    // Opens soundPath and plays it from startMs. A sound that cannot be opened closes every
    // device again and gives false.
    bool Start(const std::string& soundPath, float speedRate, std::int32_t startMs);
    void PlayFrom(std::int32_t ms);
    Status Poll();
    void CloseAll();

private:
    std::string Send(const std::string& command);

    ISoundCommands& m_commands;
};
