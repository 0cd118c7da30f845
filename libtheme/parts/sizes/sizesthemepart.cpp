#include "sizesthemepart.h"
#include "abstractsizesapplyhelper.h"
#include "abstractsizesreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class SizesThemePartPrivate
{
public:
    explicit SizesThemePartPrivate(SizesThemePart *part)
        : q(part)
    {
    }

    void set(int &field, int value, void (SizesThemePart::*changedSignal)())
    {
        if (field == value) {
            return;
        }
        field = value;
        Q_EMIT(q->*changedSignal)();
    }

    SizesThemePart *const q;
    // Until the first read() or defaults(): the values of defaults().
    int taskbarSize = -1;
    int windowFrameTitleSize = -1;
    int windowFrameBorderSize = -1;
    int desktopIconSize = -1;
};

SizesThemePart::SizesThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new SizesThemePartPrivate(this))
{
    for (auto signal : {&SizesThemePart::taskbarSizeChanged,
                        &SizesThemePart::windowFrameTitleSizeChanged,
                        &SizesThemePart::windowFrameBorderSizeChanged,
                        &SizesThemePart::desktopIconSizeChanged}) {
        connect(this, signal, this, &IThemePart::changed);
    }
}

SizesThemePart::~SizesThemePart() = default;

int SizesThemePart::taskbarSize() const
{
    return d->taskbarSize;
}

int SizesThemePart::windowFrameTitleSize() const
{
    return d->windowFrameTitleSize;
}

int SizesThemePart::windowFrameBorderSize() const
{
    return d->windowFrameBorderSize;
}

int SizesThemePart::desktopIconSize() const
{
    return d->desktopIconSize;
}

void SizesThemePart::setTaskbarSize(int size)
{
    PartSettings::assign(this, d->taskbarSize, size, &SizesThemePart::taskbarSizeChanged);
}

void SizesThemePart::setWindowFrameTitleSize(int size)
{
    PartSettings::assign(this, d->windowFrameTitleSize, size, &SizesThemePart::windowFrameTitleSizeChanged);
}

void SizesThemePart::setWindowFrameBorderSize(int size)
{
    PartSettings::assign(this, d->windowFrameBorderSize, size, &SizesThemePart::windowFrameBorderSizeChanged);
}

void SizesThemePart::setDesktopIconSize(int size)
{
    PartSettings::assign(this, d->desktopIconSize, size, &SizesThemePart::desktopIconSizeChanged);
}

void SizesThemePart::apply(IApplyHelper *applyHelper)
{
    auto *helper = static_cast<AbstractSizesApplyHelper *>(applyHelper);
    helper->applyTaskbarSize(d->taskbarSize);
    helper->applyWindowFrameTitleSize(d->windowFrameTitleSize);
    helper->applyWindowFrameBorderSize(d->windowFrameBorderSize);
    helper->applyDesktopIconSize(d->desktopIconSize);
}

void SizesThemePart::read(IReadHelper *readHelper)
{
    auto *helper = static_cast<AbstractSizesReadHelper *>(readHelper);
    setTaskbarSize(helper->readTaskbarSize());
    setWindowFrameTitleSize(helper->readWindowFrameTitleSize());
    setWindowFrameBorderSize(helper->readWindowFrameBorderSize());
    setDesktopIconSize(helper->readDesktopIconSize());
}

void SizesThemePart::defaults()
{
    setTaskbarSize(PartSettings::defaultNumber(ThemeDefaults::TaskbarHeight));
    setWindowFrameTitleSize(PartSettings::defaultNumber(ThemeDefaults::FrameTitleHeight));
    setWindowFrameBorderSize(PartSettings::defaultNumber(ThemeDefaults::FrameBorderWidth));
    setDesktopIconSize(PartSettings::defaultNumber(ThemeDefaults::DesktopIconSize));
}

bool SizesThemePart::hasChanges(IReadHelper *readHelper) const
{
    // Every value is read, also after a difference is found.
    auto *helper = static_cast<AbstractSizesReadHelper *>(readHelper);
    bool changes = false;
    changes |= helper->readTaskbarSize() != d->taskbarSize;
    changes |= helper->readWindowFrameTitleSize() != d->windowFrameTitleSize;
    changes |= helper->readWindowFrameBorderSize() != d->windowFrameBorderSize;
    changes |= helper->readDesktopIconSize() != d->desktopIconSize;
    return changes;
}

void SizesThemePart::copyFrom(IThemePart *otherPart)
{
    const auto *other = qobject_cast<const SizesThemePart *>(otherPart);
    if (!other) {
        return;
    }
    setTaskbarSize(other->taskbarSize());
    setWindowFrameTitleSize(other->windowFrameTitleSize());
    setWindowFrameBorderSize(other->windowFrameBorderSize());
    setDesktopIconSize(other->desktopIconSize());
}

bool SizesThemePart::operator==(const SizesThemePart &other) const
{
    return d->taskbarSize == other.d->taskbarSize && d->windowFrameTitleSize == other.d->windowFrameTitleSize &&
        d->windowFrameBorderSize == other.d->windowFrameBorderSize && d->desktopIconSize == other.d->desktopIconSize;
}
