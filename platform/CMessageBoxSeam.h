#pragma once

#include "platform/IMessageBox.h"

#include <string>

// The one place through which core code talks to the user. Without an installed answerer the
// text goes to stderr and the answer is OK (or Cancel for a question).
class CMessageBoxSeam {
public:
    // Installs the answerer (not owned); nullptr restores the default. Returns the previous one.
    static IMessageBox* Install(IMessageBox* box);
    static int Show(const std::string& text, int style);
};
