#include "moduleutils.h"

#include "colorutils.h"
#include "themedefaults.h"

#include <pexodirs.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
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

// Up to the first NUL byte, as the script's texts are C strings.
QString fromUtf8Text(const QByteArray &bytes)
{
    return QString::fromUtf8(bytes.constData());
}
} // namespace

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
