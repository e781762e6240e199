#pragma once

#include <QString>

// A command's texts from the string table in the current language: the menu caption, and
// the two lines of its string, the prompt for the status bar and the tool tip.
class CCommandText {
public:
    static QString Caption(int id);
    static QString Prompt(int stringId);
    static QString ToolTip(int stringId);
    static QString String(int id);
};
