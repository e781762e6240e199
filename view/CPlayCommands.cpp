#include "view/CPlayCommands.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CVexoDoc.h"
#include "app/ui/RX40sCOOIconToolBar.h"
#include "media/CAviVideoStream.h"
#include "view/CFrameStepCommands.h"
#include "view/CVexoView.h"

#include <QComboBox>
#include <QSlider>
#include <QTimerEvent>

CPlayCommands::CPlayCommands(CMainFrame& frame, CVexoView& view, const CVexoDoc& document,
                             CFrameStepCommands& steps, CInifileManager& settings,
                             ISoundCommands& sound)
    : m_frame(frame), m_view(view), m_document(document), m_steps(steps), m_settings(settings),
      m_control({frame.playing, frame.audioPlaying, frame.playStream}, settings, *this, sound) {
    OnCommand(CCommandId::Stop, [this] { m_control.StopPlay(); });
    OnCommand(CCommandId::Play, [this] { m_control.Play(m_frame.ActiveStream()); });
    OnCommand(CCommandId::PlayWithAudio, [this] {
        m_control.PlayWithSound(m_frame.ActiveStream(), m_document.SoundPath());
    });
    OnCommand(CCommandId::ContinuousPlay, [this] { m_settings.LoopPlay = 1 - m_settings.LoopPlay; });
    if (CSliderDlgBar* bar = m_frame.SliderBar()) {
        QObject::connect(bar->SpeedList(), &QComboBox::activated, this,
                         &CPlayCommands::OnSpeedChosen);
        // After the step commands have shown the slider's frame, the sound goes there too.
        QObject::connect(bar->FrameSlider(), &QSlider::actionTriggered, this, [this] {
            if (const CAviVideoStream* stream = m_frame.ActiveStream()) {
                m_control.OnSliderMoved(*stream);
            }
        });
    }
}

bool CPlayCommands::StepSpeed(bool up, bool down) {
    CSliderDlgBar* bar = m_frame.SliderBar();
    if (bar == nullptr || !(up || down)) {
        return false;
    }
    QComboBox* list = bar->SpeedList();
    const int index = CPlayController::StepSpeedIndex(list->currentIndex(), list->count(), up, down);
    if (index != list->currentIndex()) {
        list->setCurrentIndex(index);
        OnSpeedChosen(index);
    }
    return true;
}

void CPlayCommands::OnSpeedChosen(int index) {
    CSliderDlgBar* bar = m_frame.SliderBar();
    bar->speedIndex = index;
    m_control.OnSpeedSelected(bar->SpeedList()->itemText(index).toStdString());
}

// Window timers keep their pace; a coarse timer would drift by several milliseconds a tick.
void CPlayCommands::StartTimer(int id, int intervalMs) {
    KillTimer(id);
    m_timers[id] = Timer{QObject::startTimer(intervalMs, Qt::PreciseTimer), intervalMs};
}

int CPlayCommands::TimerInterval(int id) const {
    const auto found = m_timers.find(id);
    return found == m_timers.end() ? 0 : found->second.intervalMs;
}

void CPlayCommands::KillTimer(int id) {
    if (const auto found = m_timers.find(id); found != m_timers.end()) {
        QObject::killTimer(found->second.qtId);
        m_timers.erase(found);
    }
}

void CPlayCommands::timerEvent(QTimerEvent* event) {
    for (const auto& [id, timer] : m_timers) {
        if (timer.qtId == event->timerId()) {
            m_control.OnTimer(id);
            return;
        }
    }
}

void CPlayCommands::ShowFrame(std::int64_t n) {
    m_steps.ShowFrame(n);
}

void CPlayCommands::ShowPlayPicture(bool stopPicture) {
    const int* icons = stopPicture ? CMainFrame::StopIcons : CMainFrame::PlayIcons;
    m_frame.MovieToolBar()->ReplaceButtonIcon(icons[0], icons[1], icons[2]);
}

void CPlayCommands::PlayStopped() {
    m_view.PlayStopped();
}

bool CPlayCommands::RecordBrush(std::int64_t frame) {
    return m_frame.editMode == 1 && m_view.RecordBrush(frame);
}

void CPlayCommands::ResetSelection() {
    m_view.Editor().ResetSelection();
}
