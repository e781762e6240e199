#include "view/CMosaicPropertyExDlg.h"

#include "resources/CResourceId.h"

CMosaicPropertyExDlg::CMosaicPropertyExDlg(QWidget* owner)
    : CModeDescriptionDlg(CResourceId::MovingModeDescription, QStringLiteral("moving"), owner) {}
