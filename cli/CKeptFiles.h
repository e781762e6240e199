#pragma once

#include <string>
#include <utility>
#include <vector>

// Keeps files alive across an object that deletes them when it goes: each existing file gets a
// second name (a hard link, or a copy where links are refused) that is moved back on
// destruction. The renderer only reads its input, yet the stream it opens removes the working
// files of its name when destroyed.
class CKeptFiles {
public:
    explicit CKeptFiles(const std::vector<std::string>& paths);
    ~CKeptFiles();
    CKeptFiles(const CKeptFiles&) = delete;
    CKeptFiles& operator=(const CKeptFiles&) = delete;

private:
    // (original, spare name)
    std::vector<std::pair<std::string, std::string>> m_kept;
};
