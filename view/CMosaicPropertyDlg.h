#pragma once

#include "view/CModeDescriptionDlg.h"

// The description window of fixed mosaic mode.
class CMosaicPropertyDlg : public CModeDescriptionDlg {
    Q_OBJECT
public:
    explicit CMosaicPropertyDlg(QWidget* owner);
};
