#include "desktopthemepart.h"
#include "abstractdesktopapplyhelper.h"
#include "abstractdesktopreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class DesktopThemePartPrivate
{
public:
    explicit DesktopThemePartPrivate(DesktopThemePart *part)
        : q(part)
    {
    }

    void set(bool &field, bool value, void (DesktopThemePart::*changedSignal)())
    {
        if (field == value) {
            return;
        }
        field = value;
        Q_EMIT(q->*changedSignal)();
    }

    DesktopThemePart *const q;
    // Until the first read() or defaults(): the values of defaults().
    bool showDragNDropIndication = true;
    bool adaptiveIconStringColor = true;
    bool showTrashOnDesktop = true;
    bool showComputerOnDesktop = true;
};

DesktopThemePart::DesktopThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new DesktopThemePartPrivate(this))
{
    for (auto signal : {&DesktopThemePart::showDragNDropIndicationChanged,
                        &DesktopThemePart::adaptiveIconStringColorChanged,
                        &DesktopThemePart::showTrashOnDesktopChanged,
                        &DesktopThemePart::showComputerOnDesktopChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

DesktopThemePart::~DesktopThemePart() = default;

bool DesktopThemePart::showDragNDropIndication() const
{
    return d->showDragNDropIndication;
}

bool DesktopThemePart::adaptiveIconStringColor() const
{
    return d->adaptiveIconStringColor;
}

bool DesktopThemePart::showTrashOnDesktop() const
{
    return d->showTrashOnDesktop;
}

bool DesktopThemePart::showComputerOnDesktop() const
{
    return d->showComputerOnDesktop;
}

void DesktopThemePart::setShowDragNDropIndication(bool show)
{
    PartSettings::assign(this, d->showDragNDropIndication, show, &DesktopThemePart::showDragNDropIndicationChanged);
}

void DesktopThemePart::setAdaptiveIconStringColor(bool adaptive)
{
    PartSettings::assign(this, d->adaptiveIconStringColor, adaptive, &DesktopThemePart::adaptiveIconStringColorChanged);
}

void DesktopThemePart::setShowTrashOnDesktop(bool show)
{
    PartSettings::assign(this, d->showTrashOnDesktop, show, &DesktopThemePart::showTrashOnDesktopChanged);
}

void DesktopThemePart::setShowComputerOnDesktop(bool show)
{
    PartSettings::assign(this, d->showComputerOnDesktop, show, &DesktopThemePart::showComputerOnDesktopChanged);
}

void DesktopThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractDesktopApplyHelper *>(applyHelper);
    helper->applyShowDragNDropIndication(d->showDragNDropIndication);
    helper->applyAdaptiveIconStringColor(d->adaptiveIconStringColor);
    helper->applyShowTrashOnDesktop(d->showTrashOnDesktop);
    helper->applyShowComputerOnDesktop(d->showComputerOnDesktop);
}

void DesktopThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractDesktopReadHelper *>(readHelper);
    setShowDragNDropIndication(helper->readShowDragNDropIndication());
    setAdaptiveIconStringColor(helper->readAdaptiveIconStringColor());
    setShowTrashOnDesktop(helper->readShowTrashOnDesktop());
    setShowComputerOnDesktop(helper->readShowComputerOnDesktop());
}

void DesktopThemePart::defaults()
{
    setShowDragNDropIndication(PartSettings::defaultFlag(ThemeDefaults::DnDIndicationOnDesktop));
    setAdaptiveIconStringColor(PartSettings::defaultFlag(ThemeDefaults::AdaptiveIconStringColor));
    // The shortcuts have no settings key: shown by default.
    setShowTrashOnDesktop(true);
    setShowComputerOnDesktop(true);
}

bool DesktopThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractDesktopReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readShowDragNDropIndication() != d->showDragNDropIndication;
    changes |= helper->readAdaptiveIconStringColor() != d->adaptiveIconStringColor;
    changes |= helper->readShowTrashOnDesktop() != d->showTrashOnDesktop;
    changes |= helper->readShowComputerOnDesktop() != d->showComputerOnDesktop;
    return changes;
}

void DesktopThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const DesktopThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setShowDragNDropIndication(other->showDragNDropIndication());
    setAdaptiveIconStringColor(other->adaptiveIconStringColor());
    setShowTrashOnDesktop(other->showTrashOnDesktop());
    setShowComputerOnDesktop(other->showComputerOnDesktop());
}

bool DesktopThemePart::operator==(const DesktopThemePart &other) const
{
    return d->showDragNDropIndication == other.d->showDragNDropIndication && d->adaptiveIconStringColor == other.d->adaptiveIconStringColor &&
        d->showTrashOnDesktop == other.d->showTrashOnDesktop && d->showComputerOnDesktop == other.d->showComputerOnDesktop;
}
