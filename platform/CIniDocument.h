#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The text of one INI file held as lines. Sections and keys are matched without regard to
// (ASCII) case; changing one key leaves every other line as it was.
class CIniDocument {
public:
    CIniDocument() = default;
    explicit CIniDocument(std::string_view text);

    // The value of key in section, trimmed and without one pair of enclosing quotes.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    // Replaces the key's line, or adds it at the end of the section (the section at the end of
    // the text when it is missing). Returns false, changing nothing, for a value or name that
    // would break the line structure.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    void Remove(std::string_view section, std::string_view key);

    std::string Text() const;

private:
    struct Range {
        std::size_t header;
        std::size_t end; // one past the section's last line
    };

    std::optional<Range> findSection(std::string_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::string_view key) const;
    std::size_t insertionPoint(const Range& range) const;

    std::vector<std::string> m_lines;
    std::string m_newline = "\n";
    bool m_byteOrderMark = false;
};
