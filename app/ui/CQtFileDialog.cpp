#include "app/ui/CQtFileDialog.h"

#include "app/ui/CHiddenFilesProxy.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>


namespace {

// "MP4 file (H.264/AAC)(*.mp4)" without its own list of patterns: "MP4 file (H.264/AAC)".
QString CaptionWithoutPatterns(const QString& caption) {
    static const QRegularExpression ownPatterns(QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)$"));
    return caption.trimmed().remove(ownPatterns);
}

QLineEdit* NameField(QFileDialog& dialog) {
    return dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
}

} // namespace

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
        filters << QStringLiteral("%1 (%2)").arg(CaptionWithoutPatterns(parts[i]),
                                                 patterns.join(' '));
    }
    return filters;
}

QString CQtFileDialog::FilterExtension(const QString& qtFilter) {
    static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)[^()]*\\)$"));
    return firstPattern.match(qtFilter).captured(1);
}

// A name typed without an extension gets the chosen filter's, else the default one. The
// proposed name starts with the chosen filter's extension; the dialog itself changes the
// extension of the name when another filter is chosen.
void CQtFileDialog::FollowFilterExtension(QFileDialog& dialog, const QString& defaultExtension,
                                          const QString& suggestedStem) {
    const auto follow = [&dialog, defaultExtension](const QString& filter) {
        const QString extension = FilterExtension(filter);
        const QString suffix = extension.isEmpty() ? defaultExtension : extension;
        dialog.setDefaultSuffix(suffix);
        return suffix;
    };
    const QString suffix = follow(dialog.selectedNameFilter());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    if (QLineEdit* name = NameField(dialog); name && !suggestedStem.isEmpty()) {
        name->setText(suggestedStem + '.' + suffix);
    }
}

IFileDialog::Answer CQtFileDialog::Show(const Request& request) {
    QFileDialog dialog(m_parent);
    // The program's own dialog, on every desktop: it leaves the working files out and asks
    // nothing itself; the program asks before a file is replaced.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    if (!request.hiddenFiles.empty()) {
        dialog.setProxyModel(
            new CHiddenFilesProxy(QString::fromStdString(request.hiddenFiles), &dialog));
    }
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
    }
    const QString initial = QString::fromStdString(request.initialPath);
    if (QFileInfo(initial).isDir()) {
        dialog.setDirectory(initial);
    } else if (!initial.isEmpty()) {
        dialog.selectFile(initial);
    }
    if (request.kind == Kind::Save && !request.defaultExtension.empty()) {
        FollowFilterExtension(dialog, QString::fromStdString(request.defaultExtension),
                              QString::fromStdString(request.suggestedStem));
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
