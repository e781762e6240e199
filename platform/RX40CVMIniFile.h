#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Access to one INI file: reads and writes address the chosen section. Every call reads the
// file afresh and every write replaces it at once; a write that fails is dropped silently.
class RX40CVMIniFile {
public:
    static constexpr std::size_t MaxValueLength = 1023;

    // One change of a batch: sets key in section to value, or removes the key without a value.
    struct Entry {
        std::string section;
        std::string key;
        std::optional<std::string> value;

        bool operator==(const Entry&) const = default;
    };

    explicit RX40CVMIniFile(std::string path);
    virtual ~RX40CVMIniFile();

    const std::string& GetPath() const { return m_path; }
    const std::string& GetSection() const { return m_section; }
    void SetSection(std::string section);

    // Both return the default while no section is chosen or the key is absent.
    std::int32_t ReadInt(std::string_view key, std::int32_t defaultValue) const;
    std::string ReadString(std::string_view key, const std::string& defaultValue) const;

    // Writes do nothing while no section is chosen or for an empty path.
    void WriteString(std::string_view key, std::string_view value) const;
    void WriteInt(std::string_view key, std::int32_t value) const;
    void DeleteKey(std::string_view key) const;
    // Makes the changes in order and replaces the file once, ending as the same single writes
    // would; an entry without a section or with a value that would break the line is dropped.
    // False when the file could not be read or its new text not written whole (the old stays).
    bool WriteEntries(const std::vector<Entry>& entries) const;

private:
    std::string m_path;
    std::string m_section;
};
