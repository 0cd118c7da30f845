#ifndef SIZESTHEMEPART_H
#define SIZESTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class SizesThemePartPrivate;

// Sizes in pixels: taskbar height, window title bar height, window frame
// border width and desktop icon size; -1 leaves the size to the desktop.
class PEXOTHEME_EXPORT SizesThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(int taskbarSize READ taskbarSize WRITE setTaskbarSize NOTIFY taskbarSizeChanged)
    Q_PROPERTY(int windowFrameTitleSize READ windowFrameTitleSize WRITE setWindowFrameTitleSize NOTIFY windowFrameTitleSizeChanged)
    Q_PROPERTY(int windowFrameBorderSize READ windowFrameBorderSize WRITE setWindowFrameBorderSize NOTIFY windowFrameBorderSizeChanged)
    Q_PROPERTY(int desktopIconSize READ desktopIconSize WRITE setDesktopIconSize NOTIFY desktopIconSizeChanged)
public:
    explicit SizesThemePart(QObject *parent = nullptr);
    ~SizesThemePart() override;

    int taskbarSize() const;
    int windowFrameTitleSize() const;
    int windowFrameBorderSize() const;
    int desktopIconSize() const;

    void setTaskbarSize(int size);
    void setWindowFrameTitleSize(int size);
    void setWindowFrameBorderSize(int size);
    void setDesktopIconSize(int size);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const SizesThemePart &other) const;

Q_SIGNALS:
    void taskbarSizeChanged();
    void windowFrameTitleSizeChanged();
    void windowFrameBorderSizeChanged();
    void desktopIconSizeChanged();

private:
    std::unique_ptr<SizesThemePartPrivate> const d;
};

#endif
