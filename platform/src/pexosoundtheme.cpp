#include "pexosoundtheme.h"
#include "localfile.h"
#include "xdgthemeindex.h"

#include <algorithm>

#include <KConfig>
#include <KConfigGroup>

#include <QFileInfo>
#include <QLocale>

namespace {
const QString soundThemeGroup = QStringLiteral("Sound Theme");

QStringList soundBaseDirs()
{
    return XdgThemeIndex::dataBaseDirs(QStringLiteral("sounds"));
}

// "de_DE" gives "de_DE", "de"; "" gives nothing.
QStringList localeDirs(const QString &locale)
{
    QStringList dirs;
    if (!locale.isEmpty() && !locale.contains(QLatin1Char('/'))) {
        dirs.append(locale);
        const QString language = locale.section(QLatin1Char('_'), 0, 0);
        if (language != locale) {
            dirs.append(language);
        }
    }
    return dirs;
}

enum class Found { Nothing, File, Disabled };

Found findIn(const XdgThemeIndex::Theme &theme, const QString &subdir, const QStringList &locales, const QString &sound, QString *path)
{
    static const char *const suffixes[] = {".disabled", ".oga", ".ogg", ".wav"};
    for (const QString &root : theme.roots) {
        for (const QString &locale : locales + QStringList{QString()}) {
            const QString dir = root + QLatin1Char('/') + subdir + (locale.isEmpty() ? QString() : QLatin1Char('/') + locale);
            for (const char *suffix : suffixes) {
                const QString candidate = dir + QLatin1Char('/') + sound + QLatin1String(suffix);
                if (qstrcmp(suffix, ".disabled") == 0) {
                    if (QFileInfo(candidate).isFile()) {
                        return Found::Disabled;
                    }
                } else if (LocalFile::isUsable(candidate, LocalFile::Kind::Sound)) {
                    *path = candidate;
                    return Found::File;
                }
            }
        }
    }
    return Found::Nothing;
}
} // namespace

class PexoSoundThemePrivate
{
public:
    QString name;
    QString locale;
    // The theme, what it inherits and "freedesktop", in search order.
    std::vector<std::unique_ptr<XdgThemeIndex::Theme>> chain;
};

std::vector<std::string> PexoSoundTheme::getThemesNames()
{
    // A theme installed in several base directories is listed once.
    std::vector<std::string> names;
    for (std::string &name : XdgThemeIndex::themeNames(soundBaseDirs(), soundThemeGroup)) {
        if (std::find(names.begin(), names.end(), name) == names.end()) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

PexoSoundTheme::PexoSoundTheme(const std::string &name, const std::string &locale)
    : d(new PexoSoundThemePrivate)
{
    d->name = QString::fromStdString(name);
    d->locale = locale.empty() ? QLocale().name() : QString::fromStdString(locale);
}

PexoSoundTheme::~PexoSoundTheme() = default;

bool PexoSoundTheme::load()
{
    d->chain = XdgThemeIndex::openChain(soundBaseDirs(), d->name, soundThemeGroup, true, QStringLiteral("freedesktop"));
    for (const auto &theme : d->chain) {
        theme->index->setLocale(d->locale);
    }
    return !d->chain.empty();
}

std::string PexoSoundTheme::localName() const
{
    if (d->chain.empty()) {
        return std::string();
    }
    return KConfigGroup(d->chain.front()->index.get(), soundThemeGroup).readEntry("Name", QString()).toLocal8Bit().toStdString();
}

std::string PexoSoundTheme::path() const
{
    return d->chain.empty() ? std::string() : d->chain.front()->indexRoot.toStdString();
}

std::string PexoSoundTheme::getSoundFilePath(const std::string &sound, const std::string &locale, const std::string &outputProfile) const
{
    const QString name = QString::fromLocal8Bit(sound.c_str());
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || d->chain.empty()) {
        return std::string();
    }
    const QStringList locales = localeDirs(locale.empty() ? d->locale : QString::fromStdString(locale));
    const QString profile = outputProfile.empty() ? QStringLiteral("stereo") : QString::fromStdString(outputProfile);
    const QStringList names = XdgThemeIndex::genericNames(name);
    for (const QString &candidate : names) {
        for (const auto &theme : d->chain) {
            const QStringList subdirs = KConfigGroup(theme->index.get(), soundThemeGroup).readEntry("Directories", QStringList());
            // Directories of the profile first, then the others.
            for (const bool ofProfile : {true, false}) {
                for (const QString &subdir : subdirs) {
                    if (subdir.contains(QLatin1String(".."))) {
                        continue;
                    }
                    const QString dirProfile = KConfigGroup(theme->index.get(), subdir).readEntry("OutputProfile", QStringLiteral("stereo"));
                    if ((dirProfile == profile) != ofProfile) {
                        continue;
                    }
                    QString path;
                    switch (findIn(*theme, subdir, locales, candidate, &path)) {
                    case Found::File:
                        return path.toStdString();
                    case Found::Disabled:
                        return std::string();
                    case Found::Nothing:
                        break;
                    }
                }
            }
        }
    }
    return std::string();
}
