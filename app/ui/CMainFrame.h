#pragma once

#include "app/CInifileManager.h"

#include <QMainWindow>

// The program's one top-level window. It opens where the settings say (or at 0, 0, 800, 600
// when that is not wholly on the desktop), can't be made smaller than 800 by 600, and gives
// its outer rectangle back to the settings when it is destroyed.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int MinWidth = 800;
    static constexpr int MinHeight = 600;

    CMainFrame(CInifileManager& settings, const QString& title, bool progressOnly);
    ~CMainFrame() override;

    // Started with "/O" and an existing file: only the progress can be saved.
    bool IsProgressOnly() const { return m_progressOnly; }
    // Moves the window to the rectangle chosen from the settings (stored back when replaced).
    void ApplyPlacement();

private:
    static CInifileManager::Rect WorkArea();
    QMargins frameMargins() const;
    void storeOuterRect();

    CInifileManager& m_settings;
    bool m_progressOnly;
};
