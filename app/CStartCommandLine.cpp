#include "app/CStartCommandLine.h"

#include "platform/CAsciiText.h"

#include <filesystem>

std::string CStartCommandLine::StartFile(const std::vector<std::string>& arguments) {
    std::string startFile;
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
        const std::string& flag = arguments[i];
        if (!CAsciiText::EqualNoCase(flag, "/O") && !CAsciiText::EqualNoCase(flag, "-O")) {
            continue;
        }
        std::error_code ec;
        // A folder is not a document; only a file can be opened.
        if (std::filesystem::is_regular_file(arguments[i + 1], ec)) {
            startFile = arguments[i + 1];
        }
    }
    return startFile;
}
