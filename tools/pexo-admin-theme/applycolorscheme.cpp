#include "applycolorscheme.h"

#include <colorsthemepart.h>
#include <configfiles.h>
#include <theme.h>
#include <themedefaults.h>
#include <themefiles.h>

#include <QDateTime>
#include <QFileInfo>

#include <cstdio>

namespace {
const QString generatedMarker = QStringLiteral("00-generated-");
}

ApplyColorScheme::ApplyColorScheme() = default;

ApplyColorScheme::~ApplyColorScheme() = default;

void ApplyColorScheme::readThemes()
{
    controller->currentTheme()->read();
    controller->systemTheme()->read();
}

void ApplyColorScheme::setColorScheme(const QString &path)
{
    const auto colors = controller->systemTheme()->colorsThemePart();
    const bool generated = path.contains(generatedMarker);
    if (generated && path == colors->colorSchemePath()) {
        const QByteArray localPath = path.toLocal8Bit();
        if (QFileInfo(path).lastModified() > QFileInfo(ThemeDefaults::currentThemeConfigPath).lastModified()) {
            std::fprintf(stderr, "pexo-admin-theme: the same color scheme %s, but newer than users themerc\n", localPath.constData());
        } else {
            std::fprintf(stderr, "pexo-admin-theme: the same color scheme %s, do nothing\n", localPath.constData());
            return;
        }
    }
    if (generated && colors->colorSchemeType() != QLatin1String("Wallpaper")) {
        colors->setColorSchemeType(QStringLiteral("Wallpaper"));
    }
    colors->setColorSchemePath(path);
}

bool ApplyColorScheme::applyUnlessReadOnly()
{
    // A record that cannot be read names no theme: not the read-only default.
    const QString unreadable = ConfigFiles::unusableFile(ThemeFiles::recordFileName);
    if (!unreadable.isEmpty()) {
        std::fprintf(stderr, "pexo-admin-theme: Could not read %s\n", qPrintable(unreadable));
        return false;
    }
    if (controller->currentTheme()->isReadOnly()) {
        std::fprintf(stderr, "pexo-admin-theme: you can't select new color scheme while current theme is readonly.\n");
        std::fprintf(stderr, "pexo-admin-theme: Create new theme first.\n");
        return true;
    }
    bool saved = true;
    const QMetaObject::Connection connection = QObject::connect(controller, &ThemeController::error, [&saved](const QString &message) {
        std::fprintf(stderr, "pexo-admin-theme: %s\n", message.toLocal8Bit().constData());
        saved = false;
    });
    apply();
    QObject::disconnect(connection);
    return saved;
}

bool ApplyColorScheme::hasSystemThemeChanges() const
{
    return controller->systemTheme()->hasChanges();
}
