#include "media/CConverterCommand.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

constexpr const char* kInput = "<%input%>";
constexpr const char* kOutput = "<%output%>";
constexpr const char* kAvOptions = "<AVOptions>";

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One pass, so a path that happens to contain a placeholder is left as it is.
std::string FillPlaceholders(const std::string& text, const std::string& input,
                             const std::string& output, const std::string& avOptions) {
    const std::pair<std::string_view, const std::string*> fills[] = {
        {kInput, &input}, {kOutput, &output}, {kAvOptions, &avOptions}};
    std::string result;
    for (std::size_t at = 0; at < text.size();) {
        bool filled = false;
        for (const auto& [placeholder, value] : fills) {
            if (std::string_view(text).substr(at).starts_with(placeholder)) {
                result += *value;
                at += placeholder.size();
                filled = true;
                break;
            }
        }
        if (!filled) {
            result += text[at++];
        }
    }
    return result;
}

std::vector<std::string> SplitAtBlanks(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (!IsBlank(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

// A placeholder standing alone is one path argument; inside a longer word it is plain text.
std::string FillWord(const std::string& word, const std::string& input, const std::string& output,
                     const std::string& avOptions) {
    if (word == kInput) {
        return CConverterCommand::SafePath(input);
    }
    if (word == kOutput) {
        return CConverterCommand::SafePath(output);
    }
    return FillPlaceholders(word, input, output, avOptions);
}

} // namespace

CConverterCommand& CConverterCommand::AddOptions(const std::string& options) {
    m_text += options;
    for (std::string& word : SplitAtBlanks(options)) {
        m_arguments.push_back(std::move(word));
    }
    return *this;
}

CConverterCommand& CConverterCommand::AddPath(const std::string& path) {
    m_text += "\"" + path + "\"";
    m_arguments.push_back(SafePath(path));
    return *this;
}

CConverterCommand& CConverterCommand::AddArgument(const std::string& argument) {
    const bool blanks = std::any_of(argument.begin(), argument.end(), IsBlank);
    m_text += (m_text.empty() ? "" : " ") + (blanks ? "\"" + argument + "\"" : argument);
    m_arguments.push_back(argument);
    return *this;
}

std::string CConverterCommand::SafePath(const std::string& path) {
    if (path.empty() || path.front() == '/' || path.starts_with("./") || path.starts_with("../")) {
        return path;
    }
    return "./" + path;
}

std::vector<std::string> CConverterCommand::SplitTemplate(const std::string& templ) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (char c : templ) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (IsBlank(c) && !quoted) {
            if (inWord) {
                words.push_back(word);
            }
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(word);
    }
    return words;
}

CConverterCommand CConverterCommand::FromTemplate(const std::string& templ,
                                                  const std::string& input,
                                                  const std::string& output,
                                                  const std::string& avOptions) {
    CConverterCommand command;
    command.m_text = FillPlaceholders(templ, input, output, avOptions);
    for (const std::string& word : SplitTemplate(templ)) {
        if (word == kAvOptions) {
            for (std::string& option : SplitAtBlanks(avOptions)) {
                command.m_arguments.push_back(std::move(option));
            }
        } else {
            command.m_arguments.push_back(FillWord(word, input, output, avOptions));
        }
    }
    return command;
}
