#ifndef APPEARANCEFRAME_H
#define APPEARANCEFRAME_H

#include <QString>

namespace KQuickAddons {
class ConfigModule;
}
class ThemeController;
class ThemeDecorator;

// The rules shared by the pages that edit the live theme
// (ThemeController::systemTheme()) and save it into the current theme. A
// Module passes itself and its decorator's controller:
//
//     void Module::save() { AppearanceFrame::save(this, controller); }
//     void Module::updateNeedSave() { AppearanceFrame::updateNeedSave(this, controller); }
namespace AppearanceFrame {
// A read-only current theme is saved as a new theme named by the user
// (createNewThemeBasedOnCurrent); otherwise the decorator's apply() runs,
// the module's own override where it has one.
void save(ThemeDecorator *decorator, ThemeController *controller);

// True when the live theme differs from its stored settings.
bool hasChanges(const ThemeController *controller);

// Passes hasChanges() to a QML page and announces it (in PexoModuleCommon).
void updateNeedSave(KQuickAddons::ConfigModule *module, const ThemeController *controller);

// Makes the colour scheme file at path the palette of this application: the
// first scheme of KDE's list with that path is activated. A path that no
// scheme has leaves the palette as it was. The choice is not written into
// the application's own configuration file.
void activateColorScheme(const QString &path);
} // namespace AppearanceFrame

#endif
