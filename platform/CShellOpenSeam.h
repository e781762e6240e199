#pragma once

#include "platform/IShellOpen.h"

#include <string>

// The one place through which code asks the desktop to open something. Without an installed
// opener nothing is opened and the answer is false.
class CShellOpenSeam {
public:
    // Installs the opener (not owned); nullptr restores the default. Returns the previous one.
    static IShellOpen* Install(IShellOpen* opener);
    static bool Open(const std::string& target);
};
