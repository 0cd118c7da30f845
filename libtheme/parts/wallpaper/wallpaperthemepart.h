#ifndef WALLPAPERTHEMEPART_H
#define WALLPAPERTHEMEPART_H

#include "ithemepart.h"

#include <QString>

#include <memory>

class WallpaperThemePartPrivate;

// The desktop background: wallpaper and logo with their placement, the
// per-screen and per-desktop flags and the slide-show period.
class PEXOTHEME_EXPORT WallpaperThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(QString wallpaper READ wallpaper WRITE setWallpaper NOTIFY wallpaperChanged)
    Q_PROPERTY(QString logo READ logo WRITE setLogo NOTIFY logoChanged)
    Q_PROPERTY(QString wallpaperStyle READ wallpaperStyle WRITE setWallpaperStyle NOTIFY wallpaperStyleChanged)
    Q_PROPERTY(QString logoPosition READ logoPosition WRITE setLogoPosition NOTIFY logoPositionChanged)
    Q_PROPERTY(bool forCurrentScreen READ forCurrentScreen WRITE setForCurrentScreen NOTIFY forCurrentScreenChanged)
    Q_PROPERTY(bool forCurrentDesktop READ forCurrentDesktop WRITE setForCurrentDesktop NOTIFY forCurrentDesktopChanged)
    Q_PROPERTY(int slideShowPeriod READ slideShowPeriod WRITE setSlideShowPeriod NOTIFY slideShowPeriodChanged)
public:
    // Parts are held by std::shared_ptr: the part never takes a Qt parent.
    explicit WallpaperThemePart(QObject *parent = nullptr);
    ~WallpaperThemePart() override;

    QString wallpaper() const;
    QString logo() const;
    QString wallpaperStyle() const;
    QString logoPosition() const;
    bool forCurrentScreen() const;
    bool forCurrentDesktop() const;
    int slideShowPeriod() const;

    void setWallpaper(const QString &wallpaper);
    void setLogo(const QString &logo);
    void setWallpaperStyle(const QString &style);
    void setLogoPosition(const QString &position);
    void setForCurrentScreen(bool forCurrentScreen);
    void setForCurrentDesktop(bool forCurrentDesktop);
    void setSlideShowPeriod(int period);

    // Wallpaper, style and period are applied only when both flags are false.
    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    // Leaves the slide-show period as it is.
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const WallpaperThemePart &other) const;

Q_SIGNALS:
    void wallpaperChanged();
    void logoChanged();
    void wallpaperStyleChanged();
    void logoPositionChanged();
    void forCurrentScreenChanged();
    void forCurrentDesktopChanged();
    void slideShowPeriodChanged();

private:
    std::unique_ptr<WallpaperThemePartPrivate> const d;
};

#endif
