#ifndef THEMEMODEL_H
#define THEMEMODEL_H

#include <QAbstractListModel>

#include <memory>

class Theme;
class ThemeController;
class ThemeModelPrivate;

// The installed themes, one row each, and one extra row without a theme at
// the end. A row keeps the values shown, read when the theme was listed.
class ThemeModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role {
        NameRole = Qt::UserRole + 1,
        IdRole,
        IsSystemRole,
        DesktopPathRole,
        CommentRole,
        IsCurrentThemeRole,
        WallpaperRole,
        ColorSchemeRole,
        PrimaryColorRole,
        BackgroundColorRole,
    };

    ThemeModel(ThemeController *controller, QObject *parent);
    ~ThemeModel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // Appends the controller's themes that are not listed yet.
    void readThemes();
    void resetThemes();
    // Reads and appends the theme unless it is not valid or its id is listed.
    void addTheme(const std::shared_ptr<Theme> &theme);
    void removeTheme(const QString &id);
    QModelIndex findIndex(const QString &id) const;

private:
    std::unique_ptr<ThemeModelPrivate> const d;
};

#endif
