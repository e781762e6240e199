#include "app/ui/CProgressDlg.h"

#include "resources/CStringTable.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace {

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

CProgressDlg::CProgressDlg(QWidget* owner) : QDialog(nullptr), m_owner(owner) {
    setWindowTitle(Title());
    setFixedSize(Units(0, 0, 187, 42).size());
    m_progress = new QProgressBar(this);
    m_progress->setObjectName("1005");
    m_progress->setGeometry(Units(7, 17, 173, 13));
    m_progress->setTextVisible(false);
    m_percent = new QLabel(" 0 %", this);
    m_percent->setObjectName("1006");
    m_percent->setGeometry(Units(84, 7, 18, 8));
}

CProgressDlg::~CProgressDlg() {
    EnableOwner();
}

bool CProgressDlg::Create() {
    if (!m_owner) {
        m_owner = QApplication::activeWindow();
    }
    if (m_owner && m_owner->isEnabled()) {
        m_owner->setEnabled(false);
        m_ownerDisabled = true;
    }
    m_progress->setRange(m_lower, m_upper);
    m_progress->setValue(m_lower);
    setModal(false);
    show();
    return true;
}

void CProgressDlg::SetMarquee() {
    m_progress->setRange(0, 0);
    m_percent->hide();
}

void CProgressDlg::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
    m_progress->setRange(lower, upper);
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
