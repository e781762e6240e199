#pragma once

#include "app/CCommandRouter.h"

#include <QObject>

#include <map>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;

// The menu bar and the view's context menus, made from the command table and the string
// table in the current language. Each command has one action, which carries its key.
class CCommandMenus : public QObject {
    Q_OBJECT
public:
    explicit CCommandMenus(QMainWindow& window);

    QAction* Action(int id) const;
    QMenu* Popup(int popupId) const;
    // Takes the recent-file entries and the separator above them out of the File menu.
    void RemoveRecentFiles();
    // Enable and check every action from the rules; the recent entries show files.
    void Update(const CCommandRouter& router, const CCommandState& state,
                const std::vector<std::string>& recentFiles);

signals:
    void commandTriggered(int id);
    // A popup is about to open: the rules must run first.
    void aboutToShowPopup();

private:
    QMenu* popupFor(QMainWindow& window, int popupId);
    QAction* addCommand(QMenu* menu, int id, bool separatorBefore);
    void updateRecentFiles(const std::vector<std::string>& files);

    std::map<int, QMenu*> m_popups;
    std::map<int, QAction*> m_actions;
    std::map<QMenu*, QActionGroup*> m_radioGroups;
    QAction* m_recentSeparator = nullptr;
    bool m_recentRemoved = false;
};
