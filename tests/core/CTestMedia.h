#pragma once

#include <string>
#include <vector>

// A fresh temporary folder for one test fixture, removed with the object, in which media files
// are generated with the ffmpeg command-line tool.
class CTestMedia {
public:
    CTestMedia();
    ~CTestMedia();
    CTestMedia(const CTestMedia&) = delete;
    CTestMedia& operator=(const CTestMedia&) = delete;

    const std::string& Dir() const { return m_dir; }
    // The path of name inside the folder.
    std::string Path(const std::string& name) const;
    // Runs "ffmpeg <args> <folder>/<name>" quietly, overwriting; returns the output path, or
    // an empty string when the tool failed or made no file.
    std::string Generate(const std::string& name, const std::string& args) const;

    // The names of the files in the folder, sorted.
    std::vector<std::string> Names() const;

private:
    std::string m_dir;
};
