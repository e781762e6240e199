#include "versionlib/about/CCtrlToggle.h"

#include <QKeyEvent>
#include <QWidget>

CCtrlToggle::CCtrlToggle(QWidget* dialog, std::vector<QWidget*> buttons)
    : QObject(dialog), m_buttons(std::move(buttons)) {
    dialog->installEventFilter(this);
    for (QWidget* control : dialog->findChildren<QWidget*>()) {
        control->installEventFilter(this);
    }
}

bool CCtrlToggle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return QObject::eventFilter(watched, event);
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    // Holding the key repeats it; only the press itself toggles.
    if (key->key() != Qt::Key_Control || key->isAutoRepeat()) {
        return QObject::eventFilter(watched, event);
    }
    for (QWidget* button : m_buttons) {
        button->setVisible(button->isHidden());
    }
    return true;
}
