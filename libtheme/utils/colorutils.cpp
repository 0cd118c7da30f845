#include "colorutils.h"
#include "configfiles.h"
#include "configsync.h"
#include "localfile.h"
#include "settingsreplace.h"
#include "themedefaults.h"

#include <pexocolors.h>
#include <pexodirs.h>

#include <KColorScheme>
#include <KConfigGroup>
#include <KSharedConfig>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {
const QString userSchemeName = QStringLiteral("User.colors");
const QString pexoDefaultSchemeName = QStringLiteral("PexoDefault.colors");
const QString wmGroup = QStringLiteral("WM");
const QString generatorScript = QStringLiteral("/usr/bin/pexo-colorscheme-gen.sh");
const QString generatorResultPrefix = QStringLiteral("RESULT=");
const QString whiteText = QStringLiteral("#FFFFFF");

constexpr int generatorStartTimeoutMs = 1000;
constexpr int generatorFinishTimeoutMs = 1000;

bool isSystemSchemeName(const QString &path)
{
    return path.endsWith(ThemeDefaults::darkColorSchemeName) || path.endsWith(ThemeDefaults::lightColorSchemeName) ||
        path.endsWith(ThemeDefaults::adminColorSchemeName);
}

// An optional sign and decimal digits, of any length.
bool isDecimalNumber(const QString &text)
{
    const int start = text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0;
    if (start == text.size()) {
        return false;
    }
    for (int i = start; i < text.size(); ++i) {
        if (text.at(i) < QLatin1Char('0') || text.at(i) > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

// True when every key has a non-empty value in the scheme's "WM" group.
bool hasWmEntries(const QString &path, const QStringList &keys)
{
    const KConfigGroup group(ConfigFiles::openScheme(path), wmGroup);
    for (const QString &key : keys) {
        if (group.readEntry(key, QString()).isEmpty()) {
            return false;
        }
    }
    return true;
}

QColor colorOf(const std::string &text)
{
    return QColor(QString::fromUtf8(text.c_str()));
}

std::string textColorOf(const QColor &color)
{
    return textColorFor(color.name().toUtf8().constData());
}
} // namespace

bool ColorUtils::isUserColorScheme(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    return path.endsWith(userSchemeName);
}

bool ColorUtils::isPexoColorScheme(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    if (path.endsWith(pexoDefaultSchemeName)) {
        return true;
    }
    return isUserColorScheme(path);
}

bool ColorUtils::isUlvarColorScheme(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    if (isSystemSchemeName(path)) {
        return true;
    }
    static const QStringList keys{
        QStringLiteral("activeWindowHeader"),
        QStringLiteral("activeWindowFrame"),
        QStringLiteral("inactiveWindowHeader"),
        QStringLiteral("inactiveWindowFrame"),
        QStringLiteral("taskbarBackground"),
        QStringLiteral("taskbarBackgroundHover"),
        QStringLiteral("buttonOutlineHover"),
        QStringLiteral("lineSeparator"),
    };
    return hasWmEntries(path, keys);
}

bool ColorUtils::isGeneratedColorScheme(const QString &path)
{
    if (path.isEmpty()) {
        return false;
    }
    if (isSystemSchemeName(path)) {
        return true;
    }
    static const QStringList keys{
        QStringLiteral("activeBackground"),
        QStringLiteral("activeBlend"),
        QStringLiteral("activeForeground"),
        QStringLiteral("inactiveBackground"),
        QStringLiteral("inactiveBlend"),
        QStringLiteral("inactiveForeground"),
    };
    return hasWmEntries(path, keys);
}

ColorUtils::SchemeContent ColorUtils::schemeContent(const QByteArray &bytes)
{
    if (bytes.size() > LocalFile::sizeLimit(LocalFile::Kind::Settings)) {
        return SchemeContent::TooLarge;
    }
    const QList<QByteArray> lines = bytes.split('\n');
    const bool colorGroup = std::any_of(lines.cbegin(), lines.cend(), [](const QByteArray &line) {
        const QByteArray group = line.trimmed();
        return group.startsWith("[Colors:") && group.endsWith(']');
    });
    return colorGroup ? SchemeContent::ColorScheme : SchemeContent::NoColorGroup;
}

std::optional<QByteArray> ColorUtils::readColorScheme(const QString &path)
{
    const std::optional<QByteArray> bytes = LocalFile::read(path, LocalFile::Kind::Settings);
    return bytes && schemeContent(*bytes) == SchemeContent::ColorScheme ? bytes : std::nullopt;
}

bool ColorUtils::isDefaultWallpaper(const QString &path)
{
    if (!path.startsWith(QLatin1Char('/'))) {
        return true;
    }
    if (path == ThemeDefaults::lightWallpaperPath || path == ThemeDefaults::darkWallpaperPath) {
        return true;
    }
    return path == ThemeDefaults::WallPaper.defaultValue;
}

bool ColorUtils::copyUserScheme()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/color-schemes");
    const QString target = dir + QStringLiteral("/User.colors");
    if (QFile::exists(target)) {
        return true;
    }
    QDir().mkpath(dir);
    const QString source = QString::fromUtf8(GetPexoDir(PexoSystemDataDir).c_str()) + QStringLiteral("/color-schemes/User.colors");
    const std::optional<QByteArray> bytes = LocalFile::read(source, LocalFile::Kind::Settings);
    if (!bytes) {
        return false;
    }
    if (!SettingsReplace::write(target, *bytes)) {
        return false;
    }
    // The copy takes the template's mode, which may be read-only.
    return QFile::setPermissions(target, QFile::permissions(source) | QFile::WriteOwner);
}

QString ColorUtils::fixWallpaperColor(const QString &color)
{
    const QByteArray text = color.toUtf8();
    const std::string light = CreateShadeColor(text.constData(), 0.333);
    const std::string dark = GetPrimaryDarkColor(text.constData(), true);
    std::string result;
    if (QString::fromUtf8(light.c_str()) == color) {
        result = CreateShadeColor(text.constData(), -0.25);
    } else if (QString::fromUtf8(dark.c_str()) == color) {
        result = CreateShadeColor(text.constData(), 0.166);
    } else {
        result = dark;
    }
    return QString::fromUtf8(result.c_str());
}

QColor ColorUtils::getColor(const QString &text)
{
    if (text.startsWith(QLatin1Char('#'))) {
        QColor color;
        color.setNamedColor(text);
        // Through the name: drops the alpha of "#aarrggbb", and gives black for junk.
        return QColor(color.name());
    }
    const QStringList parts = text.split(QLatin1Char(','), Qt::SkipEmptyParts);
    if (parts.size() < 3) {
        return QColor();
    }
    int rgb[3];
    for (int i = 0; i < 3; ++i) {
        const QString part = parts.at(i).trimmed();
        bool isInt = false;
        rgb[i] = part.toInt(&isInt);
        // A word reads as 0, but a number too large for an int is out of range.
        if (!isInt && isDecimalNumber(part)) {
            return QColor();
        }
        if (rgb[i] < 0 || rgb[i] > 255) {
            return QColor();
        }
    }
    return QColor(rgb[0], rgb[1], rgb[2]);
}

QString ColorUtils::getColorName(const QString &text)
{
    const QColor color = getColor(text);
    return color.isValid() ? color.name() : QString();
}

void ColorUtils::fixShadeColors(ShadeMap &shades)
{
    static const std::pair<const char *, const char *> mirrors[] = {
        {"color600", "color400"},
        {"color700", "color300"},
        {"color800", "color200"},
        {"color900", "color100"},
        {"color400", "color600"},
        {"color300", "color700"},
        {"color200", "color800"},
        {"color100", "color900"},
    };
    for (const auto &[replaced, taken] : mirrors) {
        if (shades[replaced] == shades["color500"]) {
            shades[replaced] = shades[taken];
        }
    }
}

QPalette ColorUtils::getPaletteForScheme(const QString &path, const QColor &primary, const QColor &background, QString *accent, QString *accentHover)
{
    QPalette palette = QGuiApplication::palette();

    if (isPexoColorScheme(path)) {
        const QByteArray backgroundName = background.name().toUtf8();
        ShadeMap p = CreateShadeColors(primary.name().toUtf8().constData());
        ShadeMap b = CreateShadeColors(backgroundName.constData());
        fixShadeColors(p);
        fixShadeColors(b);

        const QColor highlight = colorOf(p["color500"]);
        const QColor highlightedText = colorOf(textColorFor(p["color500"].c_str()));
        const std::string backgroundText = textColorFor(backgroundName.constData());
        const QColor window = colorOf(b["color600"]);
        const QColor windowText = colorOf(textColorFor(b["color600"].c_str()));
        const double alternateFactor = QString::fromUtf8(backgroundText.c_str()) == whiteText ? 0.065 : -0.055;
        const QColor alternateBase = colorOf(CreateShadeColor(backgroundName.constData(), alternateFactor));

        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            QColor groupHighlight = highlight;
            if (group == QPalette::Inactive) {
                groupHighlight.setHsvF(highlight.hsvHueF(), highlight.hsvSaturationF() * 0.5, highlight.valueF(), 1.0);
            }
            palette.setColor(group, QPalette::Highlight, groupHighlight);
            palette.setColor(group, QPalette::HighlightedText, highlightedText);
            palette.setColor(group, QPalette::Base, QColor(background.name()));
            palette.setColor(group, QPalette::Text, colorOf(backgroundText));
            palette.setColor(group, QPalette::Window, window);
            palette.setColor(group, QPalette::Button, window);
            palette.setColor(group, QPalette::ButtonText, windowText);
            palette.setColor(group, QPalette::AlternateBase, alternateBase);
            palette.setColor(group, QPalette::WindowText, windowText);
            palette.setColor(group, QPalette::BrightText, colorOf(textColorOf(palette.color(group, QPalette::WindowText))));
        }

        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto r = static_cast<QPalette::ColorRole>(role);
            palette.setColor(QPalette::Disabled, r, palette.color(QPalette::Active, r));
        }
        for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText, QPalette::Text, QPalette::HighlightedText}) {
            palette.setColor(QPalette::Disabled, role, QColor(Qt::darkGray));
        }

        if (accent) {
            *accent = QString::fromUtf8(p["color500"].c_str());
        }
        if (accentHover) {
            *accentHover = QString::fromUtf8(p["color700"].c_str());
        }
    } else {
        palette = KColorScheme::createApplicationPalette(ConfigFiles::openScheme(path, KConfig::FullConfig));
        if (accent) {
            *accent = palette.color(QPalette::Active, QPalette::Highlight).name();
            if (accentHover) {
                *accentHover = QString::fromUtf8(CreateShadeColor(accent->toUtf8().constData(), 0.2).c_str());
            }
        }
    }

    const bool lightToolTips = QString::fromUtf8(textColorOf(palette.color(QPalette::Active, QPalette::WindowText)).c_str()) == whiteText;
    const QColor toolTipBase(lightToolTips ? QStringLiteral("#fcfcfc") : QStringLiteral("#31363b"));
    const QColor toolTipText(lightToolTips ? QStringLiteral("#232627") : QStringLiteral("#eff0f1"));
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::ToolTipBase, toolTipBase);
        palette.setColor(group, QPalette::ToolTipText, toolTipText);
    }
    return palette;
}

