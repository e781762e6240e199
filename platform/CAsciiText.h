#pragma once

#include <string_view>

// Small text helpers for names and values that are compared the way the platform compares
// them: ASCII letters without regard to case, blanks trimmed.
class CAsciiText {
public:
    static bool EqualNoCase(std::string_view a, std::string_view b);
    // Without leading and trailing blanks (space, tab, line breaks, form feed, vertical tab).
    static std::string_view Trim(std::string_view text);
};
