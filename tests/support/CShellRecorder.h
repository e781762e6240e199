#pragma once

#include "platform/CShellOpenSeam.h"

#include <string>
#include <vector>

// Records what would have been opened instead of opening it, for as long as it lives.
class CShellRecorder : public IShellOpen {
public:
    CShellRecorder() : m_previous(CShellOpenSeam::Install(this)) {}
    ~CShellRecorder() override { CShellOpenSeam::Install(m_previous); }
    bool Open(const std::string& target) override {
        Opened.push_back(target);
        return opens;
    }
    std::vector<std::string> Opened;
    // What the desktop answers: whether a program took the file.
    bool opens = true;

private:
    IShellOpen* m_previous;
};
