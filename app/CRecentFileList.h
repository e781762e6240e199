#pragma once

#include <string>
#include <vector>

// The File menu's list of recently opened files, newest first, kept in the profile file under
// section "Recent File List" as "File1" to "File4".
class CRecentFileList {
public:
    static constexpr std::size_t MaxEntries = 4;

    explicit CRecentFileList(std::string profilePath);

    void Load();
    // False when the profile file could not be written; the old file then stays whole.
    bool Save() const;
    // Puts the path first; an entry naming the same path moves rather than repeats.
    void Add(const std::string& path);
    void Remove(std::size_t index);
    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::string m_profilePath;
    std::vector<std::string> m_files;
};
