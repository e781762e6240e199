#pragma once

#include "app/ui/RX40sCOOExToolBar.h"

#include <QIcon>
#include <QPixmap>

// A toolbar whose buttons show the program's icons: a normal, a hot (under the mouse) and a
// disabled picture in both sizes. A button without a disabled picture gets a grey one.
class RX40sCOOIconToolBar : public RX40sCOOExToolBar {
    Q_OBJECT
public:
    static constexpr int ProgramIconId = 128;

    using RX40sCOOExToolBar::RX40sCOOExToolBar;

    // Pictures of the next button, by icon number; disabled and hot may be 0.
    void AddButtonIcon(int normal, int disabled, int hot);
    // Replaces the pictures of the third button (the Play button of the Movie toolbar);
    // false when the toolbar has fewer than three buttons.
    bool ReplaceButtonIcon(int normal, int disabled, int hot);

    // The icon at size s in grey: each pixel becomes the root mean square of its red, green
    // and blue; transparency is kept.
    static QPixmap CreateGrayIcon(const QIcon& icon, int size);
    // The resource path of an icon number; empty for numbers the program has no picture for.
    static QString IconPath(int iconId);
    static QIcon ProgramIcon();

private:
    static constexpr int ReplaceableButton = 2;
    static QIcon ButtonIcon(int normal, int disabled, int hot);

    std::size_t m_nextButton = 0;
};
