#ifndef THEMEPROXYMODEL_H
#define THEMEPROXYMODEL_H

#include <QSortFilterProxyModel>

class ThemeModel;

// The page's theme list: without the administrator theme, system themes
// first, named rows before unnamed ones, names in descending order.
class ThemeProxyModel : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    ThemeProxyModel(ThemeModel *model, QObject *parent);

    // Invalid when the id is not listed or its row is filtered out.
    QModelIndex findIndex(const QString &id) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;
};

#endif
