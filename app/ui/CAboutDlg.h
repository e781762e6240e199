#pragma once

#include <QDialog>

#include <string>

class CStaticLogo;
class CStaticURL;
class QLabel;
class QPushButton;

// The program's About box: logo, program icon, the version from the program's own record, the
// maker's page and the page with the newest version as links, and two hidden shortcuts for
// support on the dialog's own surface: Ctrl + left double-click opens the program folder,
// Ctrl + right double-click the per-user data folder.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    // modulePath: the program whose version is shown and whose folders the shortcuts open.
    explicit CAboutDlg(std::string modulePath, QWidget* parent = nullptr);

    // Shows the box for the running program over `parent` until it is closed.
    static void ShowModal(const std::string& modulePath, QWidget* parent);

    QLabel* VersionLabel() const { return m_version; }
    CStaticURL* MakerLink() const { return m_makerLink; }
    CStaticURL* UpdateLink() const { return m_updateLink; }
    CStaticLogo* Logo() const { return m_logo; }
    QPushButton* OkButton() const { return m_ok; }

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void createControls();
    void initDialog();
    void openProgramFolder() const;
    void openDataFolder() const;

    std::string m_strModulePath;
    CStaticURL* m_updateLink = nullptr;
    CStaticURL* m_makerLink = nullptr;
    CStaticLogo* m_logo = nullptr;
    QLabel* m_version = nullptr;
    QPushButton* m_ok = nullptr;
};
