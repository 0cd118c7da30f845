#include "appliedtheme.h"
#include "livesettingschange.h"

#include <colorsthemepart.h>
#include <currentsettingsprovider.h>
#include <cursorthemepart.h>
#include <failedwrites.h>
#include <iconthemepart.h>
#include <localfile.h>
#include <smallfile.h>
#include <soundsthemepart.h>
#include <theme.h>
#include <themedefaults.h>
#include <valuechanges.h>
#include <wallpaperthemepart.h>

#include <QCryptographicHash>
#include <QDataStream>
#include <QFileInfo>
#include <QMetaEnum>
#include <QVector>

#include <optional>

namespace {
void writeSounds(QDataStream &out, const SoundsThemePart &sounds)
{
    out << sounds.soundThemeEnabled() << sounds.soundTheme();
    const QMetaEnum events = QMetaEnum::fromType<SoundsThemePart::Sounds>();
    for (int i = 0; i < events.keyCount(); ++i) {
        const auto event = SoundsThemePart::Sounds(events.value(i));
        if (event != SoundsThemePart::UndefinedSound) {
            out << sounds.getSound(event);
        }
    }
}

// The values that make two themes equal (those that the parts' operator==
// compare, and no others), as a digest.
QByteArray digest(const Theme &theme)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const auto colors = theme.colorsThemePart();
    out << colors->colorSchemePath() << colors->primaryColor() << colors->backgroundColor() << colors->isCustomColorSchemeDark();
    const auto cursor = theme.cursorThemePart();
    out << cursor->currentTheme() << qint32(cursor->currentSize());
    const auto icons = theme.iconThemePart();
    out << icons->currentTheme() << icons->isToolbarMonochrome() << icons->isTaskbarMonochrome();
    writeSounds(out, *theme.soundsThemePart());
    const auto wallpaper = theme.wallpaperThemePart();
    out << wallpaper->wallpaper() << wallpaper->logo() << wallpaper->wallpaperStyle() << wallpaper->logoPosition() << wallpaper->forCurrentScreen()
        << wallpaper->forCurrentDesktop() << qint32(wallpaper->slideShowPeriod());
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

// Those that the session's own live settings file holds: not the scheme
// and colours of the palette file, the cursor, Qt's settings or the
// desktop folders' records, which the sessions of a user share.
QByteArray ownDigest(const Theme &live)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    const auto colors = live.colorsThemePart();
    out << colors->colorSchemeType() << colors->wallpaperColorSchemeType() << colors->isCustomColorSchemeDark();
    const auto icons = live.iconThemePart();
    out << icons->currentTheme() << icons->isTaskbarMonochrome();
    writeSounds(out, *live.soundsThemePart());
    const auto wallpaper = live.wallpaperThemePart();
    out << wallpaper->wallpaper() << wallpaper->logo() << wallpaper->wallpaperStyle() << wallpaper->logoPosition() << qint32(wallpaper->slideShowPeriod());
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

const QString noteName = QStringLiteral(".theme-applied");

QByteArray themeOf(const QString &id, const Theme &stored)
{
    return id.toUtf8().toPercentEncoding() + '\n' + digest(stored) + '\n';
}

// The theme's id and stored values, what the live settings took, and what
// of that the session's own file holds, a line each.
QByteArray appliedOf(const QString &id, const Theme &stored, const Theme &live)
{
    return themeOf(id, stored) + digest(live) + '\n';
}

std::optional<QByteArray> readNote()
{
    return LocalFile::read(AppliedTheme::path(), LocalFile::Kind::Settings);
}

QVector<IThemePart *> partsOf(const Theme &theme)
{
    return {theme.colorsThemePart().get(),
            theme.cursorThemePart().get(),
            theme.iconThemePart().get(),
            theme.soundsThemePart().get(),
            theme.wallpaperThemePart().get()};
}

// The live values themselves, on one line.
QByteArray valuesOf(const Theme &live)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    for (const IThemePart *part : partsOf(live)) {
        out << ValueChanges::values(*part);
    }
    return bytes.toBase64();
}
} // namespace

QString AppliedTheme::note(const QString &id, const Theme &stored, const Theme &live)
{
    // Also made where the live settings took the theme whole: the next
    // sync tells by it what the session changed since.
    QString error;
    if (SmallFile::place(path(), appliedOf(id, stored, live) + ownDigest(live) + '\n' + valuesOf(live) + '\n', &error)) {
        return QString();
    }
    FailedWrites::note(path());
    return QStringLiteral("Could not write %1 (%2)").arg(path(), error);
}

bool AppliedTheme::isApplied(const QString &id, const Theme &stored, const Theme &live)
{
    const std::optional<QByteArray> text = readNote();
    return text && text->startsWith(appliedOf(id, stored, live));
}

bool AppliedTheme::isChangedElsewhere(const QString &id, const Theme &stored)
{
    const std::optional<QByteArray> text = readNote();
    return text && !text->startsWith(themeOf(id, stored));
}

void AppliedTheme::takeSharedValues(Theme &live, const Theme &theme)
{
    const auto colors = theme.colorsThemePart();
    live.colorsThemePart()->setColorSchemePath(colors->colorSchemePath());
    live.colorsThemePart()->setPrimaryColor(colors->primaryColor());
    live.colorsThemePart()->setBackgroundColor(colors->backgroundColor());
    live.cursorThemePart()->setCurrentTheme(theme.cursorThemePart()->currentTheme());
    live.cursorThemePart()->setCurrentSize(theme.cursorThemePart()->currentSize());
    live.iconThemePart()->setIsToolbarMonochrome(theme.iconThemePart()->isToolbarMonochrome());
}

bool AppliedTheme::takeOwnChanges(Theme &theme, const Theme &live)
{
    const std::optional<QByteArray> text = readNote();
    const QList<QByteArray> lines = text ? text->split('\n') : QList<QByteArray>();
    if (lines.size() < 6) {
        return false;
    }
    // The live values as noted.
    Theme noted(std::make_shared<CurrentSettingsProvider>());
    QDataStream in(QByteArray::fromBase64(lines.at(4)));
    for (IThemePart *part : partsOf(noted)) {
        QVariantList values;
        in >> values;
        const QVariantList now = ValueChanges::values(*part);
        if (in.status() != QDataStream::Ok || values.size() != now.size()) {
            return false;
        }
        ValueChanges::carry(now, values, *part);
    }
    // What the sessions share is not this session's own change.
    takeSharedValues(noted, live);
    ValueChanges::carry(noted, live, theme);
    return true;
}

bool AppliedTheme::isUnchanged(const Theme &live)
{
    const std::optional<QByteArray> text = readNote();
    const QList<QByteArray> lines = text ? text->split('\n') : QList<QByteArray>();
    return lines.size() >= 5 && lines.at(3) == ownDigest(live);
}

std::shared_ptr<Theme> AppliedTheme::readLive()
{
    auto live = std::make_shared<Theme>(std::make_shared<CurrentSettingsProvider>(), nullptr);
    live->read();
    return live;
}

QString AppliedTheme::path()
{
    // Each session's live settings have a note of their own.
    return QFileInfo(LiveSettingsChange::markPath()).absolutePath() + QLatin1Char('/') + noteName + ThemeDefaults::Detail::sessionSuffix();
}
