#include "versionlib/about/CAppAboutDialog.h"

#include "versionlib/RX40CFileVersion.h"
#include "versionlib/about/CAppAboutFiles.h"
#include "versionlib/about/CAppAboutFolders.h"
#include "versionlib/about/CAppAboutResources.h"
#include "versionlib/about/CCtrlToggle.h"
#include "versionlib/about/CStaticEx.h"
#include "versionlib/about/CStaticLogo.h"

#include <QBoxLayout>
#include <QDesktopServices>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>

#include <utility>

namespace {

template <class Widget>
Widget* Control(QWidget* parent, int id) {
    auto* control = new Widget(parent);
    control->setObjectName(QString::number(id));
    return control;
}

// The first line of the program folder's "release.info"; empty when it can't be read.
QString ReleaseLine(const std::string& programFolder) {
    QFile file(QString::fromStdString(programFolder + "/release.info"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    return QString::fromUtf8(file.readLine()).trimmed();
}

} // namespace

CAppAboutDialog::CAppAboutDialog(Params params, QWidget* parent)
    : QDialog(parent), m_params(std::move(params)), m_programFolder(CAppAboutFolders::ProgramFolder()) {
    createControls();
    initHeader();
    initProgram();
    fillList();
    m_programButton->hide();
    m_settingsButton->hide();
    new CCtrlToggle(this, {m_programButton, m_settingsButton});
}

void CAppAboutDialog::createControls() {
    setWindowTitle(QStringLiteral("About"));
    m_logo = Control<CStaticLogo>(this, 24861);
    m_link = Control<QLabel>(this, 24862);
    m_phone = Control<QLabel>(this, 24863);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    m_icon = Control<QLabel>(this, 24864);
    m_release = Control<CStaticEx>(this, 24865);
    m_version = Control<QLabel>(this, 24866);
    m_text = Control<QPlainTextEdit>(this, 24867);
    m_text->setReadOnly(true);
    m_text->setFixedHeight(48);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list = Control<QTreeWidget>(this, 24868);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHeaderLabels({QStringLiteral("FileName"), QStringLiteral("Version"), QStringLiteral("Comment")});
    m_list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    m_list->setMinimumSize(490, 160);
    m_trademark = Control<QLabel>(this, 24869);
    m_copyright = Control<QLabel>(this, 24870);
    for (QLabel* centred : {m_trademark, m_copyright}) {
        centred->setAlignment(Qt::AlignHCenter);
    }
    m_ok = Control<QPushButton>(this, 1);
    m_ok->setText(QStringLiteral("OK"));
    m_ok->setDefault(true);
    m_programButton = Control<QPushButton>(this, 24871);
    m_programButton->setText(QStringLiteral("Install Dir"));
    m_settingsButton = Control<QPushButton>(this, 24872);
    m_settingsButton->setText(QStringLiteral("Setting Dir"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_programButton, &QPushButton::clicked, this, [] { CAppAboutFolders::OpenProgramFolder(); });
    connect(m_settingsButton, &QPushButton::clicked, this, [] { CAppAboutFolders::OpenSettingsFolder(); });

    auto* header = new QHBoxLayout;
    header->addWidget(m_logo, 0, Qt::AlignTop);
    auto* contact = new QVBoxLayout;
    contact->addWidget(m_link);
    contact->addWidget(m_phone);
    contact->addStretch();
    header->addLayout(contact, 1);
    auto* texts = new QVBoxLayout;
    texts->addWidget(m_release);
    texts->addWidget(m_version);
    texts->addStretch();
    auto* program = new QHBoxLayout;
    program->addWidget(m_icon, 0, Qt::AlignTop);
    program->addLayout(texts, 1);
    program->addWidget(m_text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    buttons->addWidget(m_programButton);
    buttons->addWidget(m_settingsButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(header);
    layout->addWidget(divider);
    layout->addLayout(program);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_trademark);
    layout->addWidget(m_copyright);
    layout->addLayout(buttons);
}

void CAppAboutDialog::initHeader() {
    m_logo->SetBitmap(CAppAboutResources::Logo());
    const QString address = CAppAboutResources::String(CAppAboutResources::WebAddress).trimmed();
    if (!address.isEmpty()) {
        m_link->setCursor(Qt::PointingHandCursor);
        m_link->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped()));
        connect(m_link, &QLabel::linkActivated, this, [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); });
    }
    const QString phone = CAppAboutResources::String(CAppAboutResources::PhoneNumber).trimmed();
    m_phone->setText(QStringLiteral("Phone:") + phone);
    m_phone->setVisible(!phone.isEmpty());
    m_trademark->setText(CAppAboutResources::String(CAppAboutResources::TrademarkLine).trimmed());
}

void CAppAboutDialog::initProgram() {
    const RX40CFileVersion version(CAppAboutFolders::ProgramPath());
    m_version->setText(CAppAboutResources::VersionLine(version));
    m_copyright->setText(QString::fromStdString(version.GetLegalCopyright()));
    m_release->setText(ReleaseLine(m_programFolder));
    if (m_params.icon != nullptr) {
        m_icon->setPixmap(m_params.icon->pixmap(32, 32));
    }
    m_text->setPlainText(QString::fromStdString(m_params.text));
    m_text->setVisible(!m_params.text.empty());
}

void CAppAboutDialog::fillList() {
    m_list->clear();
    const std::vector<std::string> paths = CAppAboutFiles::Collect(
        m_programFolder, m_params.recurse != 0, m_params.extFilters, m_params.excludeKeywords);
    for (const std::string& path : paths) {
        const RX40CFileVersion version(path);
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, QString::fromStdString(CAppAboutFiles::RelativeName(path, m_programFolder)));
        row->setText(1, QString::fromStdString(version.ToStrFixedFileVersion()));
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setText(2, QString::fromStdString(version.GetComments()));
    }
}

void CAppAboutDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    sizeColumns();
}

void CAppAboutDialog::sizeColumns() {
    const int width = m_list->viewport()->width() - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_list->setColumnWidth(0, width * 40 / 100);
    m_list->setColumnWidth(1, width * 20 / 100);
    m_list->setColumnWidth(2, width * 40 / 100);
}
