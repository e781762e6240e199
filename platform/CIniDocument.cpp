#include "platform/CIniDocument.h"

#include "platform/CAsciiText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsComment(std::string_view line) {
    return !line.empty() && line.front() == ';';
}

std::optional<std::string_view> SectionName(std::string_view line) {
    const std::string_view trimmed = CAsciiText::Trim(line);
    if (trimmed.empty() || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    return CAsciiText::Trim(trimmed.substr(1, close - 1));
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

CIniDocument::CIniDocument(std::string_view text) {
    // Editors put a byte-order mark before the first section; it is kept, but not as text.
    m_byteOrderMark = text.starts_with(kByteOrderMark);
    if (m_byteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (text.find("\r\n") != std::string_view::npos) {
        m_newline = "\r\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        m_lines.emplace_back(line);
        start = end + 1;
    }
}

std::optional<CIniDocument::Range> CIniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const auto name = SectionName(m_lines[i]);
        if (!name || !CAsciiText::EqualNoCase(*name, CAsciiText::Trim(section))) {
            continue;
        }
        std::size_t end = i + 1;
        while (end < m_lines.size() && !SectionName(m_lines[end])) {
            ++end;
        }
        return Range{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> CIniDocument::findKey(const Range& range, std::string_view key) const {
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        const std::string_view line = m_lines[i];
        const auto equals = line.find('=');
        if (IsComment(line) || equals == std::string_view::npos) {
            continue;
        }
        if (CAsciiText::EqualNoCase(CAsciiText::Trim(line.substr(0, equals)),
                                    CAsciiText::Trim(key))) {
            return i;
        }
    }
    return std::nullopt;
}

std::size_t CIniDocument::insertionPoint(const Range& range) const {
    std::size_t point = range.end;
    while (point > range.header + 1 && CAsciiText::Trim(m_lines[point - 1]).empty()) {
        --point;
    }
    return point;
}

std::optional<std::string> CIniDocument::Get(std::string_view section, std::string_view key) const {
    const auto range = findSection(section);
    if (!range) {
        return std::nullopt;
    }
    const auto line = findKey(*range, key);
    if (!line) {
        return std::nullopt;
    }
    const std::string_view text = m_lines[*line];
    return std::string(Unquote(CAsciiText::Trim(text.substr(text.find('=') + 1))));
}

bool CIniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) ||
        key.find('=') != std::string_view::npos || section.find(']') != std::string_view::npos) {
        return false;
    }
    std::string line = std::string(key) + "=" + std::string(value);
    // A line that would read back as a section header or a comment would lose the key.
    if (SectionName(line) || IsComment(line)) {
        return false;
    }
    auto range = findSection(section);
    if (!range) {
        if (!m_lines.empty() && !CAsciiText::Trim(m_lines.back()).empty()) {
            m_lines.emplace_back();
        }
        // Appended piece by piece: "[" + name + "]" trips a false -Wrestrict at -O3 in GCC 12.
        std::string header = "[";
        header.append(section).push_back(']');
        m_lines.push_back(std::move(header));
        m_lines.push_back(std::move(line));
        return true;
    }
    if (const auto existing = findKey(*range, key)) {
        m_lines[*existing] = std::move(line);
    } else {
        m_lines.insert(m_lines.begin() + std::ptrdiff_t(insertionPoint(*range)), std::move(line));
    }
    return true;
}

void CIniDocument::Remove(std::string_view section, std::string_view key) {
    const auto range = findSection(section);
    if (!range) {
        return;
    }
    if (const auto line = findKey(*range, key)) {
        m_lines.erase(m_lines.begin() + std::ptrdiff_t(*line));
    }
}

std::string CIniDocument::Text() const {
    std::string text(m_byteOrderMark ? kByteOrderMark : std::string_view{});
    for (const auto& line : m_lines) {
        text += line;
        text += m_newline;
    }
    return text;
}
