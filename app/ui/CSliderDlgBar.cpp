#include "app/ui/CSliderDlgBar.h"

#include "app/CInifileManager.h"
#include "platform/CNumberText.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSlider>

CSliderDlgBar::CSliderDlgBar(CInifileManager& settings, QWidget* parent)
    : RX40sCInitDialogBar(QString::fromStdString(CStringTable::Load(CResourceId::SliderBarCaption)),
                          parent),
      m_settings(settings) {}

void CSliderDlgBar::CreateControls() {
    const bool japanese = CStringTable::Language() == CStringTable::Japanese;
    m_slider = new QSlider(Qt::Horizontal, this);
    m_slider->setObjectName(QStringLiteral("frameSlider"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    AddControl(m_slider, japanese ? 176 : 195, 17);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    AddControl(divider, 8, 18);
    auto* label = new QLabel(
        QString::fromStdString(CStringTable::Load(CResourceId::PlaySpeedLabel)), this);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    AddControl(label, 49, 12);
    m_speedList = new QComboBox(this);
    m_speedList->setObjectName(QStringLiteral("speedList"));
    for (const char* entry : SpeedEntries) {
        m_speedList->addItem(QString::fromLatin1(entry));
    }
    AddControl(m_speedList, 25 + 8, 12);
}

bool CSliderDlgBar::InitializeBar() {
    const QString rate = QString::fromStdString(CNumberText::FormatOneDecimal(m_settings.PlaySpeedRate));
    speedIndex = m_speedList->findText(rate, Qt::MatchFixedString);
    m_speedList->setCurrentIndex(speedIndex);
    return true;
}
