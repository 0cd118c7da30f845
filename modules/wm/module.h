#ifndef MODULE_H
#define MODULE_H

#include "placement.h"

#include <behaviourframe.h>
#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

// The window-manager page: keyboard layouts per window, opaque moving and
// resizing, snapping, placement of new windows and the title text.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(bool keyboardPerWindow READ keyboardPerWindow WRITE setKeyboardPerWindow NOTIFY keyboardPerWindowChanged)
    Q_PROPERTY(bool keyboardForNewWindow READ keyboardForNewWindow WRITE setKeyboardForNewWindow NOTIFY keyboardForNewWindowChanged)
    Q_PROPERTY(bool opaqueMove READ opaqueMove WRITE setOpaqueMove NOTIFY opaqueMoveChanged)
    Q_PROPERTY(bool opaqueMoveEnabled READ opaqueMoveEnabled NOTIFY opaqueMoveEnabledChanged)
    Q_PROPERTY(bool opaqueResize READ opaqueResize WRITE setOpaqueResize NOTIFY opaqueResizeChanged)
    Q_PROPERTY(bool opaqueResizeEnabled READ opaqueResizeEnabled NOTIFY opaqueResizeEnabledChanged)
    Q_PROPERTY(bool snappingMoving READ snappingMoving WRITE setSnappingMoving NOTIFY snappingMovingChanged)
    Q_PROPERTY(bool snappingResize READ snappingResize WRITE setSnappingResize NOTIFY snappingResizeChanged)
    Q_PROPERTY(Placement::Value placement READ placement WRITE setPlacement NOTIFY placementChanged)
    Q_PROPERTY(bool smartPlacement READ smartPlacement WRITE setSmartPlacement NOTIFY smartPlacementChanged)
    Q_PROPERTY(bool titlebarStringCentered READ titlebarStringCentered WRITE setTitlebarStringCentered NOTIFY titlebarStringCenteredChanged)
    Q_PROPERTY(bool snapTopMaximize READ snapTopMaximize WRITE setSnapTopMaximize NOTIFY snapTopMaximizeChanged)
    Q_PROPERTY(bool restoreSizeAfterSnap READ restoreSizeAfterSnap WRITE setRestoreSizeAfterSnap NOTIFY restoreSizeAfterSnapChanged)
    Q_PROPERTY(bool resizeAllSnap READ resizeAllSnap WRITE setResizeAllSnap NOTIFY resizeAllSnapChanged)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    bool keyboardPerWindow() const;
    void setKeyboardPerWindow(bool enabled);
    bool keyboardForNewWindow() const;
    void setKeyboardForNewWindow(bool enabled);
    bool opaqueMove() const;
    void setOpaqueMove(bool enabled);
    // Always true.
    bool opaqueMoveEnabled() const;
    bool opaqueResize() const;
    void setOpaqueResize(bool enabled);
    // Always true.
    bool opaqueResizeEnabled() const;
    bool snappingMoving() const;
    void setSnappingMoving(bool enabled);
    bool snappingResize() const;
    void setSnappingResize(bool enabled);
    Placement::Value placement() const;
    void setPlacement(Placement::Value placement);
    bool smartPlacement() const;
    void setSmartPlacement(bool enabled);
    bool titlebarStringCentered() const;
    void setTitlebarStringCentered(bool centered);
    bool snapTopMaximize() const;
    void setSnapTopMaximize(bool enabled);
    bool restoreSizeAfterSnap() const;
    void setRestoreSizeAfterSnap(bool enabled);
    bool resizeAllSnap() const;
    void setResizeAllSnap(bool enabled);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void keyboardPerWindowChanged();
    void keyboardForNewWindowChanged();
    void opaqueMoveChanged();
    void opaqueMoveEnabledChanged();
    void opaqueResizeChanged();
    void opaqueResizeEnabledChanged();
    void snappingMovingChanged();
    void snappingResizeChanged();
    void placementChanged();
    void smartPlacementChanged();
    void titlebarStringCenteredChanged();
    void snapTopMaximizeChanged();
    void restoreSizeAfterSnapChanged();
    void resizeAllSnapChanged();
    // A file of the settings could not be written on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    BehaviourFrame frame;
};

#endif
