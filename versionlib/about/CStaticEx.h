#pragma once

#include <QLabel>

// A highlighted static text: blue, in a bold variant of the dialog's font, on the dialog's face.
class CStaticEx : public QLabel {
public:
    explicit CStaticEx(QWidget* parent = nullptr);
};
