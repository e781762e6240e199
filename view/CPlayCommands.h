#pragma once

#include "app/CCmdTarget.h"
#include "app/CPlayController.h"
#include "app/IPlayHost.h"

#include <QObject>

#include <map>

class CFrameStepCommands;
class CInifileManager;
class CMainFrame;
class CVexoDoc;
class CVexoView;
class ISoundCommands;

// The main window's play commands (Stop, Play, Play with sound, Continuous Play), its play
// timers, the speed list and the up and down arrow keys that step it.
class CPlayCommands : public QObject, public CCmdTarget, private IPlayHost {
    Q_OBJECT
public:
    CPlayCommands(CMainFrame& frame, CVexoView& view, const CVexoDoc& document,
                  CFrameStepCommands& steps, CInifileManager& settings, ISoundCommands& sound);

    CPlayController& Controller() { return m_control; }
    void StopPlay() { m_control.StopPlay(); }
    // Up arrow: a faster entry of the speed list, down arrow: a slower one. False for other
    // keys, which go on.
    bool StepSpeed(bool up, bool down);
    // The interval of the running play timer id in milliseconds; 0 when it does not run.
    int TimerInterval(int id) const;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    void OnSpeedChosen(int index);

    void StartTimer(int id, int intervalMs) override;
    void KillTimer(int id) override;
    void ShowFrame(std::int64_t n) override;
    void ShowPlayPicture(bool stopPicture) override;
    void PlayStopped() override;
    bool RecordBrush(std::int64_t frame) override;
    void ResetSelection() override;

    CMainFrame& m_frame;
    CVexoView& m_view;
    const CVexoDoc& m_document;
    CFrameStepCommands& m_steps;
    CInifileManager& m_settings;
    CPlayController m_control;
    struct Timer {
        int qtId;
        int intervalMs;
    };
    // By play timer id.
    std::map<int, Timer> m_timers;
};
