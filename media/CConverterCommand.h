#pragma once

#include <string>
#include <vector>

// One command for the converter tool, kept twice: as the text that is logged exactly as built,
// and as the argument vector the tool receives. Paths enter the vector whole, never split or
// unquoted, so any character in a file name reaches the tool unchanged.
class CConverterCommand {
public:
    // Appends options to both: verbatim to the text, split at blanks into the vector.
    CConverterCommand& AddOptions(const std::string& options);
    // Appends a path: in double quotes to the text, as one argument to the vector.
    CConverterCommand& AddPath(const std::string& path);
    // Appends one argument as it is: to the text after a blank, quoted when it holds blanks.
    CConverterCommand& AddArgument(const std::string& argument);

    // A profile template: split into arguments first, then "<%input%>", "<%output%>" and
    // "<AVOptions>" are filled in, so a path is never parsed as part of the template.
    static CConverterCommand FromTemplate(const std::string& templ, const std::string& input,
                                          const std::string& output, const std::string& avOptions);

    // A relative path that could read as an option or a protocol gets "./" before it.
    static std::string SafePath(const std::string& path);
    static std::vector<std::string> SplitTemplate(const std::string& templ);

    const std::string& Text() const { return m_text; }
    const std::vector<std::string>& Arguments() const { return m_arguments; }

private:
    std::string m_text;
    std::vector<std::string> m_arguments;
};
