#include "app/ui/CQtMessageBox.h"

#include <QMessageBox>

namespace {

QMessageBox::Icon IconOf(int style) {
    switch (style & 0xF0) {
    case QV_MB_ICONERROR:
        return QMessageBox::Critical;
    case QV_MB_ICONQUESTION:
        return QMessageBox::Question;
    case QV_MB_ICONWARNING:
        return QMessageBox::Warning;
    case QV_MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsOf(int style) {
    switch (style & 0xF) {
    case QV_MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case QV_MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int AnswerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return QV_IDYES;
    case QMessageBox::No:
        return QV_IDNO;
    case QMessageBox::Cancel:
        return QV_IDCANCEL;
    default:
        return QV_IDOK;
    }
}

} // namespace

int CQtMessageBox::Show(const std::string& text, int style) {
    QMessageBox box(IconOf(style), QStringLiteral("Quorvel"), QString::fromStdString(text),
                    ButtonsOf(style), m_parent);
    const bool question = (style & 0xF) == QV_MB_YESNOCANCEL || (style & 0xF) == QV_MB_YESNO;
    // Closing the box without choosing counts as Cancel for questions, as OK otherwise.
    box.setEscapeButton(question
                            ? ((style & 0xF) == QV_MB_YESNO ? QMessageBox::No : QMessageBox::Cancel)
                            : QMessageBox::Ok);
    return AnswerOf(box.exec());
}
