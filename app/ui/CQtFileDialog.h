#pragma once

#include "platform/IFileDialog.h"

#include <QStringList>

class QWidget;

// Answers the file dialogs with the desktop's file dialog over the main window.
class CQtFileDialog : public IFileDialog {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    Answer Show(const Request& request) override;

    // "Movie files|*.avi;*.mp4|All Files(*.*)|*.*||" as Qt's "Movie files (*.avi *.mp4)",
    // "All Files(*.*) (*)".
    static QStringList QtFilters(const std::string& filter);

private:
    QWidget* m_parent = nullptr;
};
