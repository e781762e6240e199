#include "app/ui/CProgressDlg.h"

#include "resources/CStringTable.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

constexpr int kCancelText = 2077;
// Dialog units: the window's height without and with the Cancel row.
constexpr int kHeight = 42;
constexpr int kCancellableHeight = 60;

// Dialog units of the layout converted at the usual 1.5 pixels a unit.
QRect Units(int x, int y, int width, int height) {
    return QRect(x * 3 / 2, y * 3 / 2, width * 3 / 2, height * 3 / 2);
}

QString Title() {
    return CStringTable::Language() == CStringTable::Japanese
               ? QString::fromUtf8("変換状況...")
               : QStringLiteral("Conversion Status...");
}

} // namespace

CProgressDlg::CProgressDlg(QWidget* owner) : QDialog(owner), m_owner(owner) {
    setWindowTitle(Title());
    setFixedSize(Units(0, 0, 187, kHeight).size());
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("1005");
    m_progress->setGeometry(Units(7, 17, 173, 13));
    m_progress->setTextVisible(false);
    m_percent = new QLabel(" 0 %", this);
    m_percent->setObjectName("1006");
    m_percent->setGeometry(Units(84, 7, 18, 8));
    m_timeLeft = new QLabel(this);
    m_timeLeft->setGeometry(Units(106, 7, 74, 8));
    m_timeLeft->setAlignment(Qt::AlignRight);
    m_cancel = new QPushButton(QString::fromStdString(CStringTable::Load(kCancelText)), this);
    m_cancel->setGeometry(Units(130, 38, 50, 14));
    m_cancel->hide();
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelRequested = true; });
}

CProgressDlg::~CProgressDlg() {
    EnableOwner();
}

bool CProgressDlg::Create() {
    m_cancelRequested = false;
    m_timeLeft->clear();
    if (m_owner && m_owner->isEnabled()) {
        m_owner->setEnabled(false);
        m_ownerDisabled = true;
    }
    // A disabled owner disables its child windows as well; Cancel must stay usable.
    setEnabled(true);
    m_progress->setRange(m_lower, m_upper);
    m_progress->setValue(m_lower);
    show();
    return true;
}

void CProgressDlg::SetMarquee() {
    m_progress->setRange(0, 0);
    m_percent->hide();
}

// The window is shared: a bar with an end after a converter's marquee shows its percentage.
void CProgressDlg::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_progress->setRange(lower, upper);
    m_percent->show();
}

void CProgressDlg::SetCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption));
}

void CProgressDlg::UpdatePercent(int position) {
    const QString text = QString::fromStdString(PercentText(position, m_lower, m_upper));
    if (!text.isEmpty() && m_percent->text() != text) {
        m_percent->setText(text);
    }
}

void CProgressDlg::Pump() {
    QCoreApplication::processEvents();
}

void CProgressDlg::Destroy() {
    EnableOwner();
    hide();
}

void CProgressDlg::EnableOwner() {
    if (m_ownerDisabled && m_owner) {
        m_owner->setEnabled(true);
    }
    m_ownerDisabled = false;
}

void CProgressDlg::SetPosition(int position) {
    m_progress->setValue(position);
}

void CProgressDlg::SetTimeLeft(const std::string& text) {
    m_timeLeft->setText(QString::fromStdString(text));
}

void CProgressDlg::reject() {
    if (m_cancel->isVisible()) {
        m_cancelRequested = true;
    }
}

void CProgressDlg::SetCancellable(bool on) {
    m_cancel->setVisible(on);
    setFixedSize(Units(0, 0, 187, on ? kCancellableHeight : kHeight).size());
    if (!on) {
        m_cancelRequested = false;
    }
}
