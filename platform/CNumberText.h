#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers as the settings file stores them, the same in every locale.
class CNumberText {
public:
    // Leading blanks, an optional sign and digits; anything else ends the number. Text without
    // digits gives 0; values beyond 32 bits are held at the nearest limit.
    static std::int32_t ParseLeadingInt(std::string_view text);
    // The leading decimal number; text without one, or one beyond the range of a float,
    // gives 0.
    static float ParseFloat(std::string_view text);
    // The same in the range of a double.
    static double ParseDouble(std::string_view text);
    static std::string FormatInt(std::int32_t value);
    // Fixed notation with one decimal ("%.1f").
    static std::string FormatOneDecimal(float value);
};
