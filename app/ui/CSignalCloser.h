#pragma once

#include <QObject>

class QSocketNotifier;
class QWidget;

// Turns SIGINT, SIGTERM and SIGHUP into a close request of the main window, so that ending
// the program from a terminal or a session manager still saves the settings.
class CSignalCloser : public QObject {
    Q_OBJECT
public:
    explicit CSignalCloser(QWidget* window);
    ~CSignalCloser() override;

    // False when the signals could not be taken over; they then keep their default action.
    bool IsActive() const { return m_notifier != nullptr; }

private:
    static void onSignal(int signal);
    void closeWindow();

    QWidget* m_window;
    QSocketNotifier* m_notifier = nullptr;
};
