/*
    The one table of settings paths, command formats, locations, keys and
    defaults shared by every program of the system. It is compiled into each
    program that includes it; the computed paths are evaluated once, when the
    program or library is loaded.
*/
#ifndef THEMEDEFAULTS_H
#define THEMEDEFAULTS_H

#include <QDir>
#include <QString>

#include <pexodirs.h>

namespace ThemeDefaults {
namespace Detail {
inline QString pexoDir(PexoDir kind)
{
    return QString::fromUtf8(GetPexoDir(kind).c_str());
}

inline QString sessionSuffix()
{
    return QString::fromUtf8(pexoSessionConfigSuffix(PexoCurrentSession).c_str());
}
} // namespace Detail

// A settings key with its default text and, for the palette keys, the
// default of an administrator session.
struct Entry
{
    QString key;
    QString defaultValue;
    QString adminDefaultValue = QString();
};

// Computed paths
inline const QString currentThemeConfigPath = Detail::pexoDir(PexoSessionConfigDir) + QStringLiteral("/current.themerc") + Detail::sessionSuffix();
inline const QString defaultThemeConfigPath = Detail::pexoDir(PexoSessionConfigDir) + QStringLiteral("/default.themerc") + Detail::sessionSuffix();
inline const QString masterThemeConfigPath = Detail::pexoDir(PexoSystemDataDir) + QStringLiteral("/theme.master/themerc");
inline const QString paletteConfigPath = Detail::pexoDir(PexoUserConfigDir) + QStringLiteral("/paletterc");
inline const QString adminSessionAppliedPath = Detail::pexoDir(PexoSessionConfigDir) + QStringLiteral("/.admin-session-applied");
inline const QString userThemesDir = QDir::homePath() + QStringLiteral("/.local/share/pexothemes");

// Fixed texts
inline const QString wmUpdateVariableFormat = QStringLiteral("PEXOWM_UPDATE_VAL %1 %2\n");
inline const QString themeVariablesGroup = QStringLiteral("Variables");
// The group of a theme's description file index.theme
inline const QString themeDescriptionGroup = QStringLiteral("Pexo Theme");
inline const QString systemThemesDir = QStringLiteral("/usr/share/pexothemes");
inline const QString userColorSchemeName = QStringLiteral("User.colors");
inline const QString darkColorSchemeName = QStringLiteral("UlvarDark.colors");
inline const QString darkColorSchemePath = QStringLiteral("/usr/share/color-schemes/UlvarDark.colors");
inline const QString lightColorSchemeName = QStringLiteral("UlvarLight.colors");
inline const QString lightColorSchemePath = QStringLiteral("/usr/share/color-schemes/UlvarLight.colors");
inline const QString adminColorSchemeName = QStringLiteral("UlvarTornelAdmin.colors");
inline const QString adminColorSchemePath = QStringLiteral("/usr/share/color-schemes/UlvarTornelAdmin.colors");
inline const QString defaultThemeId = QStringLiteral("UlvarTornelLight");
inline const QString defaultThemeIndexPath = QStringLiteral("/usr/share/pexothemes/UlvarTornelLight/index.theme");
inline const QString adminThemeId = QStringLiteral("UlvarTornelAdmin");
inline const QString adminThemeConfigPath = QStringLiteral("/usr/share/pexothemes/UlvarTornelAdmin/theme/themerc");
inline const QString darkWallpaperPath = QStringLiteral("/usr/share/wallpapers/pexo-default-dark.jpg");
inline const QString lightWallpaperPath = QStringLiteral("/usr/share/wallpapers/pexo-default-light.jpg");

#define PEXO_THEME_KEY(name, ...) inline const Entry name{QStringLiteral(#name), __VA_ARGS__};

// Colours
PEXO_THEME_KEY(SchemeType, QStringLiteral("System"))
PEXO_THEME_KEY(ColorScheme, lightColorSchemePath, adminColorSchemePath)
PEXO_THEME_KEY(WallPaperColorScheme, QStringLiteral("none"))
PEXO_THEME_KEY(PrimaryColor, QStringLiteral("#118bcc"), QStringLiteral("#f34444"))
PEXO_THEME_KEY(BackgroundColor, QStringLiteral("#ffffff"), QStringLiteral("#2d2d2d"))
PEXO_THEME_KEY(CustomSchemeDark, QStringLiteral("false"))
PEXO_THEME_KEY(IconStringColor, QStringLiteral("#ffffff"))

// Cursor
PEXO_THEME_KEY(CursorTheme, QStringLiteral("default"))
PEXO_THEME_KEY(CursorSize, QStringLiteral("-1"))

// Icons
PEXO_THEME_KEY(IconTheme, QStringLiteral("ulvar-tornel"))
PEXO_THEME_KEY(useSymbolicIconsForToolBar, QStringLiteral("true"))
PEXO_THEME_KEY(UseTrayIconTheme, QStringLiteral("true"))
PEXO_THEME_KEY(DecorTheme, QString())

// Sounds
PEXO_THEME_KEY(EnableSound, QStringLiteral("false"))
PEXO_THEME_KEY(SoundTheme, QString())
PEXO_THEME_KEY(EnableAlsa, QStringLiteral("false"))
PEXO_THEME_KEY(MenuPopupSound, QString())
PEXO_THEME_KEY(MenuCommandSound, QString())
PEXO_THEME_KEY(OpenSound, QString())
PEXO_THEME_KEY(CloseSound, QString())
PEXO_THEME_KEY(RestoreUpSound, QString())
PEXO_THEME_KEY(RestoreDownSound, QString())
PEXO_THEME_KEY(MinimizeSound, QString())
PEXO_THEME_KEY(MaximizeSound, QString())
PEXO_THEME_KEY(SystemStartSound, QStringLiteral("x-pexo-wm-chimes.wav"))
PEXO_THEME_KEY(SystemExitSound, QStringLiteral("x-pexo-wm-chimes.wav"))
PEXO_THEME_KEY(SystemLockSound, QStringLiteral("x-pexo-wm-chimes.wav"))
PEXO_THEME_KEY(LockerBellSound, QStringLiteral("x-pexo-wm-error.wav"))
PEXO_THEME_KEY(ErrorDialogSound, QStringLiteral("x-pexo-wm-error.wav"))
PEXO_THEME_KEY(ForceTrayMessageSound, QStringLiteral("x-pexo-wm-tooltip.wav"))
PEXO_THEME_KEY(OSDNotifySound, QStringLiteral("x-pexo-wm-tooltip.wav"))
PEXO_THEME_KEY(BaseKbSound, QString())
PEXO_THEME_KEY(AltKbSound, QString())

// Wallpaper and logo
PEXO_THEME_KEY(WallPaper, lightWallpaperPath)
PEXO_THEME_KEY(WallPaperPos, QStringLiteral("Crop"))
PEXO_THEME_KEY(WallPaperPeriod, QStringLiteral("0"))
PEXO_THEME_KEY(WallPaperForCurrentDesktop, QStringLiteral("false"))
PEXO_THEME_KEY(WallPaperForCurrentScreen, QStringLiteral("false"))
PEXO_THEME_KEY(LogoPixmap, QStringLiteral("/usr/share/wallpapers/logo/ulvar_logo_dark.svg"))
PEXO_THEME_KEY(LogoPosition, QStringLiteral("BottomRight"))
PEXO_THEME_KEY(DesktopColor, QStringLiteral("blue"))

// Effects and compositor
PEXO_THEME_KEY(UseComposite, QStringLiteral("true"))
PEXO_THEME_KEY(CompositeManager, QStringLiteral("/usr/bin/compton"))
PEXO_THEME_KEY(ThumbSize, QStringLiteral("-1"))
PEXO_THEME_KEY(FocusShadow, QStringLiteral("-100"))
PEXO_THEME_KEY(CompositorShadowsEnabled, QStringLiteral("false"))
PEXO_THEME_KEY(CompositorTransparencyEnabled, QStringLiteral("true"))
PEXO_THEME_KEY(CompositorRoundedCornersEnabled, QStringLiteral("true"))
PEXO_THEME_KEY(CompositorVerticalSyncronizationEnabled, QStringLiteral("true"))
PEXO_THEME_KEY(CompositorWindowAnimationsEnabled, QStringLiteral("false"))
PEXO_THEME_KEY(CompositorWindowFadingEnabled, QStringLiteral("false"))
PEXO_THEME_KEY(MenuTransparency, QStringLiteral("0"))
PEXO_THEME_KEY(MenuTransparency2, QStringLiteral("0"))

// Window-manager animation and timing
PEXO_THEME_KEY(StartMenuMapSpeed, QStringLiteral("0"))
PEXO_THEME_KEY(ArrangeWindowSpeed, QStringLiteral("0"))
PEXO_THEME_KEY(GradWindowMapSpeed, QStringLiteral("0"))
PEXO_THEME_KEY(GradWindowMapStyle, QStringLiteral("Normal"))
PEXO_THEME_KEY(MenuDelayTime, QStringLiteral("300"))
PEXO_THEME_KEY(MenuDelayTime2, QStringLiteral("300"))
PEXO_THEME_KEY(GradMenuMapSpeed, QStringLiteral("0"))
PEXO_THEME_KEY(GradTaskbarMotionSpeed, QStringLiteral("0"))
PEXO_THEME_KEY(TaskbarShowDelay, QStringLiteral("500"))
PEXO_THEME_KEY(TaskbarHideDelay, QStringLiteral("500"))
PEXO_THEME_KEY(PagingBeltSize, QStringLiteral("0"))
PEXO_THEME_KEY(PagingResistance, QStringLiteral("1500"))
PEXO_THEME_KEY(PagingSpeed, QStringLiteral("30"))
PEXO_THEME_KEY(PagingShiftCursor, QStringLiteral("200"))

// Window manager
PEXO_THEME_KEY(OwnKbPerWindow, QStringLiteral("false"))
PEXO_THEME_KEY(BaseKbForNewWindow, QStringLiteral("false"))
PEXO_THEME_KEY(OpaqueMove, QStringLiteral("true"))
PEXO_THEME_KEY(OpaqueResize, QStringLiteral("true"))
PEXO_THEME_KEY(SnappingMoving, QStringLiteral("true"))
PEXO_THEME_KEY(SnappingResize, QStringLiteral("true"))
PEXO_THEME_KEY(DefaultPlacement, QStringLiteral("NorthWest"))
PEXO_THEME_KEY(SmartPlacement, QStringLiteral("true"))
PEXO_THEME_KEY(TitlebarStringCenter, QStringLiteral("false"))
PEXO_THEME_KEY(SnapTopMaximize, QStringLiteral("true"))
PEXO_THEME_KEY(RestoreSizeAfterSnap, QStringLiteral("true"))
PEXO_THEME_KEY(ResizeAllSnap, QStringLiteral("true"))

// Taskbar
PEXO_THEME_KEY(TaskbarPosition, QStringLiteral("Bottom"))
PEXO_THEME_KEY(NoTaskbarButtonName, QStringLiteral("false"))
PEXO_THEME_KEY(UsePager, QStringLiteral("true"))
PEXO_THEME_KEY(TaskbarButtonCombine, QStringLiteral("false"))
PEXO_THEME_KEY(MultiTaskbar, QStringLiteral("false"))
PEXO_THEME_KEY(SwitcherAllPages, QStringLiteral("true"))
PEXO_THEME_KEY(BaseKbImage, QString())
PEXO_THEME_KEY(AltKbImage, QString())
PEXO_THEME_KEY(UseStartButton, QStringLiteral("false"))

// Desktop
PEXO_THEME_KEY(DnDIndicationOnDesktop, QStringLiteral("true"))
PEXO_THEME_KEY(AdaptiveIconStringColor, QStringLiteral("true"))
PEXO_THEME_KEY(OneClickRun, QStringLiteral("false"))

// Sizes
PEXO_THEME_KEY(TaskbarHeight, QStringLiteral("-1"))
PEXO_THEME_KEY(FrameTitleHeight, QStringLiteral("-1"))
PEXO_THEME_KEY(FrameBorderWidth, QStringLiteral("-1"))
PEXO_THEME_KEY(DesktopIconSize, QStringLiteral("-1"))

// Screen saver and locker
PEXO_THEME_KEY(ScreenSaverDelay, QStringLiteral("600"))
PEXO_THEME_KEY(LockerDpmsOffTimeout, QStringLiteral("60"))
PEXO_THEME_KEY(LockerOnDPMS, QStringLiteral("true"))
PEXO_THEME_KEY(LockerOnSleep, QStringLiteral("true"))
PEXO_THEME_KEY(LockerOnSwitch, QStringLiteral("true"))
PEXO_THEME_KEY(LockerOnLid, QStringLiteral("true"))
PEXO_THEME_KEY(ScreenSaverStartOnDPMSDelay, QStringLiteral("3"))
PEXO_THEME_KEY(LockerWrongPasswdTimeout, QStringLiteral("2"))
PEXO_THEME_KEY(LockerBellLevel, QStringLiteral("50"))
PEXO_THEME_KEY(LockerTTYLock, QStringLiteral("true"))
PEXO_THEME_KEY(LockerXaccessLock, QStringLiteral("false"))
PEXO_THEME_KEY(numLockOn, QStringLiteral("false"))

#undef PEXO_THEME_KEY
} // namespace ThemeDefaults

#endif
