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
#include <wallpaperthemepart.h>

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>

#include <optional>

namespace {
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
    const auto sounds = theme.soundsThemePart();
    out << sounds->soundThemeEnabled() << sounds->soundTheme();
    const QMetaEnum events = QMetaEnum::fromType<SoundsThemePart::Sounds>();
    for (int i = 0; i < events.keyCount(); ++i) {
        const auto event = SoundsThemePart::Sounds(events.value(i));
        if (event != SoundsThemePart::UndefinedSound) {
            out << sounds->getSound(event);
        }
    }
    const auto wallpaper = theme.wallpaperThemePart();
    out << wallpaper->wallpaper() << wallpaper->logo() << wallpaper->wallpaperStyle() << wallpaper->logoPosition() << wallpaper->forCurrentScreen()
        << wallpaper->forCurrentDesktop() << qint32(wallpaper->slideShowPeriod());
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

const QString noteName = QStringLiteral(".theme-applied");

QByteArray themeOf(const QString &id, const Theme &stored)
{
    return id.toUtf8().toPercentEncoding() + '\n' + digest(stored) + '\n';
}

QByteArray noteOf(const QString &id, const Theme &stored, const Theme &live)
{
    return themeOf(id, stored) + digest(live) + '\n';
}
} // namespace

QString AppliedTheme::note(const QString &id, const Theme &stored, const Theme &live)
{
    // Also made where the live settings took the theme whole, for the
    // other sessions.
    QString error;
    if (SmallFile::place(path(), noteOf(id, stored, live), &error)) {
        return QString();
    }
    FailedWrites::note(path());
    return QStringLiteral("Could not write %1 (%2)").arg(path(), error);
}

bool AppliedTheme::isApplied(const QString &id, const Theme &stored, const Theme &live)
{
    const std::optional<QByteArray> text = LocalFile::read(path(), LocalFile::Kind::Settings);
    return text && *text == noteOf(id, stored, live);
}

bool AppliedTheme::isAppliedElsewhere(const QString &id, const Theme &stored)
{
    const QFileInfo own(path());
    // Newest first; a writer's file beside a note has another name.
    const QFileInfoList notes = own.dir().entryInfoList({noteName + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Time);
    if (notes.isEmpty() || notes.constFirst().fileName() == own.fileName()) {
        return false;
    }
    // This session took the theme so already: its live settings are its own.
    const QByteArray theme = themeOf(id, stored);
    const std::optional<QByteArray> ownText = LocalFile::read(own.absoluteFilePath(), LocalFile::Kind::Settings);
    if (ownText && ownText->startsWith(theme)) {
        return false;
    }
    const std::optional<QByteArray> text = LocalFile::read(notes.constFirst().absoluteFilePath(), LocalFile::Kind::Settings);
    return text && text->startsWith(theme);
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
