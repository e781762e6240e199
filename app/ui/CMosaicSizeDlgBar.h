#pragma once

#include "app/ui/RX40sCInitDialogBar.h"

class CMainFrame;
class CInifileManager;
class QComboBox;

// The mosaic type bar: the list of the ten mosaic types.
class CMosaicSizeDlgBar : public RX40sCInitDialogBar {
    Q_OBJECT
public:
    static constexpr int TypeCount = 10;

    CMosaicSizeDlgBar(CMainFrame& frame, CInifileManager& settings);

    QComboBox* TypeList() const { return m_typeList; }
    // The type list's selection; -1 for none.
    int typeIndex = -1;
    // Shows the type id in the list (none outside 0 to 9).
    void SelectType(int id);

    // The user chose the type in the list: it becomes the setting and, with a stream open,
    // the stream's type with its default strength; the changed flags are set and the view
    // redrawn only when areas exist.
    void OnTypeChosen(int index);

protected:
    void CreateControls() override;
    // Selects the type of the setting "SizeID".
    bool InitializeBar() override;

private:
    CMainFrame& m_frame;
    CInifileManager& m_settings;
    QComboBox* m_typeList = nullptr;
};
