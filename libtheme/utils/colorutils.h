#ifndef COLORUTILS_H
#define COLORUTILS_H

#include "pexotheme_export.h"

#include <QColor>
#include <QPalette>
#include <QString>

#include <map>
#include <optional>
#include <string>

// Colour-scheme queries, colour parsing, scheme palettes and the schemes
// generated from a wallpaper.
class PEXOTHEME_EXPORT ColorUtils
{
public:
    ColorUtils() = delete;

    // Shade name ("color100" .. "color900") to colour text.
    using ShadeMap = std::map<std::string, std::string>;

    // The path names the editable user scheme ("User.colors").
    static bool isUserColorScheme(const QString &path);
    // The path names the own default scheme or the user scheme.
    static bool isPexoColorScheme(const QString &path);
    // A system scheme by name, or a scheme whose "WM" group holds every
    // window-manager colour.
    static bool isUlvarColorScheme(const QString &path);
    // A system scheme by name, or a scheme whose "WM" group holds the colours
    // of a generated scheme.
    static bool isGeneratedColorScheme(const QString &path);
    // What the bytes of a scheme file, read up to a byte beyond the limit of
    // a settings file, are to every reader of a scheme: a colour scheme
    // holds a colour group ("[Colors:...]") within that limit.
    enum class SchemeContent { ColorScheme, TooLarge, NoColorGroup };
    static SchemeContent schemeContent(const QByteArray &bytes);
    // The bytes of the colour scheme file at the path; nothing when it is no
    // usable file or its content is no colour scheme.
    static std::optional<QByteArray> readColorScheme(const QString &path);
    // A bare wallpaper name or one of the default wallpapers.
    static bool isDefaultWallpaper(const QString &path);
    // Copies the user scheme template into the user's data directory unless
    // a copy is there already; a new copy is writable by its owner. True
    // when the copy exists afterwards.
    static bool copyUserScheme();
    // An accent colour derived from a colour picked from a wallpaper.
    static QString fixWallpaperColor(const QString &color);
    // A "#" colour text or three decimal components separated by commas;
    // invalid for anything else.
    static QColor getColor(const QString &text);
    // The "#rrggbb" name of getColor(), or a null string.
    static QString getColorName(const QString &text);

    // Replaces shades equal to "color500" by their mirrored shade.
    static void fixShadeColors(ShadeMap &shades);
    // The palette of the scheme with the two colours; the accent and its
    // hover shade are returned through the optional texts.
    static QPalette
    getPaletteForScheme(const QString &path, const QColor &primary, const QColor &background, QString *accent = nullptr, QString *accentHover = nullptr);
    // Writes the palette into Qt's own settings (and an own scheme's file),
    // and the decoration colours into "breezerc" when asked to.
    static void writeQtPalette(const QString &path, const QColor &primary, const QColor &background, bool decorationColors);
    // Runs the generator script; the path of the scheme it wrote, or a null string.
    static QString generateSchemeForWallpaper(const QString &wallpaper, bool dark);
};

#endif
