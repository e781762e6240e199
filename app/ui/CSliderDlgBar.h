#pragma once

#include "app/ui/RX40sCInitDialogBar.h"

class CInifileManager;
class QComboBox;
class QSlider;

// The slider bar: the frame slider and the play speed list.
class CSliderDlgBar : public RX40sCInitDialogBar {
    Q_OBJECT
public:
    // The speed list's entries, fastest first.
    static constexpr const char* SpeedEntries[] = {"2.0", "1.0", "0.8", "0.5", "0.2", "0.1"};

    CSliderDlgBar(CInifileManager& settings, QWidget* parent);

    QSlider* FrameSlider() const { return m_slider; }
    QComboBox* SpeedList() const { return m_speedList; }
    // The speed list's selection; -1 for none.
    int speedIndex = -1;

protected:
    void CreateControls() override;
    // Selects the entry that reads exactly as "PlaySpeedRate" with one decimal, or none.
    bool InitializeBar() override;

private:
    CInifileManager& m_settings;
    QSlider* m_slider = nullptr;
    QComboBox* m_speedList = nullptr;
};
