#include "app/ui/CHiddenFilesProxy.h"

#include <QFileSystemModel>

CHiddenFilesProxy::CHiddenFilesProxy(const QString& wildcard, QObject* parent)
    : QSortFilterProxyModel(parent),
      m_hidden(QRegularExpression::fromWildcard(wildcard, Qt::CaseInsensitive)) {}

bool CHiddenFilesProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (!files) {
        return true;
    }
    const QModelIndex index = files->index(sourceRow, 0, sourceParent);
    return files->isDir(index) || !m_hidden.match(files->fileName(index)).hasMatch();
}
