#pragma once

#include "app/CCommandRouter.h"
#include "app/CCommandTable.h"

#include <QToolBar>

#include <vector>

class QAction;

// A docking toolbar at the top of the main window whose buttons come from the command
// table: each carries its tool tip and prompt, large (32 by 32) or small (16 by 16) pictures,
// and is enabled, and for some commands pressed, by the command rules.
class RX40sCOOExToolBar : public QToolBar {
    Q_OBJECT
public:
    static constexpr int SmallPicture = 16;
    static constexpr int LargePicture = 32;

    RX40sCOOExToolBar(const QString& caption, QWidget* parent);

    // Makes the buttons of the given toolbar; false when the table has none for it.
    bool LoadToolBar(CCommandTable::Toolbar bar);
    // 0 small pictures, 1 large pictures.
    void SetPictureSize(int selector) { m_pictureSize = selector; }
    int PictureSize() const { return m_pictureSize == 1 ? LargePicture : SmallPicture; }
    // Buttons are the picture plus 8 by 7 pixels.
    void UpdateButtonSize();
    // The button at index (separators counted) issues id from now on.
    void SetButtonCommand(int index, int id);
    int ButtonCommand(int index) const;
    QAction* ButtonOf(int id) const;
    // The non-separator buttons, left to right.
    std::vector<QAction*> Buttons() const;
    void UpdateButtons(const CCommandRouter& router, const CCommandState& state);

signals:
    void commandTriggered(int id);

private:
    void bindButton(QAction* button, int id);

    // By index in the toolbar; nullptr for separators.
    std::vector<QAction*> m_buttons;
    int m_pictureSize = 1;
};
