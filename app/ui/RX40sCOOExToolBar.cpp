#include "app/ui/RX40sCOOExToolBar.h"

#include "app/ui/CCommandText.h"

#include <QAction>
#include <QToolButton>

#include <algorithm>
#include <QToolButton>

namespace {
constexpr int ButtonExtraWidth = 8;
constexpr int ButtonExtraHeight = 7;
const char* const CommandProperty = "commandId";
} // namespace

RX40sCOOExToolBar::RX40sCOOExToolBar(const QString& caption, QWidget* parent)
    : QToolBar(caption, parent) {
    setAllowedAreas(Qt::TopToolBarArea);
    setMovable(true);
    setFloatable(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

bool RX40sCOOExToolBar::LoadToolBar(CCommandTable::Toolbar bar) {
    m_buttons.clear();
    std::vector<const CCommandTable::Row*> rows;
    for (const auto& row : CCommandTable::Rows()) {
        if (row.toolbar == bar) {
            rows.push_back(&row);
        }
    }
    // The table is in menu order; buttons go by their place in the toolbar.
    std::sort(rows.begin(), rows.end(),
              [](const auto* a, const auto* b) { return a->button < b->button; });
    for (const CCommandTable::Row* row : rows) {
        while (static_cast<int>(m_buttons.size()) < row->button) {
            addSeparator();
            m_buttons.push_back(nullptr);
        }
        QAction* button = addAction(QString());
        bindButton(button, row->id);
        connect(button, &QAction::triggered, this,
                [this, button] { emit commandTriggered(button->property(CommandProperty).toInt()); });
        m_buttons.push_back(button);
    }
    if (m_buttons.empty()) {
        return false;
    }
    UpdateButtonSize();
    return true;
}

void RX40sCOOExToolBar::bindButton(QAction* button, int id) {
    const CCommandTable::Row& row = *CCommandTable::Find(id);
    button->setProperty(CommandProperty, id);
    button->setText(CCommandText::ToolTip(row.stringId));
    button->setToolTip(CCommandText::ToolTip(row.stringId));
    button->setStatusTip(CCommandText::Prompt(row.stringId));
    button->setCheckable(row.buttonChecked);
}

void RX40sCOOExToolBar::UpdateButtonSize() {
    const int picture = PictureSize();
    setIconSize(QSize(picture, picture));
    const QSize buttonSize(picture + ButtonExtraWidth, picture + ButtonExtraHeight);
    for (QAction* button : Buttons()) {
        if (QWidget* widget = widgetForAction(button)) {
            widget->setFixedSize(buttonSize);
        }
    }
}

void RX40sCOOExToolBar::SetButtonCommand(int index, int id) {
    if (index >= 0 && index < static_cast<int>(m_buttons.size()) && m_buttons[index]) {
        bindButton(m_buttons[index], id);
    }
}

int RX40sCOOExToolBar::ButtonCommand(int index) const {
    if (index < 0 || index >= static_cast<int>(m_buttons.size()) || !m_buttons[index]) {
        return 0;
    }
    return m_buttons[index]->property(CommandProperty).toInt();
}

QAction* RX40sCOOExToolBar::ButtonOf(int id) const {
    for (QAction* button : Buttons()) {
        if (button->property(CommandProperty).toInt() == id) {
            return button;
        }
    }
    return nullptr;
}

std::vector<QAction*> RX40sCOOExToolBar::Buttons() const {
    std::vector<QAction*> buttons;
    for (QAction* button : m_buttons) {
        if (button) {
            buttons.push_back(button);
        }
    }
    return buttons;
}

void RX40sCOOExToolBar::UpdateButtons(const CCommandRouter& router, const CCommandState& state) {
    for (QAction* button : Buttons()) {
        const CCommandRouter::Status status =
            router.Query(button->property(CommandProperty).toInt(), state);
        button->setEnabled(status.enabled);
        if (button->isCheckable()) {
            button->setChecked(status.checked);
        }
    }
}
