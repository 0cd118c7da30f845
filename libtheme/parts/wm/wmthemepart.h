#ifndef WMTHEMEPART_H
#define WMTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class WmThemePartPrivate;

// Window-manager behaviour: keyboard layouts per window, opaque moving and
// resizing, snapping, window placement, centred titles and snap behaviour.
class PEXOTHEME_EXPORT WmThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(bool ownKeyboardLayoutForWindows READ ownKeyboardLayoutForWindows WRITE setOwnKeyboardLayoutForWindows NOTIFY ownKeyboardLayoutForWindowsChanged)
    Q_PROPERTY(
        bool baseKeyboardLayoutForWindows READ baseKeyboardLayoutForWindows WRITE setBaseKeyboardLayoutForWindows NOTIFY baseKeyboardLayoutForWindowsChanged)
    Q_PROPERTY(bool opaqueMoveEnabled READ opaqueMoveEnabled WRITE setOpaqueMoveEnabled NOTIFY opaqueMoveEnabledChanged)
    Q_PROPERTY(bool opaqueResizeEnabled READ opaqueResizeEnabled WRITE setOpaqueResizeEnabled NOTIFY opaqueResizeEnabledChanged)
    Q_PROPERTY(bool snappingMoveEnabled READ snappingMoveEnabled WRITE setSnappingMoveEnabled NOTIFY snappingMoveEnabledChanged)
    Q_PROPERTY(bool snappingResizeEnabled READ snappingResizeEnabled WRITE setSnappingResizeEnabled NOTIFY snappingResizeEnabledChanged)
    Q_PROPERTY(QString defaultWindowPlacement READ defaultWindowPlacement WRITE setDefaultWindowPlacement NOTIFY defaultWindowPlacementChanged)
    Q_PROPERTY(bool smartPlacementEnabled READ smartPlacementEnabled WRITE setSmartPlacementEnabled NOTIFY smartPlacementEnabledChanged)
    Q_PROPERTY(bool titlebarStringCentered READ titlebarStringCentered WRITE setTitlebarStringCentered NOTIFY titlebarStringCenteredChanged)
    Q_PROPERTY(bool snapTopMaximize READ snapTopMaximize WRITE setSnapTopMaximize NOTIFY snapTopMaximizeChanged)
    Q_PROPERTY(bool restoreSizeAfterSnap READ restoreSizeAfterSnap WRITE setRestoreSizeAfterSnap NOTIFY restoreSizeAfterSnapChanged)
    Q_PROPERTY(bool resizeAllSnap READ resizeAllSnap WRITE setResizeAllSnap NOTIFY resizeAllSnapChanged)
public:
    explicit WmThemePart(QObject *parent = nullptr);
    ~WmThemePart() override;

    bool ownKeyboardLayoutForWindows() const;
    bool baseKeyboardLayoutForWindows() const;
    bool opaqueMoveEnabled() const;
    bool opaqueResizeEnabled() const;
    bool snappingMoveEnabled() const;
    bool snappingResizeEnabled() const;
    const QString &defaultWindowPlacement() const;
    bool smartPlacementEnabled() const;
    bool titlebarStringCentered() const;
    bool snapTopMaximize() const;
    bool restoreSizeAfterSnap() const;
    bool resizeAllSnap() const;

    void setOwnKeyboardLayoutForWindows(bool enabled);
    void setBaseKeyboardLayoutForWindows(bool enabled);
    void setOpaqueMoveEnabled(bool enabled);
    void setOpaqueResizeEnabled(bool enabled);
    void setSnappingMoveEnabled(bool enabled);
    void setSnappingResizeEnabled(bool enabled);
    void setDefaultWindowPlacement(const QString &placement);
    void setSmartPlacementEnabled(bool enabled);
    void setTitlebarStringCentered(bool centered);
    void setSnapTopMaximize(bool enabled);
    void setRestoreSizeAfterSnap(bool enabled);
    void setResizeAllSnap(bool enabled);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const WmThemePart &other) const;

Q_SIGNALS:
    void ownKeyboardLayoutForWindowsChanged();
    void baseKeyboardLayoutForWindowsChanged();
    void opaqueMoveEnabledChanged();
    void opaqueResizeEnabledChanged();
    void snappingMoveEnabledChanged();
    void snappingResizeEnabledChanged();
    void defaultWindowPlacementChanged();
    void smartPlacementEnabledChanged();
    void titlebarStringCenteredChanged();
    void snapTopMaximizeChanged();
    void restoreSizeAfterSnapChanged();
    void resizeAllSnapChanged();

private:
    std::unique_ptr<WmThemePartPrivate> const d;
};

#endif
