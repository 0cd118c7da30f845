#ifndef THEMEDECORATOR_H
#define THEMEDECORATOR_H

#include "themecontroller.h"

#include <QString>

#include <memory>

class ThemeDecoratorPrivate;

// Mix-in of the settings modules: a theme registry of their own, the map of
// module properties to settings keys and the shared save logic.
class ThemeDecorator
{
public:
    ThemeDecorator();
    virtual ~ThemeDecorator();

    ThemeDecorator(const ThemeDecorator &) = delete;
    ThemeDecorator &operator=(const ThemeDecorator &) = delete;

    // Recomputes the module's need-to-save state; called when saving as a
    // new theme is cancelled.
    virtual void updateNeedSave();
    // Saves the live settings into the current theme and applies both.
    virtual void apply();

    void registerProperty(const QString &property, const QString &key);
    // The registered key, or the property name itself.
    QString keyForProperty(const QString &property) const;
    // True when the administrator's master file fixes the property's key.
    bool isPropertyImmutable(const QString &property) const;

    // Asks for a name with "pexo-dialog", creates that theme from the
    // current one with the live settings and makes it current.
    void createNewThemeBasedOnCurrent();
    // True when "trelk-id --ilevel" reports a high integrity level.
    bool mandatoryIntegrityControl() const;

protected:
    ThemeController *const controller;

private:
    std::unique_ptr<ThemeDecoratorPrivate> const d;
};

#endif
