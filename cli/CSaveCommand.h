#pragma once

#include <optional>
#include <ostream>
#include <string>

// quorvel-render --save: opens a source as the program does, loads the progress files of its
// working file and saves the movie (or picture) with its mosaic and sound into a target, as
// the program's Save does. The working files of the open are removed at the end.
class CSaveCommand {
public:
    struct Options {
        // Profile number as the Save dialog counts them (from 1); by default the first profile
        // whose filter names the target's extension.
        std::optional<int> profile;
        std::optional<int> type;
        bool deinterlace = false;
    };

    CSaveCommand(std::string source, std::string target, Options options);

    // Exit code; one line on err after a failure, progress on stderr meanwhile.
    int Run(std::ostream& err) const;

    // A message on one line: line breaks become blanks.
    static std::string OneLine(const std::string& message);

private:
    std::string m_source;
    std::string m_target;
    Options m_options;
};
