#include "app/CNumberText.h"

#include <charconv>
#include <limits>

namespace {

std::string_view SkipBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n\f\v");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

} // namespace

std::int32_t CNumberText::ParseLeadingInt(std::string_view text) {
    text = SkipBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    constexpr std::int64_t limit = std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        magnitude = std::min<std::int64_t>(magnitude * 10 + (c - '0'), limit);
    }
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, limit - 1);
    return static_cast<std::int32_t>(value);
}

float CNumberText::ParseDecimal(std::string_view text) {
    text = SkipBlanks(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    float value = 0.0f;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::invalid_argument) {
        return 0.0f;
    }
    return value;
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
