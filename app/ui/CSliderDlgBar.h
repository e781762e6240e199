#pragma once

#include "app/ui/RX40sCInitDialogBar.h"

class CCoverageStrip;
class CInifileManager;
class QComboBox;
class QSlider;

// The slider bar: the frame slider with the coverage strip under it, and the play speed list.
// A click on the strip moves the slider there, as a drag of the slider would.
class CSliderDlgBar : public RX40sCInitDialogBar {
    Q_OBJECT
public:
    // The speed list's entries, fastest first.
    static constexpr const char* SpeedEntries[] = {"2.0", "1.0", "0.8", "0.5", "0.2", "0.1"};

    CSliderDlgBar(CInifileManager& settings, QWidget* parent);

    QSlider* FrameSlider() const { return m_slider; }
    QComboBox* SpeedList() const { return m_speedList; }
    CCoverageStrip* Coverage() const { return m_coverage; }
    // The speed list's selection; -1 for none.
    int speedIndex = -1;

protected:
    void CreateControls() override;
    // Selects the entry that reads exactly as "PlaySpeedRate" with one decimal, or none.
    bool InitializeBar() override;

private:
    CInifileManager& m_settings;
    QSlider* m_slider = nullptr;
    CCoverageStrip* m_coverage = nullptr;
    QComboBox* m_speedList = nullptr;
};
