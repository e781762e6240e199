#include "platform/RX40CVMIniFile.h"

#include "platform/CIniDocument.h"
#include "platform/CNumberText.h"
#include "platform/CTextFile.h"

#include <filesystem>
#include <optional>

namespace {

CIniDocument LoadDocument(const std::string& path) {
    return CIniDocument(CTextFile::Read(path).value_or(std::string{}));
}

// The document to change: empty for a missing file, none for a file that exists but cannot be
// read (replacing it would lose its contents).
std::optional<CIniDocument> LoadForUpdate(const std::string& path) {
    if (auto text = CTextFile::Read(path)) {
        return CIniDocument(*text);
    }
    std::error_code ec;
    if (std::filesystem::exists(path, ec) || ec) {
        return std::nullopt;
    }
    return CIniDocument();
}

// Cuts at most at the limit without splitting a UTF-8 sequence.
std::string Truncated(std::string value, std::size_t limit) {
    if (value.size() <= limit) {
        return value;
    }
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80) {
        --end;
    }
    value.resize(end);
    return value;
}

} // namespace

RX40CVMIniFile::RX40CVMIniFile(std::string path) : m_path(std::move(path)) {}

RX40CVMIniFile::~RX40CVMIniFile() = default;

void RX40CVMIniFile::SetSection(std::string section) {
    m_section = std::move(section);
}

std::string RX40CVMIniFile::ReadString(std::string_view key,
                                       const std::string& defaultValue) const {
    if (m_section.empty()) {
        return defaultValue;
    }
    const auto value = LoadDocument(m_path).Get(m_section, key);
    return Truncated(value.value_or(defaultValue), MaxValueLength);
}

std::int32_t RX40CVMIniFile::ReadInt(std::string_view key, std::int32_t defaultValue) const {
    return CNumberText::ParseLeadingInt(ReadString(key, CNumberText::FormatInt(defaultValue)));
}

void RX40CVMIniFile::WriteString(std::string_view key, std::string_view value) const {
    WriteEntries({{m_section, std::string(key), std::string(value)}});
}

void RX40CVMIniFile::WriteInt(std::string_view key, std::int32_t value) const {
    WriteString(key, CNumberText::FormatInt(value));
}

void RX40CVMIniFile::DeleteKey(std::string_view key) const {
    WriteEntries({{m_section, std::string(key), std::nullopt}});
}

bool RX40CVMIniFile::WriteEntries(const std::vector<Entry>& entries) const {
    auto document = LoadForUpdate(m_path);
    if (!document) {
        return false;
    }
    bool changed = false;
    for (const Entry& entry : entries) {
        if (entry.section.empty()) {
            continue;
        }
        if (!entry.value) {
            document->Remove(entry.section, entry.key);
            changed = true;
        } else if (document->Set(entry.section, entry.key, *entry.value)) {
            changed = true;
        }
    }
    return !changed || CTextFile::WriteReplacing(m_path, document->Text());
}
