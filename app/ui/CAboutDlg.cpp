#include "app/ui/CAboutDlg.h"

#include "app/McCVersionInfo.h"
#include "app/ui/CStaticURL.h"
#include "platform/CProgramFolders.h"
#include "platform/CShellOpenSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "versionlib/about/CStaticLogo.h"

#include <QAbstractButton>
#include <QBoxLayout>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

#include <filesystem>

namespace {

QString Text(int id) {
    return QString::fromStdString(CStringTable::Load(id));
}

// The logo bitmap: 200 by 50 pixels, 24 bits, on the colour the logo control leaves clear.
QImage LogoBitmap() {
    QImage bitmap(200, 50, QImage::Format_RGB888);
    bitmap.fill(QColor::fromRgb(CStaticLogo::TransparentColour));
    QPainter painter(&bitmap);
    QSvgRenderer(QStringLiteral(":/pictures/logo.svg")).render(&painter);
    return bitmap;
}

} // namespace

CAboutDlg::CAboutDlg(std::string modulePath, QWidget* parent)
    : QDialog(parent), m_strModulePath(std::move(modulePath)) {
    createControls();
    initDialog();
}

void CAboutDlg::ShowModal(const std::string& modulePath, QWidget* parent) {
    CAboutDlg dialog(modulePath, parent);
    dialog.exec();
}

void CAboutDlg::createControls() {
    setWindowTitle(Text(CResourceId::AboutTitle));
    m_logo = new CStaticLogo(this);
    m_makerLink = new CStaticURL(this);
    auto* divider = new QFrame(this);
    divider->setFrameShape(QFrame::HLine);
    divider->setFrameShadow(QFrame::Sunken);
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/quorvel.svg")).pixmap(32, 32));
    m_version = new QLabel(this);
    auto* makerLine = new QLabel(Text(CResourceId::AboutMakerLine), this);
    auto* updateLabel = new QLabel(Text(CResourceId::AboutUpdateLabel), this);
    m_updateLink = new CStaticURL(this);
    m_ok = new QPushButton(Text(CResourceId::AboutOk), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_version);
    texts->addWidget(makerLine);
    auto* program = new QHBoxLayout;
    program->addWidget(icon, 0, Qt::AlignTop);
    program->addSpacing(8);
    program->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(m_logo);
    layout->addWidget(m_makerLink);
    layout->addWidget(divider);
    layout->addLayout(program);
    layout->addWidget(updateLabel);
    layout->addWidget(m_updateLink);
    layout->addSpacing(6);
    layout->addWidget(m_ok, 0, Qt::AlignHCenter);
    setMinimumWidth(450);
}

void CAboutDlg::initDialog() {
    std::string fileVersion;
    {
        const McCVersionInfo info(m_strModulePath);
        info.QueryFileVersion(fileVersion);
    }
    m_version->setText(Text(CResourceId::AboutVersion).replace("%s", QString::fromStdString(fileVersion)));
    m_logo->SetBitmap(LogoBitmap());
    m_makerLink->SetAddress(Text(CResourceId::MakerAddress));
    m_updateLink->SetAddress(Text(CResourceId::ProductAddress));
}

void CAboutDlg::mouseDoubleClickEvent(QMouseEvent* event) {
    // Clicks on the surface and its plain texts, never on a button or a link: a right click on
    // a button reaches the dialog too, as buttons take the left button only.
    const QWidget* control = childAt(event->position().toPoint());
    const bool onControl = qobject_cast<const QAbstractButton*>(control) != nullptr ||
                           qobject_cast<const CStaticURL*>(control) != nullptr;
    if (!onControl && (event->modifiers() & Qt::ControlModifier)) {
        if (event->button() == Qt::LeftButton) {
            openProgramFolder();
        } else if (event->button() == Qt::RightButton) {
            openDataFolder();
        }
    }
    QDialog::mouseDoubleClickEvent(event);
}

void CAboutDlg::openProgramFolder() const {
    CShellOpenSeam::Open(std::filesystem::path(m_strModulePath).parent_path().string());
}

void CAboutDlg::openDataFolder() const {
    const std::string programFolder = std::filesystem::path(m_strModulePath).parent_path().string();
    const std::string dataFolder = CProgramFolders::GetUserDataFolder(programFolder);
    std::error_code error;
    if (!dataFolder.empty() && std::filesystem::is_directory(dataFolder, error)) {
        CShellOpenSeam::Open(dataFolder);
    }
}
