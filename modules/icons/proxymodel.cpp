#include "proxymodel.h"
#include "primarymodel.h"

#include <pexoicontheme.h>

ProxyModel::ProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    auto *primary = new PrimaryModel(this);
    setSourceModel(primary);
    QStringList themes;
    const std::vector<std::string> names = PexoIconTheme::getThemesNames();
    for (const std::string &name : names) {
        themes.append(QString::fromStdString(name));
    }
    themes.removeDuplicates();
    primary->setThemes(themes);
    sort(0, Qt::AscendingOrder);
}

ProxyModel::~ProxyModel() = default;

bool ProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    // Themes that are never offered, complete or not.
    static const QStringList excluded{
        QStringLiteral("hicolor"),
        QStringLiteral("default"),
        QStringLiteral("pexo-ulvar-flat-white"),
        QStringLiteral("pexo-ulvar-flat-black"),
        QStringLiteral("pexo-ulvar-mobile"),
    };
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    if (!index.isValid()) {
        return false;
    }
    const QString name = index.data().toString();
    return !excluded.contains(name) && PrimaryModel::isValidTheme(name);
}

bool ProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return QString::localeAwareCompare(left.data().toString(), right.data().toString()) < 0;
}
