#pragma once

#include "view/CModeDescriptionDlg.h"

// The description window of moving mosaic mode.
class CMosaicPropertyExDlg : public CModeDescriptionDlg {
    Q_OBJECT
public:
    explicit CMosaicPropertyExDlg(QWidget* owner);
};
