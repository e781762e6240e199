#pragma once

#include <QDialog>

#include <cstdint>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

// The light About dialog behind RX40CAppAboutLight. Controls carry their template numbers as
// object names.
class CAppAboutDialogLight : public QDialog {
public:
    CAppAboutDialogLight(std::int32_t showButtons, const std::string& title, const QIcon* icon,
                         QWidget* parent = nullptr);

private:
    void createControls();
    void initDialog(std::int32_t showButtons, const std::string& title, const QIcon* icon);

    QLabel* m_icon = nullptr;
    QLabel* m_title = nullptr;
    QLineEdit* m_version = nullptr;
    QLabel* m_copyright = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_programButton = nullptr;
    QPushButton* m_settingsButton = nullptr;
};
