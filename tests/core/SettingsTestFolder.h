#pragma once

#include "CTestMedia.h"

#include <fstream>
#include <sstream>
#include <string>

// A fresh temporary folder for one test, removed with everything in it afterwards. Making it
// throws when the folder cannot be made, so no test ever writes beside the root.
class SettingsTestFolder {
public:
    const std::string& Path() const { return m_folder.Dir(); }
    std::string File(const std::string& name) const { return m_folder.Path(name); }

    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(File(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

private:
    CTestMedia m_folder;
};
