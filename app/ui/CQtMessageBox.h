#pragma once

#include "platform/IMessageBox.h"

class QWidget;

// Answers the core's message boxes with a modal Qt message box over the main window.
class CQtMessageBox : public IMessageBox {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    int Show(const std::string& text, int style) override;

private:
    QWidget* m_parent = nullptr;
};
