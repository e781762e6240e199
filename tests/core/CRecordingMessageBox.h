#pragma once

#include "platform/IMessageBox.h"

#include <string>
#include <vector>

// Remembers the messages shown and answers OK.
class CRecordingMessageBox : public IMessageBox {
public:
    int Show(const std::string& text, int) override {
        texts.push_back(text);
        return QV_IDOK;
    }
    std::vector<std::string> texts;
};
