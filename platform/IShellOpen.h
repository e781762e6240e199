#pragma once

#include <string>

// Opens a document, folder or web address with the desktop's default action. The GUI answers
// with the desktop's handler, tests with a recorder.
class IShellOpen {
public:
    virtual ~IShellOpen() = default;
    // target: an absolute path or an address with a scheme. False when nothing opened it.
    virtual bool Open(const std::string& target) = 0;
};
