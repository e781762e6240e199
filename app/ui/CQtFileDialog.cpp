#include "app/ui/CQtFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

QStringList CQtFileDialog::QtFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        // "*.*" means every file, with or without an extension.
        patterns.replaceInStrings(QStringLiteral("*.*"), QStringLiteral("*"));
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
    }
    return filters;
}

QString CQtFileDialog::FilterExtension(const QString& qtFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)[^()]*\\)$"));
    return firstPattern.match(qtFilter).captured(1);
}

// A name typed without an extension gets the chosen filter's, else the default one.
void CQtFileDialog::FollowFilterExtension(QFileDialog& dialog, const QString& defaultExtension) {
    const auto follow = [&dialog, defaultExtension](const QString& filter) {
        const QString extension = FilterExtension(filter);
        dialog.setDefaultSuffix(extension.isEmpty() ? defaultExtension : extension);
    };
    follow(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
}

IFileDialog::Answer CQtFileDialog::Show(const Request& request) {
    QFileDialog dialog(m_parent);
    const QStringList filters = QtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    if (request.kind == Kind::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!request.defaultExtension.empty()) {
            FollowFilterExtension(dialog, QString::fromStdString(request.defaultExtension));
        }
    }
    const QString initial = QString::fromStdString(request.initialPath);
    if (QFileInfo(initial).isDir()) {
        dialog.setDirectory(initial);
    } else if (!initial.isEmpty()) {
        dialog.selectFile(initial);
    }
    Answer answer{false, {}, request.filterIndex};
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return answer;
    }
    answer.ok = true;
    answer.path = dialog.selectedFiles().constFirst().toStdString();
    if (const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter()); chosen >= 0) {
        answer.filterIndex = static_cast<int>(chosen) + 1;
    }
    return answer;
}
