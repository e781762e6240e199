#include "view/CModeDescriptionDlg.h"

#include "resources/CStringTable.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

CModeDescriptionDlg::CModeDescriptionDlg(int titleId, const QString& picture, QWidget* owner)
    : QDialog(owner),
      m_picturePath(QStringLiteral(":/pictures/%1-%2.svg")
                        .arg(picture, CStringTable::Language() == CStringTable::Japanese
                                          ? QStringLiteral("jp")
                                          : QStringLiteral("en"))) {
    setModal(false);
    setWindowTitle(QString::fromStdString(CStringTable::Load(titleId)));
    setFixedSize(PictureWidth, PictureHeight);
}

void CModeDescriptionDlg::PlaceBeside(const QWidget& owner) {
    const QScreen* screen = owner.screen() ? owner.screen() : QGuiApplication::primaryScreen();
    const QRect desktop = screen ? screen->geometry() : QRect();
    const QRect outer = owner.frameGeometry();
    const QSize size = frameGeometry().size();
    int x = outer.x() + outer.width();
    if (x + size.width() > desktop.width()) {
        x = desktop.width() - size.width();
    }
    int y = outer.y();
    if (y + size.height() > desktop.height()) {
        y = desktop.height() - size.height();
    }
    move(x, y);
}

void CModeDescriptionDlg::done(int result) {
    QDialog::done(result);
    emit destroyedByUser();
    deleteLater();
}

void CModeDescriptionDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QSvgRenderer picture(m_picturePath);
    if (picture.isValid()) {
        picture.render(&painter, QRectF(0, 0, PictureWidth, PictureHeight));
    }
}
