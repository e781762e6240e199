#pragma once

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// Reading a modal dialog while it is up; its controls carry their numbers as object names.
// What the open dialog showed: texts and visibility by control number, the file list's rows,
// and the folder buttons' visibility after each press of Ctrl.
struct Shown {
    std::intptr_t result = 0;
    std::map<int, QString> text;
    std::map<int, bool> visible;
    std::map<int, bool> enabled;
    std::vector<std::array<QString, 3>> rows;
    std::vector<std::pair<bool, bool>> buttonsAfterCtrl;
};

inline QString TextOf(QWidget* control) {
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        return edit->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(control))
        return text->toPlainText();
    if (auto* button = qobject_cast<QPushButton*>(control))
        return button->text();
    return {};
}

// Runs `show` (a DoModal call) and reads the dialog while it is up, then presses OK.
inline Shown WhileShown(const std::function<std::intptr_t()>& show, int programButton, int settingsButton) {
    Shown shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        for (QWidget* control : dialog->findChildren<QWidget*>()) {
            bool numbered = false;
            const int id = control->objectName().toInt(&numbered);
            if (!numbered)
                continue;
            shown.text[id] = TextOf(control);
            shown.visible[id] = !control->isHidden();
            shown.enabled[id] = control->isEnabled();
            if (auto* list = qobject_cast<QTreeWidget*>(control))
                for (int row = 0; row < list->topLevelItemCount(); ++row)
                    shown.rows.push_back({list->topLevelItem(row)->text(0), list->topLevelItem(row)->text(1),
                                          list->topLevelItem(row)->text(2)});
        }
        QWidget* program = dialog->findChild<QWidget*>(QString::number(programButton));
        QWidget* settings = dialog->findChild<QWidget*>(QString::number(settingsButton));
        for (int press = 0; press < 2 && program && settings; ++press) {
            QTest::keyPress(QApplication::focusWidget() ? QApplication::focusWidget() : dialog, Qt::Key_Control);
            shown.buttonsAfterCtrl.emplace_back(!program->isHidden(), !settings->isHidden());
        }
        dialog->findChild<QPushButton*>("1")->click();
    });
    shown.result = show();
    return shown;
}

