#pragma once

#include <optional>
#include <string>

// Whole-file reads and replacing writes. A write goes to a temporary file beside the target
// that is then renamed over it, so a failure at any point leaves the old file as it was.
class CTextFile {
public:
    static std::optional<std::string> Read(const std::string& path);
    // Fails for a target whose owner may not write it, as the user asked it be kept.
    static bool WriteReplacing(const std::string& path, const std::string& text);
};
