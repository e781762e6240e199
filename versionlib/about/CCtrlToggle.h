#pragma once

#include <QObject>

#include <vector>

class QWidget;

// Each press of the Ctrl key in a dialog, whichever of its controls has the focus, shows the
// hidden buttons or hides them again; the key goes no further.
class CCtrlToggle : public QObject {
public:
    // Watches dialog and every control it holds at this point.
    CCtrlToggle(QWidget* dialog, std::vector<QWidget*> buttons);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QWidget*> m_buttons;
};
