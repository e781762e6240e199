#include "versionlib/about/CAppAboutDialogLight.h"

#include "versionlib/RX40CFileVersion.h"
#include "versionlib/about/CAppAboutFolders.h"
#include "versionlib/about/CAppAboutResources.h"
#include "versionlib/about/CCtrlToggle.h"

#include <QBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

template <class Widget>
Widget* Control(QWidget* parent, int id, const QString& text = {}) {
    auto* control = new Widget(parent);
    control->setObjectName(QString::number(id));
    if (!text.isEmpty()) {
        control->setText(text);
    }
    return control;
}

} // namespace

CAppAboutDialogLight::CAppAboutDialogLight(std::int32_t showButtons, const std::string& title,
                                           const QIcon* icon, QWidget* parent)
    : QDialog(parent) {
    createControls();
    initDialog(showButtons, title, icon);
    new CCtrlToggle(this, {m_programButton, m_settingsButton});
}

void CAppAboutDialogLight::createControls() {
    setWindowTitle(QStringLiteral("About"));
    m_icon = Control<QLabel>(this, 24858);
    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setFixedSize(32, 32);
    m_title = Control<QLabel>(this, 24855);
    m_version = Control<QLineEdit>(this, 24856);
    m_version->setReadOnly(true);
    m_copyright = Control<QLabel>(this, 24857);
    m_copyright->setAlignment(Qt::AlignHCenter);
    m_ok = Control<QPushButton>(this, 1, QStringLiteral("OK"));
    m_programButton = Control<QPushButton>(this, 24859, QStringLiteral("Install"));
    m_settingsButton = Control<QPushButton>(this, 24860, QStringLiteral("Settings"));
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_programButton, &QPushButton::clicked, this, [] { CAppAboutFolders::OpenProgramFolder(); });
    connect(m_settingsButton, &QPushButton::clicked, this,
            [] { CAppAboutFolders::OpenExistingSettingsFolder(); });

    auto* texts = new QVBoxLayout;
    texts->addWidget(m_title);
    texts->addWidget(m_version);
    auto* folders = new QHBoxLayout;
    folders->addWidget(m_programButton);
    folders->addWidget(m_settingsButton);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_ok);
    buttons->addLayout(folders);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_copyright);
    setMinimumWidth(370);
}

void CAppAboutDialogLight::initDialog(std::int32_t showButtons, const std::string& title,
                                      const QIcon* icon) {
    const RX40CFileVersion version(CAppAboutFolders::ProgramPath());
    m_title->setText(QString::fromStdString(title.empty() ? version.GetInternalName() : title));
    m_version->setText(CAppAboutResources::VersionLine(version));
    m_copyright->setText(QString::fromStdString(version.GetLegalCopyright()));
    m_ok->setDefault(true);
    m_ok->setFocus();
    if (icon != nullptr) {
        m_icon->setPixmap(icon->pixmap(32, 32));
    }
    m_programButton->setVisible(showButtons != 0);
    m_settingsButton->setVisible(showButtons != 0);
    m_settingsButton->setEnabled(CAppAboutFolders::SettingsFolderExists());
}
