#include "currentcolorsapplyhelper.h"
#include "colorutils.h"
#include "configfiles.h"
#include "deferredsync.h"
#include "ithemesettings.h"
#include "kconfigstorage.h"
#include "runprogram.h"
#include "themedefaults.h"
#include "utils.h"

#include <pexocolors.h>

#include <KConfigGroup>

#include <QColor>
#include <QDBusConnection>
#include <QDBusMessage>

namespace {

// Reference keys with the palette variable each one names when restored.
const std::pair<const char *, const char *> restoredReferences[] = {
    {"TitlebarColor", "BackgroundColor"},
    {"TitlebarColor2", "BackgroundColor"},
    {"FrameColor", "BackgroundColor"},
    {"TitleStringColor", "BackgroundTextColor"},
    {"TitlebarActiveColor", "PrimaryColor"},
    {"TitlebarActiveColor2", "PrimaryColor"},
    {"FrameActiveColor", "PrimaryColor"},
    {"TitleStringActiveColor", "PrimaryTextColor"},
    {"DialogColor", "BackgroundColor"},
    {"DialogStringColor", "BackgroundTextColor"},
    {"FrameActiveOutlineColor", "PrimaryLightColor"},
    {"FrameOutlineColor", "PrimaryLightColor"},
    {"TaskbarColor", "PrimaryDarkColor"},
    {"TaskbarStringColor", "PrimaryDarkTextColor"},
    {"TaskbarStringActiveColor", "PrimaryLightTextColor"},
    {"ClockStringColor", "PrimaryDarkTextColor"},
    {"PagerColor", "PrimaryDarkColor"},
    {"PagerColor2", "PrimaryDarkColor"},
    {"PagerActiveColor", "PrimaryLightColor"},
    {"MiniatureColor", "PrimaryTextColor"},
    {"MenuColor", "PrimaryDarkColor"},
    {"MenuColor2", "PrimaryDarkColor"},
    {"MenuActiveColor", "PrimaryLightColor"},
    {"MenuStringColor", "PrimaryDarkTextColor"},
    {"MenuStringActiveColor", "PrimaryLightTextColor"},
    {"ButtonColor", "PrimaryColor"},
    {"ButtonStringColor", "PrimaryTextColor"},
    {"ButtonActiveColor", "PrimaryLightColor"},
    {"ButtonStringActiveColor", "PrimaryLightTextColor"},
    {"IconActiveColor", "PrimaryLightColor"},
    {"IconStringActiveColor", "PrimaryLightTextColor"},
    {"IconStringColor", "PrimaryTextColor"},
    {"IconForeColor", "BackgroundTextColor"},
    {"IconBackColor", "BackgroundColor"},
    {"SwitcherColor", "BackgroundColor"},
    {"SwitcherActiveColor", "PrimaryColor"},
    {"SwitcherStringColor", "BackgroundTextColor"},
    {"SwitcherStringActiveColor", "PrimaryLightTextColor"},
};

enum Shade {
    Colour,
    TextColour,
};

struct Reference
{
    const char *key;
    Shade shade;
};

struct SchemeEntry
{
    const char *name;
    std::initializer_list<Reference> references;
    const char *paletteKey; // also written to "paletterc", or null
};

// The scheme's "WM" entries in reading order, each with the keys it sets.
const SchemeEntry schemeEntries[] = {
    {"activeWindowHeader",
     {{"TitlebarActiveColor", Colour}, {"TitlebarActiveColor2", Colour}, {"FrameActiveColor", Colour}, {"TitleStringActiveColor", TextColour}},
     "PrimaryColor"},
    {"inactiveWindowHeader", {{"TitlebarColor", Colour}, {"TitlebarColor2", Colour}, {"FrameColor", Colour}, {"TitleStringColor", TextColour}}, nullptr},
    {"activeWindowFrame", {{"FrameActiveOutlineColor", Colour}}, nullptr},
    {"inactiveWindowFrame", {{"FrameOutlineColor", Colour}}, nullptr},
    {"taskbarBackground",
     {{"TaskbarColor", Colour},
      {"TaskbarStringColor", TextColour},
      {"ClockStringColor", TextColour},
      {"PagerColor", Colour},
      {"PagerColor2", Colour},
      {"MiniatureColor", TextColour},
      {"MenuColor", Colour},
      {"MenuColor2", Colour},
      {"MenuStringColor", TextColour},
      {"DialogColor", Colour},
      {"DialogStringColor", TextColour},
      {"SwitcherColor", Colour},
      {"SwitcherStringColor", TextColour},
      {"IconForeColor", TextColour},
      {"IconBackColor", Colour}},
     "BackgroundColor"},
    {"taskbarBackgroundHover",
     {{"TaskbarStringActiveColor", TextColour},
      {"ButtonColor", Colour},
      {"ButtonStringColor", TextColour},
      {"ButtonActiveColor", Colour},
      {"ButtonStringActiveColor", TextColour},
      {"PagerActiveColor", Colour},
      {"MenuActiveColor", Colour},
      {"MenuStringActiveColor", TextColour},
      {"SwitcherStringActiveColor", TextColour},
      {"IconActiveColor", Colour},
      {"IconStringActiveColor", TextColour}},
     nullptr},
};

const QString wmGroup = QStringLiteral("WM");

void sendSignal(const QString &path, const QString &interface, const QString &member, const QVariantList &arguments = QVariantList())
{
    QDBusMessage message = QDBusMessage::createSignal(path, interface, member);
    message.setArguments(arguments);
    QDBusConnection::sessionBus().send(message);
}
} // namespace

