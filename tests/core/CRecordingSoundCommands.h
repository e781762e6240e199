#pragma once

#include "media/ISoundCommands.h"

#include <string>
#include <vector>

// Passes sound commands on to a real player and keeps every command string sent.
class CRecordingSoundCommands : public ISoundCommands {
public:
    explicit CRecordingSoundCommands(ISoundCommands& player) : m_player(player) {}

    int SendString(const std::string& command, std::string& answer) override {
        sent.push_back(command);
        return m_player.SendString(command, answer);
    }

    std::vector<std::string> sent;

private:
    ISoundCommands& m_player;
};
