#include "platform/CShellOpenSeam.h"

namespace {
IShellOpen* g_opener = nullptr;
}

IShellOpen* CShellOpenSeam::Install(IShellOpen* opener) {
    IShellOpen* previous = g_opener;
    g_opener = opener;
    return previous;
}

bool CShellOpenSeam::Open(const std::string& target) {
    return g_opener != nullptr && g_opener->Open(target);
}
