#include "themecontroller.h"

#include "basesettingsprovider.h"
#include "currentsettingsprovider.h"
#include "installedtheme.h"
#include "settingsfilter.h"
#include "themecorelog.h"
#include "themedefaults.h"
#include "themefiles.h"

#include <KConfigGroup>
#include <KLocalizedString>
#include <KSharedConfig>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStandardPaths>

#include <map>

namespace {
const QString recordGroupName = QStringLiteral("Theme");
const char currentThemeKey[] = "CurrentTheme";
const char currentThemePathKey[] = "CurrentThemePath";
const QString themercSubPath = QStringLiteral("theme/themerc");

// The stored settings of the theme described by config.
QString themercPath(const KSharedConfigPtr &config)
{
    return QFileInfo(config->name()).absolutePath() + QLatin1Char('/') + themercSubPath;
}

// A theme name is used as a directory name below the user themes directory.
bool isUsableThemeName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}
} // namespace

class ThemeControllerPrivate
{
public:
    explicit ThemeControllerPrivate(ThemeController *controller);

    std::map<QString, KSharedConfigPtr> fetchThemes() const;
    void addThemes(const std::map<QString, KSharedConfigPtr> &found);
    std::shared_ptr<Theme> makeTheme(const KSharedConfigPtr &themeConfig) const;
    std::shared_ptr<Theme> fail(const QString &message);

    KSharedConfigPtr config;
    KConfigGroup group;
    std::map<QString, KSharedConfigPtr> themes;
    QString currentThemeId;
    QString currentThemePath;
    std::shared_ptr<Theme> currentTheme;
    std::shared_ptr<Theme> systemTheme;
    ThemeController *const q;
};

ThemeControllerPrivate::ThemeControllerPrivate(ThemeController *controller)
    : config(KSharedConfig::openConfig(ThemeFiles::recordFileName, KConfig::FullConfig, QStandardPaths::GenericConfigLocation))
    , group(config->group(recordGroupName))
    , currentThemeId(group.readEntry(currentThemeKey, ThemeDefaults::defaultThemeId))
    , currentThemePath(group.readEntry(currentThemePathKey, ThemeDefaults::defaultThemeIndexPath))
    , q(controller)
{
    const KSharedConfigPtr currentConfig = KSharedConfig::openConfig(currentThemePath, KConfig::SimpleConfig, QStandardPaths::GenericConfigLocation);
    systemTheme = std::make_shared<Theme>(std::make_shared<CurrentSettingsProvider>(), nullptr);
    currentTheme = makeTheme(currentConfig);

    // The recorded path wins over any scanned directory of the same id.
    themes.emplace(currentThemeId, currentConfig);
    addThemes(fetchThemes());
}

std::map<QString, KSharedConfigPtr> ThemeControllerPrivate::fetchThemes() const
{
    const QDir::Filters filters = QDir::Dirs | QDir::NoDot | QDir::NoDotDot;
    QFileInfoList entries = QDir(ThemeDefaults::userThemesDir).entryInfoList(filters);
    entries += QDir(ThemeDefaults::systemThemesDir).entryInfoList(filters);

    // A rescan takes the files already open from the map: looking each up
    // among all open configurations would cost a pass over them per theme.
    QHash<QString, KSharedConfigPtr> open;
    for (const auto &entry : themes) {
        const KSharedConfigPtr &config = entry.second;
        if (config->openFlags() == KConfig::SimpleConfig && config->locationType() == QStandardPaths::GenericConfigLocation) {
            open.insert(config->name(), config);
        }
    }

    std::map<QString, KSharedConfigPtr> found;
    for (const QFileInfo &entry : std::as_const(entries)) {
        const QString indexPath = entry.filePath() + QDir::separator() + ThemeFiles::indexFileName;
        if (!QFileInfo(indexPath).isFile()) {
            continue;
        }
        KSharedConfigPtr themeConfig = open.value(indexPath);
        if (!themeConfig) {
            themeConfig = KSharedConfig::openConfig(indexPath, KConfig::SimpleConfig, QStandardPaths::GenericConfigLocation);
        }
        // Ids are never translated: an "Id[xx]" entry is no id.
        const QString id = themeConfig->group(ThemeFiles::indexGroup).readEntryUntranslated("Id", QString());
        if (id.isEmpty()) {
            continue;
        }
        // The first directory with an id wins: user themes hide system ones.
        found.emplace(id, themeConfig);
    }
    return found;
}

void ThemeControllerPrivate::addThemes(const std::map<QString, KSharedConfigPtr> &found)
{
    for (const auto &entry : found) {
        themes.emplace(entry.first, entry.second);
    }
}

std::shared_ptr<Theme> ThemeControllerPrivate::makeTheme(const KSharedConfigPtr &themeConfig) const
{
    const auto provider = std::make_shared<BaseSettingsProvider>(themercPath(themeConfig));
    return std::make_shared<Theme>(themeConfig, provider, nullptr);
}

std::shared_ptr<Theme> ThemeControllerPrivate::fail(const QString &message)
{
    Q_EMIT q->error(message);
    return nullptr;
}

ThemeController::ThemeController(QObject *parent)
    : QObject(parent)
    , d(new ThemeControllerPrivate(this))
{
}

ThemeController::~ThemeController() = default;

std::shared_ptr<Theme> ThemeController::currentTheme() const
{
    return d->currentTheme;
}

std::shared_ptr<Theme> ThemeController::systemTheme() const
{
    return d->systemTheme;
}

const QString &ThemeController::currentThemeId() const
{
    return d->currentThemeId;
}

std::vector<std::shared_ptr<Theme>> ThemeController::availableThemes() const
{
    std::vector<std::shared_ptr<Theme>> result;
    result.reserve(d->themes.size());
    for (const auto &entry : d->themes) {
        result.push_back(d->makeTheme(entry.second));
    }
    return result;
}

