#pragma once

#include "media/CSoundDevice.h"
#include "media/ISoundCommands.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Carries out the sound commands the program sends, over SDL audio:
//   open "<path>" alias <name> [type <type>]    close <name> | close all
//   set <name> speed <per mille>               set <name> time format ms | milliseconds
//   play <name> [from <ms>]                     status <name> position | mode
// Positions are milliseconds in the sound; mode answers "playing" or "stopped".
class CSoundCommandInterpreter : public ISoundCommands {
public:
    enum Error {
        kUnrecognizedCommand = 1,
        kCannotOpenFile,
        kUnknownAlias,
        kAliasInUse,
        kBadArgument,
    };

    int SendString(const std::string& command, std::string& answer) override;

private:
    using Words = std::vector<std::string_view>;

    int Open(std::string_view arguments);
    int Close(const Words& words);
    int Set(CSoundDevice& device, const Words& words);
    int Play(CSoundDevice& device, const Words& words);
    int Status(CSoundDevice& device, const Words& words, std::string& answer);
    CSoundDevice* Find(std::string_view alias);

    std::map<std::string, std::unique_ptr<CSoundDevice>> m_devices;
};
