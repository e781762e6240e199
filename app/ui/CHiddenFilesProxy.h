#pragma once

#include <QRegularExpression>
#include <QSortFilterProxyModel>

// Leaves the files whose names match a wildcard out of a file dialog's list.
class CHiddenFilesProxy : public QSortFilterProxyModel {
public:
    CHiddenFilesProxy(const QString& wildcard, QObject* parent);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QRegularExpression m_hidden;
};
