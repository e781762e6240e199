#include "platform/CMessageBoxSeam.h"

#include <cstdio>

namespace {
IMessageBox* g_box = nullptr;
}

IMessageBox* CMessageBoxSeam::Install(IMessageBox* box) {
    IMessageBox* previous = g_box;
    g_box = box;
    return previous;
}

int CMessageBoxSeam::Show(const std::string& text, int style) {
    if (g_box) {
        return g_box->Show(text, style);
    }
    std::fprintf(stderr, "%s\n", text.c_str());
    const int buttons = style & 0xF;
    return (buttons == QV_MB_YESNOCANCEL || buttons == QV_MB_YESNO) ? QV_IDCANCEL : QV_IDOK;
}
