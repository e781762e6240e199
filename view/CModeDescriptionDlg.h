#pragma once

#include <QDialog>
#include <QString>

// A modeless window with one picture (250 x 205) that explains an edit mode. Escape and the
// close box destroy it, not merely hide it; the mode command makes a new one.
class CModeDescriptionDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int PictureWidth = 250;
    static constexpr int PictureHeight = 205;

    // titleId: the caption's string; picture: the name under :/pictures/ without the language
    // and extension ("fixed" gives :/pictures/fixed-en.svg or fixed-jp.svg).
    CModeDescriptionDlg(int titleId, const QString& picture, QWidget* owner);

    const QString& PicturePath() const { return m_picturePath; }
    // Places the window beside owner (right of it, level with its top) within the screen.
    void PlaceBeside(const QWidget& owner);
    // Escape and the close box end here: the window goes.
    void done(int result) override;

signals:
    void destroyedByUser();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_picturePath;
};
