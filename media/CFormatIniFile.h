#pragma once

#include <string>
#include <vector>

// The conversion profiles offered by Save: "profile_x64.ini" in the program folder, section
// "Image" for a still image and "Output" for a movie, each profile a FilterN/CommandN pair.
class CFormatIniFile {
public:
    CFormatIniFile(const std::string& programDir, bool stillImage);
    virtual ~CFormatIniFile();

    // The Save dialog's filter: every filter joined, then "|"; the AVI filter when none.
    std::string GetFilterString() const;
    const std::vector<std::string>& Filters() const { return m_filters; }
    const std::vector<std::string>& Commands() const { return m_commands; }
    // Command number index (zero-based), or the empty text outside the list.
    std::string Command(int index) const;
    // The zero-based index of the first profile whose filter has the pattern "*.<extension of
    // target>" (letters compared without regard to case); -1 when none has.
    int ProfileFor(const std::string& target) const;
    // The profile a save of target with profile chosen uses: chosen when its filter takes the
    // target's extension or no filter does, else the first one that does, so that a name typed
    // with another type's extension gets that type.
    int ProfileFor(const std::string& target, int chosen) const;

    static constexpr const char* FileName = "profile_x64.ini";

private:
    // True when the filter of profile index has the pattern of target's extension.
    bool Takes(int index, const std::string& target) const;

    std::string m_path;
    std::vector<std::string> m_filters;
    std::vector<std::string> m_commands;
};
