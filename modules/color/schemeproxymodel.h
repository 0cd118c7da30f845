#ifndef SCHEMEPROXYMODEL_H
#define SCHEMEPROXYMODEL_H

#include <QIcon>
#include <QSortFilterProxyModel>

// The installed colour schemes: the default entry, then the system's own
// schemes, each with its icon as an inline PNG address.
class SchemeProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit SchemeProxyModel(QObject *parent = nullptr);

    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // The row whose scheme file is exactly colorSchemePath; invalid when none is.
    Q_INVOKABLE QModelIndex findIndex(const QString &colorSchemePath) const;

    // "data:image/png;base64,..." of the icon at 16x16, or a null string.
    static QString iconUrl(const QIcon &icon);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

#endif
