#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;
class QWidget;

// Turns SIGINT, SIGTERM and SIGHUP into a close request of the main window, so that ending
// the program from a terminal or a session manager still saves the settings.
class CSignalCloser : public QObject {
    Q_OBJECT
public:
    // Installed before start-up so that a signal during start-up is not fatal; the window is
    // looked up when the signal is handled.
    explicit CSignalCloser(std::function<QWidget*()> window);
    ~CSignalCloser() override;

    // False when the signals could not be taken over; they then keep their default action.
    bool IsActive() const { return m_notifier != nullptr; }
    // True when a signal came while there was no window to close.
    bool CloseRequested() const { return m_closeRequested; }

private:
    static void onSignal(int signal);
    void closeWindow();

    std::function<QWidget*()> m_window;
    bool m_closeRequested = false;
    QSocketNotifier* m_notifier = nullptr;
};
