#ifndef MODULE_H
#define MODULE_H

#include "schemetype.h"
#include "wallpaperscheme.h"

#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

#include <QAbstractProxyModel>
#include <QPalette>

#include <memory>

class ModulePrivate;

// The colour-scheme page: how the scheme is obtained (a system scheme, one
// generated from the wallpaper, or the user's own), the scheme file, the
// accent colour and the dark flag of the user's scheme, and the colours the
// page's preview draws.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(QAbstractProxyModel *schemeModel READ schemeModel CONSTANT)
    Q_PROPERTY(SchemeType::Value schemeType READ schemeType WRITE setSchemeType NOTIFY schemeTypeChanged)
    Q_PROPERTY(QString currentColorScheme READ currentColorScheme WRITE setCurrentColorScheme NOTIFY currentColorSchemeChanged)
    Q_PROPERTY(WallpaperScheme::Value wallpaperColorScheme READ wallpaperColorScheme WRITE setWallpaperColorScheme NOTIFY wallpaperColorSchemeChanged)
    Q_PROPERTY(QString accentColor READ accentColor WRITE setAccentColor NOTIFY accentColorChanged)
    Q_PROPERTY(bool isDarkTheme READ isDarkTheme WRITE setIsDarkTheme NOTIFY isDarkThemeChanged)
    Q_PROPERTY(bool isWallpaperSchemeAvailable READ isWallpaperSchemeAvailable NOTIFY wallpaperSchemeChanged)
    Q_PROPERTY(QString activeWindowTitleColor READ activeWindowTitleColor NOTIFY previewChanged)
    Q_PROPERTY(QString inactiveWindowTitleColor READ inactiveWindowTitleColor NOTIFY previewChanged)
    Q_PROPERTY(QString activeWindowFrameColor READ activeWindowFrameColor NOTIFY previewChanged)
    Q_PROPERTY(QString inactiveWindowFrameColor READ inactiveWindowFrameColor NOTIFY previewChanged)
    Q_PROPERTY(QString activeWindowTitleTextColor READ activeWindowTitleTextColor NOTIFY previewChanged)
    Q_PROPERTY(QString inactiveWindowTitleTextColor READ inactiveWindowTitleTextColor NOTIFY previewChanged)
    Q_PROPERTY(QPalette currentPalette READ currentPalette NOTIFY previewChanged)
    Q_PROPERTY(bool mandatoryIntegrityControl READ mandatoryIntegrityControl CONSTANT)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    QAbstractProxyModel *schemeModel() const;
    SchemeType::Value schemeType() const;
    void setSchemeType(SchemeType::Value type);
    QString currentColorScheme() const;
    void setCurrentColorScheme(const QString &path);
    WallpaperScheme::Value wallpaperColorScheme() const;
    void setWallpaperColorScheme(WallpaperScheme::Value scheme);
    QString accentColor() const;
    void setAccentColor(const QString &color);
    bool isDarkTheme() const;
    void setIsDarkTheme(bool dark);
    // False for a missing wallpaper file and for the default wallpapers.
    bool isWallpaperSchemeAvailable() const;
    QString activeWindowTitleColor() const;
    QString inactiveWindowTitleColor() const;
    QString activeWindowFrameColor() const;
    QString inactiveWindowFrameColor() const;
    QString activeWindowTitleTextColor() const;
    QString inactiveWindowTitleTextColor() const;
    QPalette currentPalette() const;

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;
    // Saves into the current theme, then makes the scheme this application's palette.
    void apply() override;

Q_SIGNALS:
    void schemeTypeChanged();
    void currentColorSchemeChanged();
    void wallpaperColorSchemeChanged();
    void accentColorChanged();
    void isDarkThemeChanged();
    void wallpaperSchemeChanged();
    void previewChanged();
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;
    void fixBackgroundColor();
    void onSchemeTypeChanged();
    void onColorSchemePathChanged();
    void generateSchemeIfNeeded();

private:
    std::unique_ptr<ModulePrivate> const d;
};

#endif
