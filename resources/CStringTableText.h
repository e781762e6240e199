#pragma once

#include <string_view>

// The program's string tables, compiled in: English (1033) and Japanese (1041).
class CStringTableText {
public:
    static std::string_view English();
    static std::string_view Japanese();
};