class CurrentColorsApplyHelperPrivate
{
public:
    explicit CurrentColorsApplyHelperPrivate(CurrentColorsApplyHelper *q)
        : q(q)
        , palette(new KConfigStorage(ThemeDefaults::paletteConfigPath))
    {
    }

    // Writes the palette-variable name into every reference.
    void restoreRefColors();
    // Writes the scheme's own window-manager colours into the references and
    // the two palette colours.
    void replaceRefColors(const QString &path);
    void writeSchemeReferences(const KConfigGroup &group);
    // Applies a colour to "paletterc" and announces it.
    bool applyPaletteColor(const QString &key, const QString &color);
    // The restart of the taskbar and of the virtual keyboard.
    static void restartPanels();

    CurrentColorsApplyHelper *const q;
    std::unique_ptr<IThemeStorage> const palette;
    // The scheme announced by the part, whether it replaces the references,
    // and whether the restart after the primary colour was left to it.
    QString expectedScheme;
    bool expectedReplaces = false;
    bool restartPending = false;
};

namespace {
// A system scheme name alone is not enough: without its "WM" colours the
// references would all turn black, so such a scheme is treated as foreign.
bool replacesReferences(const QString &path)
{
    return ColorUtils::isUlvarColorScheme(path) && ConfigFiles::openScheme(path)->hasGroup(wmGroup);
}
} // namespace

void CurrentColorsApplyHelperPrivate::restoreRefColors()
{
    IThemeSettings *settings = q->settings();
    // Nobody examines these results: the file is written once, at the end.
    const DeferredSync once;
    for (const auto &[key, variable] : restoredReferences) {
        settings->write(QString::fromLatin1(key), QString::fromLatin1(variable));
    }
}

void CurrentColorsApplyHelperPrivate::replaceRefColors(const QString &path)
{
    {
        // Nobody examines these results: each file is written once, here.
        const DeferredSync once;
        writeSchemeReferences(KConfigGroup(ConfigFiles::openScheme(path), wmGroup));
    }
    palette->sync();
}

