#include "app/ui/CSliderDlgBar.h"

#include "app/CInifileManager.h"
#include "app/ui/CCoverageStrip.h"
#include "platform/CNumberText.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

CSliderDlgBar::CSliderDlgBar(CInifileManager& settings, QWidget* parent)
    : RX40sCInitDialogBar(QString::fromStdString(CStringTable::Load(CResourceId::SliderBarCaption)),
                          parent),
      m_settings(settings) {}

void CSliderDlgBar::CreateControls() {
    const bool japanese = CStringTable::Language() == CStringTable::Japanese;
    auto* frames = new QWidget(this);
    auto* column = new QVBoxLayout(frames);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    m_slider = new QSlider(Qt::Horizontal, frames);
    m_slider->setObjectName(QStringLiteral("frameSlider"));
    m_slider->setTickPosition(QSlider::TicksBelow);
    column->addWidget(m_slider);
    m_coverage = new CCoverageStrip(frames);
    m_coverage->setFixedHeight(DluY(3));
    column->addWidget(m_coverage);
    connect(m_coverage, &CCoverageStrip::frameChosen, m_slider, [this](int frame) {
        m_slider->setSliderPosition(frame);
        m_slider->triggerAction(QAbstractSlider::SliderMove);
    });
    AddControl(frames, japanese ? 176 : 195, 21);
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
