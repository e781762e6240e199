#pragma once

#include <QLabel>

// A web address shown as a link: blue, underlined, a hand cursor over it, and a click opens it
// with the desktop's default browser. Without text it is no link: no hand, no action.
class CStaticURL : public QLabel {
    Q_OBJECT
public:
    explicit CStaticURL(QWidget* parent = nullptr);

    void SetAddress(const QString& address);

protected:
    // A link takes its own clicks, so none reach the dialog under it.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
