#pragma once

#include "app/CCmdTarget.h"

#include <QWidget>

// The main window's central view: a widget that commands reach first.
class CView : public QWidget, public CCmdTarget {
public:
    explicit CView(QWidget* parent = nullptr) : QWidget(parent) {}
};
