#pragma once

#include <string>

// Asks the user for a file name. The GUI shows the desktop's file dialog, tests answer with
// scripted names.
class IFileDialog {
public:
    enum class Kind { Open, Save };

    struct Request {
        Kind kind = Kind::Open;
        // The platform's filter text: "description|patterns|...||", patterns split by ";".
        std::string filter;
        // The filter chosen first, counted from 1.
        int filterIndex = 1;
        // The name proposed (Save) or the folder to start in; may be empty.
        std::string initialPath;
        // Save: the extension (without its dot) a name typed without one gets; the chosen
        // filter's own extension when it names one.
        std::string defaultExtension;
        // Save: the name proposed without its extension, which follows the chosen filter for
        // as long as the user keeps the name; empty for none.
        std::string suggestedStem;
        // Names of files the list leaves out (wildcards, "*.$tmp$.*"); empty for none.
        std::string hiddenFiles;
    };

    struct Answer {
        bool ok = false;
        std::string path;
        // The filter the user ended with, counted from 1.
        int filterIndex = 1;
    };

    virtual ~IFileDialog() = default;
    // Open asks for an existing file; Save for a name to write.
    virtual Answer Show(const Request& request) = 0;
};
