#ifndef EFFECTSTHEMEPART_H
#define EFFECTSTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class EffectsThemePartPrivate;

// Compositing and window effects: the preview setting, the compositor
// program, compositing on or off, shadows for the active window only, and
// six options of the compositor itself.
class PEXOTHEME_EXPORT EffectsThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(bool preview READ preview WRITE setPreview NOTIFY previewChanged)
    Q_PROPERTY(QString compositeManager READ compositeManager WRITE setCompositeManager NOTIFY compositeManagerChanged)
    Q_PROPERTY(bool effectsEnabled READ effectsEnabled WRITE setEffectsEnabled NOTIFY effectsEnabledChanged)
    Q_PROPERTY(bool transparencyEnabled READ transparencyEnabled WRITE setTransparencyEnabled NOTIFY transparencyEnabledChanged)
    Q_PROPERTY(bool shadowEnabled READ shadowEnabled WRITE setShadowEnabled NOTIFY shadowEnabledChanged)
    Q_PROPERTY(bool shadowsForActiveEnabled READ shadowsForActiveEnabled WRITE setShadowsForActiveEnabled NOTIFY shadowsForActiveEnabledChanged)
    Q_PROPERTY(bool roundedCornersEnabled READ roundedCornersEnabled WRITE setRoundedCornersEnabled NOTIFY roundedCornersEnabledChanged)
    Q_PROPERTY(bool verticalSyncronizationEnabled READ verticalSyncronizationEnabled WRITE setVerticalSyncronizationEnabled NOTIFY
                   verticalSyncronizationEnabledChanged)
    Q_PROPERTY(bool windowAnimationsEnabled READ windowAnimationsEnabled WRITE setWindowAnimationsEnabled NOTIFY windowAnimationsEnabledChanged)
    Q_PROPERTY(bool windowFadingEnabled READ windowFadingEnabled WRITE setWindowFadingEnabled NOTIFY windowFadingEnabledChanged)
public:
    explicit EffectsThemePart(QObject *parent = nullptr);
    ~EffectsThemePart() override;

    bool preview() const;
    const QString &compositeManager() const;
    bool effectsEnabled() const;
    bool transparencyEnabled() const;
    bool shadowEnabled() const;
    bool shadowsForActiveEnabled() const;
    bool roundedCornersEnabled() const;
    bool verticalSyncronizationEnabled() const;
    bool windowAnimationsEnabled() const;
    bool windowFadingEnabled() const;

    void setPreview(bool preview);
    // Emits compositeManagerChanged() only, never changed().
    void setCompositeManager(const QString &compositeManager);
    void setEffectsEnabled(bool enabled);
    void setTransparencyEnabled(bool enabled);
    void setShadowEnabled(bool enabled);
    void setShadowsForActiveEnabled(bool enabled);
    void setRoundedCornersEnabled(bool enabled);
    void setVerticalSyncronizationEnabled(bool enabled);
    void setWindowAnimationsEnabled(bool enabled);
    void setWindowFadingEnabled(bool enabled);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    // Compares everything but the preview setting.
    bool operator==(const EffectsThemePart &other) const;

Q_SIGNALS:
    void previewChanged();
    void compositeManagerChanged();
    void effectsEnabledChanged();
    void transparencyEnabledChanged();
    void shadowEnabledChanged();
    void shadowsForActiveEnabledChanged();
    void roundedCornersEnabledChanged();
    void verticalSyncronizationEnabledChanged();
    void windowAnimationsEnabledChanged();
    void windowFadingEnabledChanged();

private:
    std::unique_ptr<EffectsThemePartPrivate> const d;
};

#endif
