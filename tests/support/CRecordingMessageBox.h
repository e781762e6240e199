#pragma once

#include "platform/IMessageBox.h"

#include <string>
#include <vector>

// Remembers the messages shown and gives one answer to all of them.
class CRecordingMessageBox : public IMessageBox {
public:
    explicit CRecordingMessageBox(int answer = QV_IDOK) : m_answer(answer) {
    }
    int Show(const std::string& text, int) override {
        texts.push_back(text);
        return m_answer;
    }
    std::vector<std::string> texts;

private:
    int m_answer;
};
