#ifndef DESKTOPTHEMEPART_H
#define DESKTOPTHEMEPART_H

#include "ithemepart.h"

#include <memory>

class DesktopThemePartPrivate;

// Desktop switches: the drag-and-drop indication, adaptive icon caption
// colours, and the trash and computer shortcuts on the desktop.
class PEXOTHEME_EXPORT DesktopThemePart : public IThemePart
{
    Q_OBJECT
    // Each value, for the code that handles a part's values alike.
    Q_PROPERTY(bool showDragNDropIndication READ showDragNDropIndication WRITE setShowDragNDropIndication NOTIFY showDragNDropIndicationChanged)
    Q_PROPERTY(bool adaptiveIconStringColor READ adaptiveIconStringColor WRITE setAdaptiveIconStringColor NOTIFY adaptiveIconStringColorChanged)
    Q_PROPERTY(bool showTrashOnDesktop READ showTrashOnDesktop WRITE setShowTrashOnDesktop NOTIFY showTrashOnDesktopChanged)
    Q_PROPERTY(bool showComputerOnDesktop READ showComputerOnDesktop WRITE setShowComputerOnDesktop NOTIFY showComputerOnDesktopChanged)
public:
    explicit DesktopThemePart(QObject *parent = nullptr);
    ~DesktopThemePart() override;

    bool showDragNDropIndication() const;
    bool adaptiveIconStringColor() const;
    bool showTrashOnDesktop() const;
    bool showComputerOnDesktop() const;

    void setShowDragNDropIndication(bool show);
    void setAdaptiveIconStringColor(bool adaptive);
    void setShowTrashOnDesktop(bool show);
    void setShowComputerOnDesktop(bool show);

    void apply(IApplyHelper *helper) override;
    void read(IReadHelper *helper) override;
    void defaults() override;
    bool hasChanges(IReadHelper *helper) const override;
    void copyFrom(IThemePart *other) override;

    bool operator==(const DesktopThemePart &other) const;

Q_SIGNALS:
    void showDragNDropIndicationChanged();
    void adaptiveIconStringColorChanged();
    void showTrashOnDesktopChanged();
    void showComputerOnDesktopChanged();

private:
    std::unique_ptr<DesktopThemePartPrivate> const d;
};

#endif
