#pragma once

#include <QToolBar>

// A docking bar of controls laid out like a dialog template, initialised once its controls
// exist. Sizes are given in dialog units of the bar's font.
class RX40sCInitDialogBar : public QToolBar {
    Q_OBJECT
public:
    RX40sCInitDialogBar(const QString& caption, QWidget* parent);

    // Makes the controls, then InitializeBar; false when that fails.
    bool Create();

protected:
    virtual void CreateControls() = 0;
    virtual bool InitializeBar() = 0;

    // Dialog units to pixels.
    int DluX(int units) const;
    int DluY(int units) const;
    // Adds a control of the given size in dialog units.
    QWidget* AddControl(QWidget* control, int width, int height);
};
