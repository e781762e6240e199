#pragma once

#include "platform/IFileDialog.h"

// The one place through which code asks the user for a file name. Without an installed
// answerer every dialog is cancelled.
class CFileDialogSeam {
public:
    // Installs the answerer (not owned); nullptr restores the default. Returns the previous one.
    static IFileDialog* Install(IFileDialog* dialog);
    static IFileDialog::Answer Show(const IFileDialog::Request& request);
};
