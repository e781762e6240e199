#pragma once

#include <string>

// Answers and button sets of a message box, with the platform's values.
enum : int {
    QV_MB_OK = 0x0,
    QV_MB_YESNOCANCEL = 0x3,
    QV_MB_YESNO = 0x4,
    QV_MB_ICONERROR = 0x10,
    QV_MB_ICONQUESTION = 0x20,
    QV_MB_ICONWARNING = 0x30,
    QV_MB_ICONINFORMATION = 0x40,
};
enum : int { QV_IDOK = 1, QV_IDCANCEL = 2, QV_IDYES = 6, QV_IDNO = 7 };

// Shows a message to the user and returns the button chosen. The GUI answers with a real
// message box, the command-line renderer on stderr, and tests with scripted answers.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual int Show(const std::string& text, int style) = 0;
};