void ColorUtils::writeQtPalette(const QString &path, const QColor &primary, const QColor &background, bool decorationColors)
{
    QString accent;
    QString accentHover;
    const QPalette palette = getPaletteForScheme(path, primary, background, &accent, &accentHover);

    // Written into a scheme file or a new one, never into anything else.
    if (isPexoColorScheme(path) && LocalFile::isMissingOrUsable(path, LocalFile::Kind::Settings)) {
        const KSharedConfigPtr scheme = ConfigFile::openShared(path);
        const std::pair<QString, QPalette::ColorRole> groups[] = {
            {QStringLiteral("Colors:Button"), QPalette::Button},
            {QStringLiteral("Colors:Selection"), QPalette::Highlight},
            {QStringLiteral("Colors:View"), QPalette::Base},
            {QStringLiteral("Colors:Window"), QPalette::Window},
            {QStringLiteral("Colors:Header"), QPalette::Window},
        };
        for (const auto &[name, role] : groups) {
            KConfigGroup group(scheme, name);
            group.writeEntry("BackgroundNormal", palette.color(QPalette::Active, role), KConfigBase::Persistent);
            group.writeEntry("BackgroundAlternate", palette.color(QPalette::Active, QPalette::AlternateBase), KConfigBase::Persistent);
        }
        for (const auto &entry : groups) {
            KConfigGroup group(scheme, entry.first);
            group.writeEntry("ForegroundNormal", palette.color(QPalette::Active, QPalette::Text), KConfigBase::Persistent);
        }
        ConfigSync::sync(scheme);
    }

    const auto roleNames = [&palette](QPalette::ColorGroup group) {
        QStringList names;
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            names << palette.color(group, static_cast<QPalette::ColorRole>(role)).name();
        }
        return names;
    };
    SettingsReplace::store(ConfigFiles::userFile(QStringLiteral("Trolltech.conf")),
                           QStringLiteral("Qt"),
                           {
                               {QStringLiteral("Palette/active"), roleNames(QPalette::Active)},
                               {QStringLiteral("Palette/inactive"), roleNames(QPalette::Inactive)},
                               {QStringLiteral("Palette/disabled"), roleNames(QPalette::Disabled)},
                           });

    if (!decorationColors) {
        return;
    }
    if (const KSharedConfigPtr breeze = ConfigFiles::openToWrite(QStringLiteral("breezerc"), KConfig::FullConfig)) {
        KConfigGroup view(breeze, QStringLiteral("Colors:View"));
        view.writeEntry("DecorationFocus", accent, KConfigBase::Persistent);
        view.writeEntry("DecorationHover", accentHover, KConfigBase::Persistent);
        ConfigSync::sync(breeze);
    }
}

QString ColorUtils::generateSchemeForWallpaper(const QString &wallpaper, bool dark)
{
    if (!QFile::exists(generatorScript)) {
        return QString();
    }
    QProcess process;
    process.start(generatorScript, {dark ? QStringLiteral("-d") : QStringLiteral("-l"), wallpaper}, QIODevice::ReadWrite);
    if (!process.waitForStarted(generatorStartTimeoutMs)) {
        return QString();
    }
    if (!process.waitForFinished(generatorFinishTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return QString();
    }
    const QByteArray output = process.readAllStandardOutput();
    const QString text = QString::fromUtf8(output.constData());
    // The first line that carries the result, without its prefix and line end.
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(generatorResultPrefix)) {
            QString result = line.mid(generatorResultPrefix.size());
            if (result.endsWith(QLatin1Char('\r'))) {
                result.chop(1);
            }
            return result.isEmpty() ? QString() : result;
        }
    }
    return QString();
}
