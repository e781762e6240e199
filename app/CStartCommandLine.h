#pragma once

#include <string>
#include <vector>

// Reads the program's command line: "/O" or "-O" (either case) followed by an existing file
// names the file to open at start; everything else is ignored.
class CStartCommandLine {
public:
    // arguments: the command line without the program name. Empty when no file is named.
    static std::string StartFile(const std::vector<std::string>& arguments);
};
