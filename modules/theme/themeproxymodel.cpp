#include "themeproxymodel.h"

#include "themedefaults.h"
#include "thememodel.h"

ThemeProxyModel::ThemeProxyModel(ThemeModel *model, QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setSourceModel(model);
}

QModelIndex ThemeProxyModel::findIndex(const QString &id) const
{
    const auto *model = qobject_cast<const ThemeModel *>(sourceModel());
    return model ? mapFromSource(model->findIndex(id)) : QModelIndex();
}

bool ThemeProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (!index.isValid()) {
        return false;
    }
    return !index.data(ThemeModel::IdRole).toString().contains(ThemeDefaults::adminThemeId);
}

bool ThemeProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const bool leftSystem = left.data(ThemeModel::IsSystemRole).toBool();
    const bool rightSystem = right.data(ThemeModel::IsSystemRole).toBool();
    if (leftSystem != rightSystem) {
        return leftSystem;
    }
    const QString leftName = left.data(Qt::DisplayRole).toString();
    const QString rightName = right.data(Qt::DisplayRole).toString();
    if (leftName.isEmpty() != rightName.isEmpty()) {
        return !leftName.isEmpty();
    }
    return QString::localeAwareCompare(leftName.toLower(), rightName.toLower()) > 0;
}
