#include "app/ui/CMosaicSizeDlgBar.h"

#include "app/CInifileManager.h"
#include "app/ui/CMainFrame.h"
#include "media/CAviVideoStream.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QComboBox>
#include <QLabel>

CMosaicSizeDlgBar::CMosaicSizeDlgBar(CMainFrame& frame, CInifileManager& settings)
    : RX40sCInitDialogBar(
          QString::fromStdString(CStringTable::Load(CResourceId::MosaicTypeBarCaption)), &frame),
      m_frame(frame), m_settings(settings) {}

void CMosaicSizeDlgBar::CreateControls() {
    auto* label = new QLabel(
        QString::fromStdString(CStringTable::Load(CResourceId::MosaicTypeLabel)), this);
    AddControl(label, 47, 12);
    m_typeList = new QComboBox(this);
    m_typeList->setObjectName(QStringLiteral("typeList"));
    for (int id = 0; id < TypeCount; ++id) {
        m_typeList->addItem(QString::fromStdString(CStringTable::Load(CResourceId::MosaicType0 + id)));
    }
    AddControl(m_typeList, 47 + 8, 12);
    connect(m_typeList, &QComboBox::activated, this, &CMosaicSizeDlgBar::OnTypeChosen);
}

bool CMosaicSizeDlgBar::InitializeBar() {
    SelectType(m_settings.SizeID);
    return true;
}

void CMosaicSizeDlgBar::SelectType(int id) {
    typeIndex = id >= 0 && id < TypeCount ? id : -1;
    m_typeList->setCurrentIndex(typeIndex);
}

void CMosaicSizeDlgBar::OnTypeChosen(int index) {
    typeIndex = index;
    m_settings.SizeID = index;
    CAviVideoStream* stream = m_frame.ActiveStream();
    if (!stream) {
        return;
    }
    if (stream->m_mosaic.SetType(index, m_settings.SizeID, true)) {
        m_frame.SetModified();
        m_frame.InvalidateView();
    } else {
        m_frame.RecordMosaic();
    }
}
