#ifndef ICONTHEMEPART_H
#define ICONTHEMEPART_H

#include "ithemepart.h"

#include <QString>

#include <memory>

class IconThemePartPrivate;

// The icon settings of a theme: the icon theme's name and whether toolbar and
// taskbar (tray) icons are drawn monochrome.
class PEXOTHEME_EXPORT IconThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(QString currentTheme READ currentTheme WRITE setCurrentTheme NOTIFY currentThemeChanged)
    Q_PROPERTY(bool isToolbarMonochrome READ isToolbarMonochrome WRITE setIsToolbarMonochrome NOTIFY isToolbarMonochromeChanged)
    Q_PROPERTY(bool isTaskbarMonochrome READ isTaskbarMonochrome WRITE setIsTaskbarMonochrome NOTIFY isTaskbarMonochromeChanged)
public:
    explicit IconThemePart(QObject *parent = nullptr);
    ~IconThemePart() override;

    const QString &currentTheme() const;
    void setCurrentTheme(const QString &theme);

    bool isToolbarMonochrome() const;
    void setIsToolbarMonochrome(bool monochrome);

    bool isTaskbarMonochrome() const;
    void setIsTaskbarMonochrome(bool monochrome);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const IconThemePart &other) const;

Q_SIGNALS:
    void currentThemeChanged();
    void isToolbarMonochromeChanged();
    void isTaskbarMonochromeChanged();

private:
    std::unique_ptr<IconThemePartPrivate> const d;
};

#endif
