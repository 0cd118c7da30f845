#ifndef MODULE_H
#define MODULE_H

#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QSortFilterProxyModel;
class ThemeModel;
class ThemeProxyModel;

// The theme page: lists the installed themes with their thumbnails, selects
// the current theme, creates, deletes, exports and imports themes.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(QString currentTheme READ currentTheme WRITE setCurrentTheme NOTIFY currentThemeChanged)
    Q_PROPERTY(QSortFilterProxyModel *themes READ themes CONSTANT)
    Q_PROPERTY(bool mandatoryIntegrityControl READ mandatoryIntegrityControl CONSTANT)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    QSortFilterProxyModel *themes() const;
    QString currentTheme() const;
    // The theme selected on the page, recorded as current by save().
    void setCurrentTheme(const QString &id);

    // The row in themes of the theme with that id, -1 when it is not shown.
    Q_INVOKABLE int currentIndex(QString themeName);
    // Removes a user theme; its row goes once its directory is gone.
    Q_INVOKABLE void deleteTheme(QString id);
    // Writes the theme into an archive with pexo-export-theme.
    Q_INVOKABLE void exportTheme(QString id, QString path);
    Q_INVOKABLE void importTheme(QUrl url);
    // Creates the user theme themeName from the theme from; the id or the
    // directory name of an installed theme is refused.
    Q_INVOKABLE void addTheme(QString themeName, QString from);

    // Unpacks an archive with pexo-import-theme and lists the new themes.
    void importThemeFromFile(const QString &path);

    // Slots of the configuration-module base; the page's own meta-object
    // holds only the members above and below.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void currentThemeChanged();
    // The chosen theme could not be recorded or applied on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    // Starts a tool without waiting; its process object goes when it has
    // finished or could not be started.
    void startTool(const QString &program, const QStringList &arguments, const std::function<void(int)> &finished = {});

    ThemeModel *const model;
    ThemeProxyModel *const proxy;
    QString selectedTheme;
};

#endif