std::shared_ptr<Theme> ThemeController::theme(const QString &id) const
{
    const auto it = d->themes.find(id);
    if (it == d->themes.end()) {
        return nullptr;
    }
    return d->makeTheme(it->second);
}

std::shared_ptr<Theme> ThemeController::equalTheme(const std::shared_ptr<Theme> &reference) const
{
    const SettingsFilter filter(*reference);
    for (const auto &entry : d->themes) {
        if (!filter.mayEqual(themercPath(entry.second))) {
            continue;
        }
        std::shared_ptr<Theme> candidate = d->makeTheme(entry.second);
        candidate->read();
        if (*candidate == *reference) {
            return candidate;
        }
    }
    return nullptr;
}

void ThemeController::setCurrentTheme(const QString &id)
{
    // The argument may refer to a field of the theme replaced below.
    const QString themeId = id;
    const auto it = d->themes.find(themeId);
    if (it == d->themes.end()) {
        qCWarning(THEME_CORE_LOG) << "Can't set theme" << themeId << "as current theme";
        return;
    }

    const std::shared_ptr<Theme> newTheme = d->makeTheme(it->second);
    d->currentThemeId = themeId;
    d->currentThemePath = newTheme->desktopPath();
    d->group.writeEntry(currentThemeKey, d->currentThemeId);
    d->group.writeEntry(currentThemePathKey, d->currentThemePath);
    d->config->sync();

    d->currentTheme = newTheme;
    d->currentTheme->read();
    d->systemTheme->copyFrom(d->currentTheme);
    d->systemTheme->apply();
}

void ThemeController::removeTheme(const QString &id)
{
    const QString themeId = id;
    const auto it = d->themes.find(themeId);
    if (it == d->themes.end()) {
        qCWarning(THEME_CORE_LOG) << "Can't remove theme" << themeId;
        return;
    }

    const std::shared_ptr<Theme> removed = d->makeTheme(it->second);
    if (removed->isReadOnly()) {
        qCWarning(THEME_CORE_LOG) << "Can't remove theme" << themeId;
        return;
    }

    // The record file may point anywhere: only user theme directories go.
    const QString directory = QFileInfo(removed->desktopPath()).absolutePath();
    if (QFileInfo::exists(directory) && !isThemeDirectoryIn(directory, ThemeDefaults::userThemesDir)) {
        qCWarning(THEME_CORE_LOG) << "Can't remove theme" << themeId << "outside of" << ThemeDefaults::userThemesDir;
        return;
    }

    QDir(directory).removeRecursively();
    d->themes.erase(themeId);
}

std::shared_ptr<Theme> ThemeController::createTheme(const QString &name, const QString &baseId)
{
    if (!isUsableThemeName(name)) {
        return d->fail(QStringLiteral("Invalid theme name: ") + name);
    }

    const QString newDirectory = QDir(ThemeDefaults::userThemesDir).filePath(name);
    if (!QDir().mkpath(newDirectory)) {
        return d->fail(QStringLiteral("Failed to create new theme directory"));
    }

    const auto base = d->themes.find(baseId);
    const QString baseDirectory = base == d->themes.end() ? QString() : QFileInfo(base->second->name()).absolutePath();
    if (baseDirectory.isEmpty() || !QDir(baseDirectory).exists()) {
        return d->fail(QStringLiteral("Base theme directory does not exist"));
    }

    const QString source = QDir(baseDirectory).filePath(themercSubPath);
    if (!QFileInfo(source).isFile()) {
        return d->fail(QStringLiteral("Source themerc file missing: ") + baseId);
    }

    const QString target = QDir(newDirectory).filePath(themercSubPath);
    const QString sourceFile = QFileInfo(source).canonicalFilePath();
    if (!sourceFile.isEmpty() && sourceFile == QFileInfo(target).canonicalFilePath()) {
        return d->fail(QStringLiteral("Source and destination themerc are the same file: ") + source);
    }

    const QString targetDirectory = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(targetDirectory)) {
        return d->fail(QStringLiteral("Failed to create destination parent path: ") + targetDirectory);
    }
    if (QFileInfo::exists(target) && !QFile::remove(target)) {
        return d->fail(QStringLiteral("Failed to remove existing destination themerc"));
    }
    if (!QFile::copy(source, target)) {
        return d->fail(QStringLiteral("Failed to copy themerc from ") + source + QStringLiteral(" to ") + target);
    }

    const QString indexPath = QDir(newDirectory).filePath(ThemeFiles::indexFileName);
    QFile indexFile(indexPath);
    if (!indexFile.open(QIODevice::WriteOnly | QIODevice::Text)) {
        return d->fail(QStringLiteral("Failed to create index.theme: ") + indexPath);
    }
    indexFile.close();

    const QString baseName = d->makeTheme(base->second)->name();

    KSharedConfigPtr indexConfig = KSharedConfig::openConfig(indexPath, KConfig::CascadeConfig, QStandardPaths::GenericConfigLocation);
    // An object kept from an earlier call still holds the old entries; the
    // file was just emptied, so forget them or the writes below are skipped.
    indexConfig->reparseConfiguration();
    KConfigGroup indexGroup = indexConfig->group(ThemeFiles::indexGroup);
    indexGroup.writeEntry("Id", name);
    indexGroup.writeEntry("Name", name);
    indexGroup.writeEntry("Comment", i18n("A custom theme based on the '%1' theme, with some modifications.", baseName));
    indexConfig->sync();

    d->themes.emplace(name, indexConfig);
    return d->makeTheme(indexConfig);
}

void ThemeController::updateAvailableThemes()
{
    d->addThemes(d->fetchThemes());
}
