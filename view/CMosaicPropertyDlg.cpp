#include "view/CMosaicPropertyDlg.h"

#include "resources/CResourceId.h"

CMosaicPropertyDlg::CMosaicPropertyDlg(QWidget* owner)
    : CModeDescriptionDlg(CResourceId::FixedModeDescription, QStringLiteral("fixed"), owner) {}
