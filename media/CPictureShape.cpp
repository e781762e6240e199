#include "media/CPictureShape.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <limits>
#include <sstream>
#include <vector>

namespace {

struct Turn {
    int degrees;
    const char* filter;
};

constexpr Turn kTurns[] = {{90, "transpose=1"}, {180, "hflip,vflip"}, {270, "transpose=2"}};

// Numbers in converter arguments never follow the user's locale.
std::string Fixed4(double value) {
    char text[32] = {};
    const auto result =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, 4);
    return std::string(text, result.ptr);
}

double ParseNumber(const std::string& text) {
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() ? value : 0.0;
}

// The size that shows the picture with square pixels, width a multiple of 4; 0 when unknown.
int SquarePixelWidth(int width, int height, double pixelAspect) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    const double display = static_cast<double>(width) / height * pixelAspect;
    if (display <= 0) {
        return 0;
    }
    const double rounded = height * display + 0.5;
    // A width beyond the range of a picture size is no width at all.
    if (!(rounded < std::numeric_limits<int>::max())) {
        return 0;
    }
    const int squared = static_cast<int>(rounded);
    return squared - squared % 4;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;) {
        words.push_back(word);
    }
    return words;
}

} // namespace

CPictureShape CPictureShape::Of(int width, int height, double pixelAspect, int rotation) {
    CPictureShape shape;
    const double aspect = pixelAspect > 0 ? pixelAspect : 1.0;
    const int squared = SquarePixelWidth(width, height, aspect);
    if (squared > 0 && squared != width) {
        shape.m_width = squared;
        shape.m_height = height;
        shape.m_aspect = ParseNumber(Fixed4(static_cast<double>(squared) / height));
    } else if (width > 0 && height > 0 && height % 2 != 0 &&
               height < std::numeric_limits<int>::max()) {
        shape.m_width = width;
        shape.m_height = height + 1;
    }
    for (const Turn& turn : kTurns) {
        if (turn.degrees == rotation) {
            shape.m_rotation = rotation;
        }
    }
    return shape;
}

CPictureShape CPictureShape::Parse(const std::string& options) {
    CPictureShape shape;
    const std::vector<std::string> words = Words(options);
    for (std::size_t i = 0; i + 1 < words.size(); ++i) {
        const std::string& value = words[i + 1];
        if (words[i] == "-s") {
            std::sscanf(value.c_str(), "%dx%d", &shape.m_width, &shape.m_height);
        } else if (words[i] == "-aspect") {
            shape.m_aspect = ParseNumber(value);
        } else if (words[i] == "-vf") {
            for (const Turn& turn : kTurns) {
                if (value == turn.filter) {
                    shape.m_rotation = turn.degrees;
                }
            }
        }
    }
    return shape;
}

std::string CPictureShape::Options() const {
    std::string options;
    if (Resizes()) {
        options = "-s " + std::to_string(m_width) + "x" + std::to_string(m_height);
        if (m_aspect > 0) {
            options += " -aspect " + Fixed4(m_aspect);
        }
    }
    for (const Turn& turn : kTurns) {
        if (turn.degrees == m_rotation) {
            options += std::string(" -vf ") + turn.filter + " -metadata:s:v:0 rotate=0";
        }
    }
    return options.substr(std::min(options.find_first_not_of(' '), options.size()));
}
