#include "app/CAudioPlayback.h"

#include "platform/CAsciiText.h"
#include "platform/CNumberText.h"

#include <cmath>

int CAudioPlayback::SpeedPerMille(float speedRate) {
    const float perMille = speedRate * 1000.0f;
    if (!std::isfinite(perMille) || std::fabs(perMille) >= 2147483647.0f) {
        return 0;
    }
    return static_cast<int>(perMille);
}

bool CAudioPlayback::Start(const std::string& soundPath, float speedRate, std::int32_t startMs) {
    std::string answer;
    if (m_commands.SendString("open \"" + soundPath + "\" alias f type mpegvideo", answer) != 0) {
        CloseAll();
        return false;
    }
    Send("set f speed " + std::to_string(SpeedPerMille(speedRate)));
    Send("set f time format ms");
    PlayFrom(startMs);
    return true;
}

void CAudioPlayback::PlayFrom(std::int32_t ms) {
    Send("play f from " + std::to_string(ms));
}

CAudioPlayback::Status CAudioPlayback::Poll() {
    Status status;
    status.positionMs = CNumberText::ParseLeadingInt(Send("status f position"));
    // A device that can no longer answer has stopped as far as the picture is concerned.
    std::string mode;
    status.stopped = m_commands.SendString("status f mode", mode) != 0 ||
                     CAsciiText::EqualNoCase(mode, "stopped");
    return status;
}

void CAudioPlayback::CloseAll() {
    Send("close all");
}

std::string CAudioPlayback::Send(const std::string& command) {
    std::string answer;
    m_commands.SendString(command, answer);
    return answer;
}
