#pragma once

#include <string>

// The program's way of driving sound play: command strings as the platform's media control
// interface takes them. The result is 0 for success; an answer, if the command has one, goes
// into answer.
class ISoundCommands {
public:
    virtual ~ISoundCommands() = default;
    virtual int SendString(const std::string& command, std::string& answer) = 0;
};