void CurrentColorsApplyHelperPrivate::writeSchemeReferences(const KConfigGroup &group)
{
    IThemeSettings *settings = q->settings();
    for (const SchemeEntry &entry : schemeEntries) {
        // A missing or unusable entry gives black.
        const QString colour = QColor(ColorUtils::getColorName(group.readEntry(entry.name, QString()))).name();
        const QString textColour = QColor(QString::fromUtf8(textColorFor(colour.toUtf8().constData()).c_str())).name();
        for (const Reference &reference : entry.references) {
            settings->write(QString::fromLatin1(reference.key), reference.shade == Colour ? colour : textColour);
        }
        if (entry.paletteKey) {
            palette->write(QString::fromLatin1(entry.paletteKey), colour);
        }
    }
    settings->write(QStringLiteral("IconStringColor"), QStringLiteral("white"));
}

bool CurrentColorsApplyHelperPrivate::applyPaletteColor(const QString &key, const QString &color)
{
    if (!QColor(color).isValid()) {
        return false;
    }
    if (!palette->write(key, color)) {
        return false;
    }
    palette->sync();
    return Utils::updatePexoWmVariable(key, color);
}

CurrentColorsApplyHelper::CurrentColorsApplyHelper(IThemeSettings *settings)
    : BaseColorsApplyHelper(settings)
    , d(new CurrentColorsApplyHelperPrivate(this))
{
}

CurrentColorsApplyHelper::~CurrentColorsApplyHelper() = default;

void CurrentColorsApplyHelperPrivate::restartPanels()
{
    // "/usr/bin/killall pexo-start-panel" and "/usr/bin/pexo-vkbd --update".
    runProgram("/usr/bin/killall", {"pexo-start-panel"});
    runProgram("/usr/bin/pexo-vkbd", {"--update"});
}

void CurrentColorsApplyHelper::expectColorSchemePath(const QString &path)
{
    d->expectedScheme = path;
    d->expectedReplaces = replacesReferences(path);
    d->restartPending = false;
}

bool CurrentColorsApplyHelper::applyPrimaryColor(const QString &color)
{
    if (!d->applyPaletteColor(ThemeDefaults::PrimaryColor.key, color)) {
        return false;
    }
    if (d->expectedReplaces) {
        d->restartPending = true;
    } else {
        CurrentColorsApplyHelperPrivate::restartPanels();
    }
    return true;
}

bool CurrentColorsApplyHelper::applyBackgroundColor(const QString &color)
{
    return d->applyPaletteColor(ThemeDefaults::BackgroundColor.key, color);
}

bool CurrentColorsApplyHelper::applyColorSchemePath(const QString &path)
{
    const bool replaces = path == d->expectedScheme ? d->expectedReplaces : replacesReferences(path);
    const bool restartPending = d->restartPending;
    d->expectedScheme.clear();
    d->expectedReplaces = d->restartPending = false;
    if (replaces) {
        d->replaceRefColors(path);
        CurrentColorsApplyHelperPrivate::restartPanels();
    } else {
        if (restartPending) {
            CurrentColorsApplyHelperPrivate::restartPanels();
        }
        d->restoreRefColors();
    }

    const QColor background(d->palette->read(ThemeDefaults::BackgroundColor.key, ThemeDefaults::BackgroundColor.defaultValue).toString());
    const QColor primary(d->palette->read(ThemeDefaults::PrimaryColor.key, ThemeDefaults::PrimaryColor.defaultValue).toString());
    ColorUtils::writeQtPalette(path, primary, background, true);

    sendSignal(QStringLiteral("/BreezeStyle"), QStringLiteral("org.kde.Breeze.Style"), QStringLiteral("reparseConfiguration"));
    Utils::updateQtSettingsStamp();
    sendSignal(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged"), {0});

    d->palette->write(ThemeDefaults::ColorScheme.key, path);
    d->palette->sync();
    Utils::updatePexoWmVariable(ThemeDefaults::ColorScheme.key, path);
    return true;
}
