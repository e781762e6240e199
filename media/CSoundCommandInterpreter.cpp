#include "media/CSoundCommandInterpreter.h"

#include "platform/CAsciiText.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace {

bool IsBlank(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

std::vector<std::string_view> SplitWords(std::string_view text) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsBlank(text[at])) {
            ++at;
        }
        const std::size_t start = at;
        while (at < text.size() && !IsBlank(text[at])) {
            ++at;
        }
        if (at > start) {
            words.push_back(text.substr(start, at - start));
        }
    }
    return words;
}

bool Is(std::string_view word, std::string_view keyword) {
    return CAsciiText::EqualNoCase(word, keyword);
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// A whole word of decimal digits; false for anything else, a sign included.
bool ParseCount(std::string_view word, std::int64_t& value) {
    if (word.empty() || !std::isdigit(static_cast<unsigned char>(word.front()))) {
        return false;
    }
    const auto result = std::from_chars(word.data(), word.data() + word.size(), value);
    return result.ec == std::errc() && result.ptr == word.data() + word.size();
}

} // namespace

int CSoundCommandInterpreter::SendString(const std::string& command, std::string& answer) {
    answer.clear();
    const std::string_view text = CAsciiText::Trim(command);
    const Words words = SplitWords(text);
    if (words.empty()) {
        return kUnrecognizedCommand;
    }
    if (Is(words[0], "open")) {
        return Open(CAsciiText::Trim(text.substr(words[0].size())));
    }
    if (words.size() < 2) {
        return kUnrecognizedCommand;
    }
    if (Is(words[0], "close")) {
        return Close(words);
    }
    CSoundDevice* device = Find(words[1]);
    const bool known = Is(words[0], "set") || Is(words[0], "play") || Is(words[0], "status");
    if (!known) {
        return kUnrecognizedCommand;
    }
    if (device == nullptr) {
        return kUnknownAlias;
    }
    if (Is(words[0], "set")) {
        return Set(*device, words);
    }
    if (Is(words[0], "play")) {
        return Play(*device, words);
    }
    return Status(*device, words, answer);
}

// The path is quoted up to the last quote, so a quote inside a file name does no harm.
int CSoundCommandInterpreter::Open(std::string_view arguments) {
    std::string_view path;
    std::string_view rest;
    if (!arguments.empty() && arguments.front() == '"') {
        const std::size_t close = arguments.rfind('"');
        if (close == 0) {
            return kBadArgument;
        }
        path = arguments.substr(1, close - 1);
        rest = arguments.substr(close + 1);
    } else {
        const Words first = SplitWords(arguments);
        if (first.empty()) {
            return kBadArgument;
        }
        path = first[0];
        rest = arguments.substr(first[0].size());
    }
    const Words options = SplitWords(rest);
    std::string alias;
    for (std::size_t i = 0; i + 1 < options.size(); i += 2) {
        if (Is(options[i], "alias")) {
            alias = Lower(options[i + 1]);
        } else if (!Is(options[i], "type")) {
            return kBadArgument;
        }
    }
    if (alias.empty() || options.size() % 2 != 0) {
        return kBadArgument;
    }
    if (m_devices.count(alias) != 0) {
        return kAliasInUse;
    }
    auto device = std::make_unique<CSoundDevice>();
    if (!device->Open(std::string(path))) {
        return kCannotOpenFile;
    }
    m_devices.emplace(alias, std::move(device));
    return 0;
}

int CSoundCommandInterpreter::Close(const Words& words) {
    if (words.size() != 2) {
        return kBadArgument;
    }
    if (Is(words[1], "all")) {
        m_devices.clear();
        return 0;
    }
    return m_devices.erase(Lower(words[1])) == 1 ? 0 : kUnknownAlias;
}

int CSoundCommandInterpreter::Set(CSoundDevice& device, const Words& words) {
    std::int64_t speed = 0;
    if (words.size() == 4 && Is(words[2], "speed") && ParseCount(words[3], speed) &&
        speed > 0 && speed <= 100000) {
        return device.SetSpeed(static_cast<int>(speed)) ? 0 : kBadArgument;
    }
    if (words.size() == 5 && Is(words[2], "time") && Is(words[3], "format") &&
        (Is(words[4], "ms") || Is(words[4], "milliseconds"))) {
        return 0;
    }
    return kBadArgument;
}

int CSoundCommandInterpreter::Play(CSoundDevice& device, const Words& words) {
    std::int64_t from = 0;
    if (words.size() == 2) {
        from = device.PositionMs();
    } else if (words.size() != 4 || !Is(words[2], "from") || !ParseCount(words[3], from)) {
        return kBadArgument;
    }
    return device.PlayFrom(from) ? 0 : kBadArgument;
}

int CSoundCommandInterpreter::Status(CSoundDevice& device, const Words& words,
                                     std::string& answer) {
    if (words.size() != 3) {
        return kBadArgument;
    }
    if (Is(words[2], "position")) {
        answer = std::to_string(device.PositionMs());
        return 0;
    }
    if (Is(words[2], "mode")) {
        answer = device.IsPlaying() ? "playing" : "stopped";
        return 0;
    }
    return kBadArgument;
}

CSoundDevice* CSoundCommandInterpreter::Find(std::string_view alias) {
    const auto found = m_devices.find(Lower(alias));
    return found == m_devices.end() ? nullptr : found->second.get();
}
