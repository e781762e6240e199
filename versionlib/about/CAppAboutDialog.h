#pragma once

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class CStaticEx;
class CStaticLogo;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

// The full About dialog behind RX40CAppAbout. Controls carry their template numbers as object
// names ("24868" for the file list), so hosts and tests can find them.
class CAppAboutDialog : public QDialog {
public:
    struct Params {
        const QIcon* icon = nullptr;
        std::int32_t recurse = 1;
        std::uint16_t reserved = 0;
        std::string text;
        std::vector<std::string> extFilters;      // without leading dots, each once
        std::vector<std::string> excludeKeywords; // lower case, each once
    };

    explicit CAppAboutDialog(Params params, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void initHeader();
    void initProgram();
    void fillList();
    void sizeColumns();

    Params m_params;
    std::string m_programFolder;
    CStaticLogo* m_logo = nullptr;
    QLabel* m_link = nullptr;
    QLabel* m_phone = nullptr;
    QLabel* m_icon = nullptr;
    CStaticEx* m_release = nullptr;
    QLabel* m_version = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QTreeWidget* m_list = nullptr;
    QLabel* m_trademark = nullptr;
    QLabel* m_copyright = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_programButton = nullptr;
    QPushButton* m_settingsButton = nullptr;
};
