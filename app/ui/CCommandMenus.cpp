#include "app/ui/CCommandMenus.h"

#include "app/CCommandId.h"
#include "app/CCommandTable.h"
#include "app/ui/CCommandText.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

const CCommandTable::Popup* FindPopup(int popupId) {
    for (const auto& popup : CCommandTable::Popups()) {
        if (popup.id == popupId) {
            return &popup;
        }
    }
    return nullptr;
}

} // namespace

CCommandMenus::CCommandMenus(QMainWindow& window) : QObject(&window) {
    for (const auto& row : CCommandTable::Rows()) {
        for (const auto& popup : CCommandTable::Popups()) {
            if (row.menus & CCommandTable::In(popup.id)) {
                addCommand(popupFor(window, popup.id), row.id, row.separatorBefore);
            }
        }
    }
}

QMenu* CCommandMenus::popupFor(QMainWindow& window, int popupId) {
    if (QMenu* existing = Popup(popupId)) {
        return existing;
    }
    const CCommandTable::Popup* popup = FindPopup(popupId);
    auto* menu = new QMenu(CCommandText::Caption(popupId), &window);
    if (popup->parent != 0) {
        QMenu* parent = popupFor(window, popup->parent);
        if (popup->separatorBefore) {
            parent->addSeparator();
        }
        parent->addMenu(menu);
    } else if (!popup->context) {
        window.menuBar()->addMenu(menu);
    }
    connect(menu, &QMenu::aboutToShow, this, &CCommandMenus::aboutToShowPopup);
    m_popups[popupId] = menu;
    return menu;
}

QAction* CCommandMenus::addCommand(QMenu* menu, int id, bool separatorBefore) {
    QAction* separator = separatorBefore ? menu->addSeparator() : nullptr;
    if (id == CCommandId::RecentFile1 && separator) {
        m_recentSeparator = separator;
    }
    const CCommandTable::Row& row = *CCommandTable::Find(id);
    // A command listed in two popups (Cancel of the context menus) keeps one action.
    QAction* action = Action(id);
    if (!action) {
        action = new QAction(CCommandText::Caption(id), menu);
        action->setStatusTip(CCommandText::Prompt(row.stringId));
        if (row.key) {
            QList<QKeySequence> keys;
            for (const QString& key : QString::fromLatin1(row.key).split(';')) {
                keys.append(QKeySequence(key));
            }
            action->setShortcuts(keys);
            // Keys work wherever the focus is in the window, even with the popup closed.
            menu->parentWidget()->addAction(action);
        }
        action->setCheckable(row.mark != CCommandTable::Mark::None);
        connect(action, &QAction::triggered, this, [this, id] { emit commandTriggered(id); });
        m_actions[id] = action;
    }
    if (row.mark == CCommandTable::Mark::Radio) {
        // The group only draws radio marks; the rules decide which one is set, if any.
        QActionGroup*& group = m_radioGroups[menu];
        if (!group) {
            group = new QActionGroup(menu);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        }
        group->addAction(action);
    }
    menu->addAction(action);
    return action;
}

QAction* CCommandMenus::Action(int id) const {
    const auto found = m_actions.find(id);
    return found == m_actions.end() ? nullptr : found->second;
}

QMenu* CCommandMenus::Popup(int popupId) const {
    const auto found = m_popups.find(popupId);
    return found == m_popups.end() ? nullptr : found->second;
}

void CCommandMenus::RemoveRecentFiles() {
    QMenu* file = m_recentSeparator ? qobject_cast<QMenu*>(m_recentSeparator->parent()) : nullptr;
    if (!file) {
        return;
    }
    file->removeAction(m_recentSeparator);
    for (int id = CCommandId::RecentFile1; id <= CCommandId::RecentFile4; ++id) {
        file->removeAction(Action(id));
    }
    m_recentRemoved = true;
}

void CCommandMenus::Update(const CCommandRouter& router, const CCommandState& state,
                           const std::vector<std::string>& recentFiles) {
    for (const auto& [id, action] : m_actions) {
        const CCommandRouter::Status status = router.Query(id, state);
        action->setEnabled(status.enabled);
        if (action->isCheckable()) {
            action->setChecked(status.checked);
        }
    }
    if (!m_recentRemoved) {
        updateRecentFiles(recentFiles);
    }
}

void CCommandMenus::updateRecentFiles(const std::vector<std::string>& files) {
    // An empty list shows its placeholder caption, disabled by its rule.
    for (std::size_t i = 0; i < 4; ++i) {
        QAction* action = Action(CCommandId::RecentFile1 + static_cast<int>(i));
        if (i < files.size()) {
            QString path = QString::fromStdString(files[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(path.replace('&', "&&")));
        } else if (i == 0) {
            action->setText(CCommandText::Caption(CCommandId::RecentFile1));
        }
        action->setVisible(i == 0 || i < files.size());
    }
}
