#pragma once

#include <string>
#include <vector>

// The working files one open made beside its source; whoever holds this object owns them and
// they are deleted when it goes (or at Remove). A lock file beside them, held as long as the
// object lives, keeps every other process of ours from deleting or overwriting them.
class CWorkFiles {
public:
    enum class Claim { Taken, InUse, Failed };

    CWorkFiles() = default;
    ~CWorkFiles();
    CWorkFiles(CWorkFiles&& other) noexcept;
    CWorkFiles& operator=(CWorkFiles&& other) noexcept;
    CWorkFiles(const CWorkFiles&) = delete;
    CWorkFiles& operator=(const CWorkFiles&) = delete;

    // Takes the working names of source for this object; InUse while another open holds them.
    Claim Lock(const std::string& source);
    // Records path, a working name of the locked source, as made by this open; whatever an
    // earlier, crashed run left there is removed first.
    void Add(const std::string& path);
    // Deletes every file now and lets go of the lock.
    void Remove();
    bool Holds(const std::string& path) const;
    const std::vector<std::string>& Files() const { return m_files; }

private:
    std::vector<std::string> m_files;
    std::string m_lockPath;
    int m_lockFd = -1;
};
