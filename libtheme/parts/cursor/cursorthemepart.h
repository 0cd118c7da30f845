#ifndef CURSORTHEMEPART_H
#define CURSORTHEMEPART_H

#include "ithemepart.h"

#include <QString>

#include <memory>

class CursorThemePartPrivate;

// The mouse-cursor settings of a theme: the X cursor theme's name and the
// cursor size (-1: the default size).
class PEXOTHEME_EXPORT CursorThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(QString currentTheme READ currentTheme WRITE setCurrentTheme NOTIFY currentThemeChanged)
    Q_PROPERTY(int currentSize READ currentSize WRITE setCurrentSize NOTIFY currentSizeChanged)
public:
    explicit CursorThemePart(QObject *parent = nullptr);
    ~CursorThemePart() override;

    const QString &currentTheme() const;
    void setCurrentTheme(const QString &theme);

    int currentSize() const;
    void setCurrentSize(int size);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const CursorThemePart &other) const;

Q_SIGNALS:
    void currentThemeChanged();
    void currentSizeChanged();

private:
    std::unique_ptr<CursorThemePartPrivate> const d;
};

#endif
