#include "platform/CFileDialogSeam.h"

namespace {
IFileDialog* g_dialog = nullptr;
}

IFileDialog* CFileDialogSeam::Install(IFileDialog* dialog) {
    IFileDialog* previous = g_dialog;
    g_dialog = dialog;
    return previous;
}

IFileDialog::Answer CFileDialogSeam::Show(const IFileDialog::Request& request) {
    if (g_dialog) {
        return g_dialog->Show(request);
    }
    return IFileDialog::Answer{false, {}, request.filterIndex};
}
