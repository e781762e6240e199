#include "platform/CNumberText.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace {

// Skips leading blanks and one sign; returns true for a minus sign.
bool SkipBlanksAndSign(std::string_view& text) {
    const auto first = text.find_first_not_of(" \t\r\n\f\v");
    text.remove_prefix(first == std::string_view::npos ? text.size() : first);
    if (text.empty() || (text.front() != '+' && text.front() != '-')) {
        return false;
    }
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

bool StartsWithDigit(std::string_view text) {
    return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

template <typename Decimal> Decimal ParseLeadingDecimal(std::string_view text) {
    const bool negative = SkipBlanksAndSign(text);
    const bool startsNumber = StartsWithDigit(text) || (text.size() > 1 && text.front() == '.' &&
                                                        StartsWithDigit(text.substr(1)));
    Decimal value = 0;
    if (!startsNumber ||
        std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc{}) {
        return 0;
    }
    return negative ? -value : value;
}

} // namespace

std::int32_t CNumberText::ParseLeadingInt(std::string_view text) {
    const bool negative = SkipBlanksAndSign(text);
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; StartsWithDigit(text); text.remove_prefix(1)) {
        magnitude = std::min(magnitude * 10 + (text.front() - '0'), limit);
    }
    return static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, limit - 1));
}

float CNumberText::ParseFloat(std::string_view text) {
    return ParseLeadingDecimal<float>(text);
}

double CNumberText::ParseDouble(std::string_view text) {
    return ParseLeadingDecimal<double>(text);
}

std::string CNumberText::FormatInt(std::int32_t value) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string CNumberText::FormatOneDecimal(float value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc{}) {
        return "0.0";
    }
    return std::string(text, result.ptr);
}
