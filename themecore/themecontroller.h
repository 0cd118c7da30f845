#ifndef THEMECONTROLLER_H
#define THEMECONTROLLER_H

#include "theme.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class ThemeControllerPrivate;

// The installed themes of the user and the system, the session's current
// theme (kept in the record file "pexo-admin-themerc") and the live settings.
// A theme directory whose index.theme or theme/themerc is larger than its
// kind allows (ThemeDescriptions::sizeLimit) holds no theme.
class ThemeController : public QObject
{
    Q_OBJECT
public:
    explicit ThemeController(QObject *parent = nullptr);
    ~ThemeController() override;

    // The recorded current theme; its values are read by the caller.
    std::shared_ptr<Theme> currentTheme() const;
    // The live settings of the session.
    std::shared_ptr<Theme> systemTheme() const;
    const QString &currentThemeId() const;
    // Whether the record, read again, still names that theme: another
    // program may have switched since.
    bool isCurrentThemeRecorded() const;

    // A new Theme for every known id, in ascending id order.
    std::vector<std::shared_ptr<Theme>> availableThemes() const;
    // The same, one at a time: a theme the visitor does not keep is gone
    // before the next is made.
    void visitThemes(const std::function<void(const std::shared_ptr<Theme> &)> &visit) const;
    // A new Theme for the id, or null when the id is unknown.
    std::shared_ptr<Theme> theme(const QString &id) const;
    // The first theme, in ascending id order, whose settings (read) equal
    // those the reference holds; null when none does. Themes whose files
    // rule that out are not read.
    std::shared_ptr<Theme> equalTheme(const std::shared_ptr<Theme> &reference) const;

    // Records the theme, reads it and pushes it into the live settings.
    void setCurrentTheme(const QString &id);
    // Removes a writable user theme's directory and forgets its id.
    void removeTheme(const QString &id);
    // A new user theme called name with the settings of the theme baseId;
    // null (and error()) on failure.
    std::shared_ptr<Theme> createTheme(const QString &name, const QString &baseId);
    // Adds the ids of theme directories that appeared since the last scan,
    // and forgets those of listed ones whose files grew larger since.
    void updateAvailableThemes();

Q_SIGNALS:
    void error(const QString &message);

private:
    friend class ThemeControllerPrivate;
    std::unique_ptr<ThemeControllerPrivate> const d;
};

#endif
