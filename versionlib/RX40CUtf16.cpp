#include "versionlib/RX40CUtf16.h"

namespace {
constexpr std::uint32_t Replacement = 0xFFFD;

std::uint32_t unitAt(const std::uint8_t* data, std::size_t index) {
    return static_cast<std::uint32_t>(data[2 * index] | (data[2 * index + 1] << 8));
}

bool isHigh(std::uint32_t unit) {
    return unit >= 0xD800 && unit < 0xDC00;
}
bool isLow(std::uint32_t unit) {
    return unit >= 0xDC00 && unit < 0xE000;
}
} // namespace

std::string RX40CUtf16::ToUtf8(const std::uint8_t* data, std::size_t units) {
    std::string out;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = unitAt(data, i);
        if (unit == 0) {
            break;
        }
        if (isHigh(unit) && i + 1 < units && isLow(unitAt(data, i + 1))) {
            append(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(data, i + 1) - 0xDC00));
            ++i;
        } else {
            append(out, isHigh(unit) || isLow(unit) ? Replacement : unit);
        }
    }
    return out;
}

void RX40CUtf16::append(std::string& out, std::uint32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}
