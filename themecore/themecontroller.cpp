#include "themecontroller.h"

#include "appliedtheme.h"
#include "basesettingsprovider.h"
#include "configfile.h"
#include "configfiles.h"
#include "configsync.h"
#include "currentsettingsprovider.h"
#include "failedwrites.h"
#include "installedtheme.h"
#include "livesettingschange.h"
#include "livetheme.h"
#include "localfile.h"
#include "settingsfilter.h"
#include "themecorelog.h"
#include "themedefaults.h"
#include "themedescriptions.h"
#include "themefiles.h"

#include <KConfigGroup>
#include <KLocalizedString>
#include <KSharedConfig>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QStandardPaths>

#include <map>
#include <optional>

#include <sys/stat.h>

namespace {
const QString recordGroupName = QStringLiteral("Theme");
const char currentThemeKey[] = "CurrentTheme";
const char currentThemePathKey[] = "CurrentThemePath";

// A theme's description file. Its configuration is opened when a Theme is
// made from it and shared by the themes made while one lives: the registry
// keeps none, however many themes it lists. Nothing else opens these files:
// KDE's list of shared configurations, looked through at every opening, is
// left alone.
struct IndexFile
{
    QString path;
    std::weak_ptr<KConfig> config;
    // Listed by a scan under the id read from the file.
    bool scanned = false;
};

// Whether the files are within a theme's sizes, as they are now: a file
// that grew since it was listed holds no theme either.
bool holdsTheme(const IndexFile &file)
{
    return ThemeDescriptions::sizeRefusal(file.path).isEmpty();
}

// The record, or an empty one that takes no writes when a file it would be
// read from is no usable settings file.
KSharedConfigPtr openRecord()
{
    if (!ConfigFiles::isUsable(ThemeFiles::recordFileName)) {
        return KSharedConfig::openConfig(QString(), KConfig::SimpleConfig);
    }
    return ConfigFile::openShared(ThemeFiles::recordFileName, KConfig::FullConfig);
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

    std::map<QString, IndexFile> fetchThemes() const;
    void addThemes(const std::map<QString, IndexFile> &found);
    // Forgets the listed themes whose files grew larger than a theme may hold.
    void dropOversized();
    // The theme of the entry, unless its files are larger than a theme's
    // may be, as they are now: whatever road a theme is read by, scanned,
    // recorded or just made.
    std::shared_ptr<Theme> listedTheme(IndexFile &file) const;
    std::shared_ptr<Theme> makeTheme(const QString &indexPath, const std::shared_ptr<KConfig> &themeConfig) const;
    std::shared_ptr<Theme> makeTheme(IndexFile &file) const;
    std::shared_ptr<Theme> fail(const QString &message);

    KSharedConfigPtr config;
    KConfigGroup group;
    std::map<QString, IndexFile> themes;
    QString currentThemeId;
    QString currentThemePath;
    std::shared_ptr<Theme> currentTheme;
    std::shared_ptr<Theme> systemTheme;
    ThemeController *const q;
};

ThemeControllerPrivate::ThemeControllerPrivate(ThemeController *controller)
    : config(openRecord())
    , group(config->group(recordGroupName))
    , currentThemeId(group.readEntry(currentThemeKey, ThemeDefaults::defaultThemeId))
    , currentThemePath(group.readEntry(currentThemePathKey, ThemeDefaults::defaultThemeIndexPath))
    , q(controller)
{
    const std::shared_ptr<KConfig> currentConfig = ThemeDescriptions::open(currentThemePath);
    systemTheme = std::make_shared<LiveTheme>(std::make_shared<CurrentSettingsProvider>());
    // What could not be written into the live settings is a failure of the registry's.
    QObject::connect(systemTheme.get(), &Theme::error, q, &ThemeController::error);
    currentTheme = makeTheme(currentThemePath, currentConfig);

    // The recorded path wins over any scanned directory of the same id.
    themes.emplace(currentThemeId, IndexFile{currentThemePath, currentConfig, false});
    addThemes(fetchThemes());
}

std::map<QString, IndexFile> ThemeControllerPrivate::fetchThemes() const
{
    // A rescan takes what the registry knows of a file: the id read for an
    // earlier scan, or the configuration open as a scan would open it.
    struct Known
    {
        QString id;
        std::weak_ptr<KConfig> config;
    };
    QHash<QString, Known> known;
    for (const auto &[id, file] : themes) {
        const std::shared_ptr<KConfig> config = file.config.lock();
        if (file.scanned) {
            known.insert(file.path, Known{id, config});
        } else if (config && config->openFlags() == KConfig::SimpleConfig && config->locationType() == QStandardPaths::GenericConfigLocation) {
            known.insert(file.path, Known{ThemeDescriptions::idOf(*config), config});
        }
    }

    const std::map<QString, QString> installed = ThemeDescriptions::installed([&known](const QString &path) -> std::optional<QString> {
        const auto it = known.constFind(path);
        return it == known.cend() ? std::nullopt : std::optional<QString>(it->id);
    });
    std::map<QString, IndexFile> found;
    for (const auto &[id, path] : installed) {
        found.emplace_hint(found.end(), id, IndexFile{path, known.value(path).config, true});
    }
    return found;
}

void ThemeControllerPrivate::addThemes(const std::map<QString, IndexFile> &found)
{
    for (const auto &entry : found) {
        themes.emplace(entry.first, entry.second);
    }
}

void ThemeControllerPrivate::dropOversized()
{
    for (auto it = themes.begin(); it != themes.end();) {
        if (it->second.scanned && !holdsTheme(it->second)) {
            it = themes.erase(it);
        } else {
            ++it;
        }
    }
}

std::shared_ptr<Theme> ThemeControllerPrivate::listedTheme(IndexFile &file) const
{
    // A description opened anew is checked as it is opened: an empty
    // configuration stands for one refused.
    const bool open = !file.config.expired();
    std::shared_ptr<Theme> theme = makeTheme(file);
    const std::shared_ptr<KConfig> config = file.config.lock();
    const bool checked = !open && config && !config->name().isEmpty();
    return checked || holdsTheme(file) ? theme : nullptr;
}

std::shared_ptr<Theme> ThemeControllerPrivate::makeTheme(const QString &indexPath, const std::shared_ptr<KConfig> &themeConfig) const
{
    const auto provider = std::make_shared<BaseSettingsProvider>(ThemeFiles::settingsPath(indexPath));
    return std::make_shared<Theme>(themeConfig, provider, nullptr);
}

std::shared_ptr<Theme> ThemeControllerPrivate::makeTheme(IndexFile &file) const
{
    std::shared_ptr<KConfig> config = file.config.lock();
    if (!config) {
        config = ThemeDescriptions::open(file.path);
        file.config = config;
    }
    return makeTheme(file.path, config);
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

bool ThemeController::isCurrentThemeRecorded() const
{
    if (!ConfigFiles::isUsable(ThemeFiles::recordFileName)) {
        return d->config->name().isEmpty();
    }
    // Not the shared configuration, which holds what was read before.
    const std::unique_ptr<KConfig> record = ConfigFile::open(ThemeFiles::recordFileName, KConfig::FullConfig);
    return record->group(recordGroupName).readEntry(currentThemeKey, ThemeDefaults::defaultThemeId) == d->currentThemeId;
}

std::vector<std::shared_ptr<Theme>> ThemeController::availableThemes() const
{
    std::vector<std::shared_ptr<Theme>> result;
    result.reserve(d->themes.size());
    visitThemes([&result](const std::shared_ptr<Theme> &theme) {
        result.push_back(theme);
    });
    return result;
}

void ThemeController::visitThemes(const std::function<void(const std::shared_ptr<Theme> &)> &visit) const
{
    for (auto &entry : d->themes) {
        if (const std::shared_ptr<Theme> theme = d->listedTheme(entry.second)) {
            visit(theme);
        }
    }
}

std::shared_ptr<Theme> ThemeController::theme(const QString &id) const
{
    const auto it = d->themes.find(id);
    return it == d->themes.end() ? nullptr : d->listedTheme(it->second);
}

std::shared_ptr<Theme> ThemeController::equalTheme(const std::shared_ptr<Theme> &reference) const
{
    const SettingsFilter filter(*reference);
    for (auto &entry : d->themes) {
        if (!filter.mayEqual(ThemeFiles::settingsPath(entry.second.path))) {
            continue;
        }
        std::shared_ptr<Theme> candidate = d->listedTheme(entry.second);
        // One whose files grew beyond a theme's since the scan holds none.
        if (!candidate || !candidate->isValid()) {
            continue;
        }
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
    // Nor one whose files grew beyond a theme's since it was listed.
    if (const QString refusal = ThemeDescriptions::sizeRefusal(it->second.path); !refusal.isEmpty()) {
        Q_EMIT error(QStringLiteral("Can't set theme %1 as current theme: %2").arg(themeId, refusal));
        return;
    }
    const std::shared_ptr<Theme> newTheme = d->makeTheme(it->second);
    if (!newTheme->isValid()) {
        Q_EMIT error(QStringLiteral("Can't set theme %1 as current theme: it is not valid").arg(themeId));
        return;
    }

    // Nothing is written when the record or the live settings cannot be.
    const LiveSettingsChange change(LiveSettingsChange::Files::LiveAndRecord, themeId);
    if (!change.refusal().isEmpty()) {
        Q_EMIT error(change.refusal());
        return;
    }
    // A theme that cannot be recorded is not pushed into the live settings;
    // nor is it when the record is no usable file, which is not written.
    const FailedWrites failed;
    if (d->config->name().isEmpty()) {
        // The file that was refused, which need not be the user's own.
        const QString unusable = ConfigFiles::unusableFile(ThemeFiles::recordFileName);
        FailedWrites::note(unusable.isEmpty() ? ConfigFiles::userFile(ThemeFiles::recordFileName) : unusable);
        Q_EMIT error(failed.message());
        return;
    }
    d->group.writeEntry(currentThemeKey, themeId);
    d->group.writeEntry(currentThemePathKey, newTheme->desktopPath());
    if (!ConfigSync::sync(d->config)) {
        Q_EMIT error(failed.message());
        return;
    }
    d->currentThemeId = themeId;
    d->currentThemePath = newTheme->desktopPath();

    d->currentTheme = newTheme;
    d->currentTheme->read();
    d->systemTheme->copyFrom(d->currentTheme);
    d->systemTheme->apply();
    // The theme is not rewritten: where the live settings did not take its
    // values as they are, the next session sync learns that they are its.
    if (failed.files().isEmpty()) {
        if (const QString message = AppliedTheme::note(themeId, *d->currentTheme, *AppliedTheme::readLive()); !message.isEmpty()) {
            Q_EMIT error(message);
        }
    }
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
    // A description that was no usable file gives no path at all.
    const QString directory = QFileInfo(removed->desktopPath()).absolutePath();
    if (removed->desktopPath().isEmpty() || (QFileInfo::exists(directory) && !isThemeDirectoryIn(directory, ThemeDefaults::userThemesDir))) {
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

    // A theme is made only in a directory of its own: whatever is there by
    // that name (a theme of another id, a link) is left alone.
    const QString newDirectory = QDir(ThemeDefaults::userThemesDir).filePath(name);
    struct stat status;
    if (::lstat(QFile::encodeName(newDirectory).constData(), &status) == 0) {
        return d->fail(QStringLiteral("Theme directory already exists: ") + newDirectory);
    }
    if (!QDir().mkpath(ThemeDefaults::userThemesDir) || !QDir().mkdir(newDirectory)) {
        return d->fail(QStringLiteral("Failed to create new theme directory"));
    }
    // A failed creation leaves nothing behind to take the name.
    auto removeMadeHere = qScopeGuard([&newDirectory] {
        QDir(newDirectory).removeRecursively();
    });

    const auto base = d->themes.find(baseId);
    const QString baseDirectory = base == d->themes.end() ? QString() : QFileInfo(base->second.path).absolutePath();
    if (baseDirectory.isEmpty() || !QDir(baseDirectory).exists()) {
        return d->fail(QStringLiteral("Base theme directory does not exist"));
    }
    // Its settings would make the new theme as large.
    if (const QString refusal = ThemeDescriptions::sizeRefusal(base->second.path); !refusal.isEmpty()) {
        return d->fail(QStringLiteral("Base theme %1 holds no theme: %2").arg(baseId, refusal));
    }

    const QString source = QDir(baseDirectory).filePath(ThemeFiles::settingsSubPath);
    const std::optional<QByteArray> settings = LocalFile::read(source, LocalFile::Kind::Settings);
    if (!settings) {
        return d->fail(QStringLiteral("Source themerc file missing: ") + baseId);
    }

    const QString target = QDir(newDirectory).filePath(ThemeFiles::settingsSubPath);
    const QString sourceFile = QFileInfo(source).canonicalFilePath();
    if (!sourceFile.isEmpty() && sourceFile == QFileInfo(target).canonicalFilePath()) {
        return d->fail(QStringLiteral("Source and destination themerc are the same file: ") + source);
    }

    const QString targetDirectory = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(targetDirectory)) {
        return d->fail(QStringLiteral("Failed to create destination parent path: ") + targetDirectory);
    }
    if (!LocalFile::writeNew(target, *settings)) {
        return d->fail(QStringLiteral("Failed to copy themerc from ") + source + QStringLiteral(" to ") + target);
    }

    const QString indexPath = QDir(newDirectory).filePath(ThemeFiles::indexFileName);
    if (!LocalFile::writeNew(indexPath, QByteArray())) {
        return d->fail(QStringLiteral("Failed to create index.theme: ") + indexPath);
    }

    const QString baseName = d->makeTheme(base->second)->name();

    KSharedConfigPtr indexConfig = ConfigFile::openShared(indexPath, KConfig::CascadeConfig);
    // An object kept from an earlier call still holds the old entries; the
    // file was just emptied, so forget them or the writes below are skipped.
    ConfigFile::reparse(*indexConfig);
    KConfigGroup indexGroup = indexConfig->group(ThemeFiles::indexGroup);
    indexGroup.writeEntry("Id", name);
    indexGroup.writeEntry("Name", name);
    indexGroup.writeEntry("Comment", i18n("A custom theme based on the '%1' theme, with some modifications.", baseName));
    if (!ConfigSync::sync(indexConfig)) {
        return d->fail(QStringLiteral("Failed to write index.theme: ") + indexPath);
    }

    const std::shared_ptr<KConfig> held(indexConfig.data(), [indexConfig](KConfig *) {});
    d->themes.emplace(name, IndexFile{indexPath, held, false});
    removeMadeHere.dismiss();
    return d->makeTheme(indexPath, held);
}

void ThemeController::updateAvailableThemes()
{
    d->dropOversized();
    d->addThemes(d->fetchThemes());
}
