#include "moduleutils.h"

#include "colorutils.h"
#include "configfiles.h"
#include "localfile.h"
#include "settingsreplace.h"
#include "themedefaults.h"

#include <pexodirs.h>

#include <KColorScheme>
#include <KConfigGroup>
#include <KSharedConfig>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QUrl>
#include <QUuid>
#include <QWindow>

namespace Kcm {
const QString Utils::darkSchemeFileName = ThemeDefaults::darkColorSchemeName;
const QString Utils::darkSchemePath = ThemeDefaults::darkColorSchemePath;
const QString Utils::lightSchemeFileName = ThemeDefaults::lightColorSchemeName;
const QString Utils::lightSchemePath = ThemeDefaults::lightColorSchemePath;
const QString Utils::adminSchemeFileName = ThemeDefaults::adminColorSchemeName;
const QString Utils::adminSchemePath = ThemeDefaults::adminColorSchemePath;
const QString Utils::generatorScript = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");
const QString Utils::generatorResultPrefix = QStringLiteral("RESULT=");

namespace {
constexpr int generatorStartTimeoutMs = 1000;
constexpr int generatorFinishTimeoutMs = 1000;

const QString userGeneratedSchemesDir = QStringLiteral("/.local/share/color-schemes-generated/");
const QString systemGeneratedSchemesDir = QStringLiteral("/usr/share/color-schemes-generated/");
const QString userSchemesDir = QStringLiteral("/.local/share/color-schemes");
const QString wmGroup = QStringLiteral("WM");

// The wallpaper's file name with the suffix of a generated scheme.
QString generatedSchemeName(const QString &wallpaper, bool dark)
{
    return QFileInfo(wallpaper).fileName() + (dark ? QStringLiteral("-generated-dark.colors") : QStringLiteral("-generated-light.colors"));
}

// Up to the first NUL byte, as the script's texts are C strings.
QString fromUtf8Text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes.constData());
}
} // namespace

QString Utils::spelledPath(const QString &text)
{
    if (text.startsWith(QLatin1String("file:"))) {
        const QUrl url(text);
        return url.isValid() && url.isLocalFile() ? url.toLocalFile() : text;
    }
    if (text == QLatin1String("~") || text.startsWith(QLatin1String("~/"))) {
        return QDir::homePath() + text.mid(1);
    }
    if (!text.isEmpty() && QDir::isRelativePath(text) && QFileInfo::exists(text)) {
        return LocalFile::absolutePath(text);
    }
    return text;
}

QString Utils::generateNameForWallpaper()
{
    const QString directory = QString::fromUtf8(GetPexoDir(PexoUserDataDir).c_str()) + QDir::separator() + QStringLiteral("Wallpapers");
    QDir().mkpath(directory);
    return directory + QDir::separator() + QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral(".png");
}

QRect Utils::screenGeometry(bool currentScreen)
{
    QScreen *screen = nullptr;
    const QWindowList windows = QGuiApplication::topLevelWindows();
    if (currentScreen && !windows.isEmpty()) {
        screen = windows.first()->screen();
    }
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    if (!screen) {
        return QRect();
    }
    const QRect geometry = screen->geometry();
    const qreal ratio = screen->devicePixelRatio();
    return QRect(geometry.topLeft(), QSize(qRound(geometry.width() * ratio), qRound(geometry.height() * ratio)));
}

QString Utils::generateSchemeForWallpaper(const QString &wallpaper, bool dark)
{
    if (!QFile::exists(generatorScript)) {
        return QString();
    }
    QProcess process;
    process.start(generatorScript, {dark ? QStringLiteral("-d") : QStringLiteral("-l"), wallpaper}, QIODevice::ReadWrite);
    if (!process.waitForStarted(generatorStartTimeoutMs) || !process.waitForFinished(generatorFinishTimeoutMs)) {
        return QString();
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return fromUtf8Text(process.readAllStandardError());
    }
    QString output = fromUtf8Text(process.readAllStandardOutput());
    if (!output.startsWith(generatorResultPrefix)) {
        return QString();
    }
    return output.remove(generatorResultPrefix).remove(QLatin1Char('\n'));
}

QString Utils::findWallpaperScheme(const QString &wallpaper, bool dark, QString *message)
{
    if (message) {
        message->clear();
    }
    const QString name = generatedSchemeName(wallpaper, dark);
    const QString cached = QDir::homePath() + userGeneratedSchemesDir + name;
    if (ColorUtils::readColorScheme(cached)) {
        return cached;
    }
    // The generator's result, its error text, or nothing; a result that is
    // no colour scheme counts as nothing.
    const QString generated = generateSchemeForWallpaper(wallpaper, dark);
    if (!generated.isEmpty() && ColorUtils::readColorScheme(generated)) {
        return generated;
    }
    if (!generated.isEmpty() && !LocalFile::exists(generated)) {
        if (message) {
            *message = generated;
        }
        return QString();
    }
    const QString system = systemGeneratedSchemesDir + name;
    return ColorUtils::readColorScheme(system) ? system : QString();
}

QString Utils::installWallpaperScheme(const QString &scheme, const QString &wallpaper, bool dark)
{
    const QString directory = QDir::homePath() + userSchemesDir;
    const QString target = directory + QLatin1Char('/') + generatedSchemeName(wallpaper, dark);
    const std::optional<QByteArray> content = ColorUtils::readColorScheme(scheme);
    if (!content) {
        return QString();
    }
    const QString source = QFileInfo(scheme).canonicalFilePath();
    if (!source.isEmpty() && source == QFileInfo(target).canonicalFilePath()) {
        return target;
    }
    if (!QDir().mkpath(directory)) {
        return QString();
    }
    return SettingsReplace::write(target, *content) ? target : QString();
}

std::optional<Utils::SchemeColors> Utils::schemeColors(const QString &path)
{
    const KSharedConfigPtr scheme = ConfigFiles::openScheme(path);
    if (scheme->groupList().isEmpty()) {
        return std::nullopt;
    }
    if (isUlvarColorScheme(path) && scheme->hasGroup(wmGroup)) {
        const KConfigGroup wm(scheme, wmGroup);
        // An unusable entry gives black, as in the live theme.
        const auto colour = [&wm](const char *key) {
            return QColor(getColorName(wm.readEntry(key, QString()))).name();
        };
        return SchemeColors{colour("activeWindowHeader"), colour("taskbarBackground")};
    }
    const QPalette palette = KColorScheme::createApplicationPalette(scheme);
    return SchemeColors{palette.color(QPalette::Active, QPalette::Highlight).name(), palette.color(QPalette::Active, QPalette::Base).name()};
}

bool Utils::isUserColorScheme(const QString &path)
{
    return ColorUtils::isUserColorScheme(path);
}

bool Utils::isPexoColorScheme(const QString &path)
{
    return ColorUtils::isPexoColorScheme(path);
}

QColor Utils::getColor(const QString &text)
{
    return ColorUtils::getColor(text);
}

QString Utils::getColorName(const QString &text)
{
    return ColorUtils::getColorName(text);
}

bool Utils::isUlvarColorScheme(const QString &path)
{
    return ColorUtils::isUlvarColorScheme(path);
}

bool Utils::isGeneratedColorScheme(const QString &path)
{
    return ColorUtils::isGeneratedColorScheme(path);
}
} // namespace Kcm
