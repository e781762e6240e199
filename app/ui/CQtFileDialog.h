#pragma once

#include "platform/IFileDialog.h"

#include <QStringList>

class QFileDialog;
class QWidget;

// Answers the file dialogs with the desktop's file dialog over the main window.
class CQtFileDialog : public IFileDialog {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }
    Answer Show(const Request& request) override;

    // "Movie files|*.avi;*.mp4|All Files(*.*)|*.*||" as Qt's "Movie files (*.avi *.mp4)",
    // "All Files (*)": a caption that already lists its patterns does not list them twice.
    static QStringList QtFilters(const std::string& filter);
    // The extension of a Qt filter's first pattern ("mp4" of "MP4 file (*.mp4)"); empty when
    // that pattern names none.
    static QString FilterExtension(const QString& qtFilter);

private:
    // The default suffix and the proposed name follow the chosen filter.
    static void FollowFilterExtension(QFileDialog& dialog, const QString& defaultExtension,
                                      const QString& suggestedStem);

    QWidget* m_parent = nullptr;
};
