#include "thememodel.h"

#include "colorsthemepart.h"
#include "theme.h"
#include "themecontroller.h"
#include "wallpaperthemepart.h"

#include <vector>

class ThemeModelPrivate
{
public:
    ThemeController *controller;
    std::vector<std::shared_ptr<Theme>> themes;

    int rowOf(const QString &id) const
    {
        for (size_t row = 0; row < themes.size(); ++row) {
            if (themes[row]->id() == id) {
                return int(row);
            }
        }
        return -1;
    }
};

ThemeModel::ThemeModel(ThemeController *controller, QObject *parent)
    : QAbstractListModel(parent)
    , d(new ThemeModelPrivate{controller, {}})
{
}

ThemeModel::~ThemeModel() = default;

int ThemeModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(d->themes.size()) + 1;
}

QVariant ThemeModel::data(const QModelIndex &index, int role) const
{
    const int row = index.row();
    if (row < 0 || row >= int(d->themes.size())) {
        return QVariant();
    }
    const Theme &theme = *d->themes[row];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return theme.name();
    case IdRole:
        return theme.id();
    case IsSystemRole:
        return theme.isReadOnly();
    case DesktopPathRole:
        return theme.desktopPath();
    case CommentRole:
        return theme.comment();
    case IsCurrentThemeRole:
        return theme.id() == d->controller->currentThemeId();
    case WallpaperRole:
        return theme.wallpaperThemePart()->wallpaper();
    case ColorSchemeRole:
        return theme.colorsThemePart()->colorSchemePath();
    case PrimaryColorRole:
        return theme.colorsThemePart()->primaryColor();
    case BackgroundColorRole:
        return theme.colorsThemePart()->backgroundColor();
    }
    return QVariant();
}

QHash<int, QByteArray> ThemeModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(NameRole, "name");
    names.insert(IdRole, "id");
    names.insert(IsSystemRole, "isSystem");
    names.insert(DesktopPathRole, "desktopPath");
    names.insert(CommentRole, "comment");
    names.insert(IsCurrentThemeRole, "isCurrentTheme");
    names.insert(WallpaperRole, "wallpaper");
    names.insert(ColorSchemeRole, "colorScheme");
    names.insert(PrimaryColorRole, "primaryColor");
    names.insert(BackgroundColorRole, "backgroundColor");
    return names;
}

void ThemeModel::readThemes()
{
    for (const std::shared_ptr<Theme> &theme : d->controller->availableThemes()) {
        addTheme(theme);
    }
}

void ThemeModel::resetThemes()
{
    beginResetModel();
    d->themes.clear();
    endResetModel();
}

void ThemeModel::addTheme(const std::shared_ptr<Theme> &theme)
{
    if (d->rowOf(theme->id()) >= 0) {
        return;
    }
    theme->read();
    const int row = int(d->themes.size());
    beginInsertRows(QModelIndex(), row, row);
    d->themes.push_back(theme);
    endInsertRows();
}

void ThemeModel::removeTheme(const QString &id)
{
    const int row = d->rowOf(id);
    if (row < 0) {
        return;
    }
    beginRemoveRows(QModelIndex(), row, row);
    d->themes.erase(d->themes.begin() + row);
    endRemoveRows();
}

QModelIndex ThemeModel::findIndex(const QString &id) const
{
    const int row = d->rowOf(id);
    return row < 0 ? QModelIndex() : index(row, 0);
}
