#include "thememodel.h"

#include "colorsthemepart.h"
#include "theme.h"
#include "themecontroller.h"
#include "wallpaperthemepart.h"

#include <vector>

namespace {
// The most of a theme's name and comment the list keeps: more is never shown.
constexpr int maxNameLength = 256;
constexpr int maxCommentLength = 1024;

// The text cut to at most length characters, never within one of a pair.
QString shortened(const QString &text, int length)
{
    if (text.size() <= length) {
        return text;
    }
    return text.left(text.at(length - 1).isHighSurrogate() ? length - 1 : length);
}
} // namespace

// What the page shows of a theme: its settings are read once, when it is
// listed, and not kept.
struct ThemeRow
{
    QString id;
    QString name;
    QString comment;
    QString desktopPath;
    bool isReadOnly;
    QString wallpaper;
    QString colorScheme;
    QString primaryColor;
    QString backgroundColor;
};

class ThemeModelPrivate
{
public:
    ThemeController *controller;
    std::vector<ThemeRow> themes;

    int rowOf(const QString &id) const
    {
        for (size_t row = 0; row < themes.size(); ++row) {
            if (themes[row].id == id) {
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
    const ThemeRow &theme = d->themes[row];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return theme.name;
    case IdRole:
        return theme.id;
    case IsSystemRole:
        return theme.isReadOnly;
    case DesktopPathRole:
        return theme.desktopPath;
    case CommentRole:
        return theme.comment;
    case IsCurrentThemeRole:
        return theme.id == d->controller->currentThemeId();
    case WallpaperRole:
        return theme.wallpaper;
    case ColorSchemeRole:
        return theme.colorScheme;
    case PrimaryColorRole:
        return theme.primaryColor;
    case BackgroundColorRole:
        return theme.backgroundColor;
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
    // Each theme goes once listed, with the files it read.
    d->controller->visitThemes([this](const std::shared_ptr<Theme> &theme) {
        addTheme(theme);
    });
}

void ThemeModel::resetThemes()
{
    beginResetModel();
    d->themes.clear();
    endResetModel();
}

void ThemeModel::addTheme(const std::shared_ptr<Theme> &theme)
{
    // The record may still name a deleted theme: that gets no row.
    if (!theme->isValid() || d->rowOf(theme->id()) >= 0) {
        return;
    }
    theme->read();
    const auto colors = theme->colorsThemePart();
    ThemeRow shown{theme->id(),
                   shortened(theme->name(), maxNameLength),
                   shortened(theme->comment(), maxCommentLength),
                   theme->desktopPath(),
                   theme->isReadOnly(),
                   theme->wallpaperThemePart()->wallpaper(),
                   colors->colorSchemePath(),
                   colors->primaryColor(),
                   colors->backgroundColor()};
    const int row = int(d->themes.size());
    beginInsertRows(QModelIndex(), row, row);
    d->themes.push_back(std::move(shown));
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
