#include "cursorthemepart.h"
#include "abstractcursorapplyhelper.h"
#include "abstractcursorreadhelper.h"
#include "partsettings.h"
#include "themedefaults.h"

class CursorThemePartPrivate
{
public:
    explicit CursorThemePartPrivate(CursorThemePart *part)
        : q(part)
    {
    }

    CursorThemePart *const q;
    QString currentTheme;
    // The value after defaults().
    int currentSize = -1;
};

CursorThemePart::CursorThemePart(QObject *parent)
    : IThemePart(parent)
    , d(new CursorThemePartPrivate(this))
{
    connect(this, &CursorThemePart::currentThemeChanged, this, &IThemePart::changed);
    connect(this, &CursorThemePart::currentSizeChanged, this, &IThemePart::changed);
}

CursorThemePart::~CursorThemePart() = default;

const QString &CursorThemePart::currentTheme() const
{
    return d->currentTheme;
}

void CursorThemePart::setCurrentTheme(const QString &theme)
{
    PartSettings::assign(this, d->currentTheme, theme, &CursorThemePart::currentThemeChanged);
}

int CursorThemePart::currentSize() const
{
    return d->currentSize;
}

void CursorThemePart::setCurrentSize(int size)
{
    PartSettings::assign(this, d->currentSize, size, &CursorThemePart::currentSizeChanged);
}

void CursorThemePart::apply(IApplyHelper *helper)
{
    auto *cursor = static_cast<AbstractCursorApplyHelper *>(helper);
    cursor->applyCurrentTheme(d->currentTheme);
    cursor->applySize(d->currentSize);
}

void CursorThemePart::read(IReadHelper *helper)
{
    auto *cursor = static_cast<AbstractCursorReadHelper *>(helper);
    setCurrentTheme(cursor->readCurrentTheme());
    setCurrentSize(cursor->readSize());
}

void CursorThemePart::defaults()
{
    setCurrentTheme(ThemeDefaults::CursorTheme.defaultValue);
    setCurrentSize(PartSettings::defaultNumber(ThemeDefaults::CursorSize));
}

bool CursorThemePart::hasChanges(IReadHelper *helper) const
{
    auto *cursor = static_cast<AbstractCursorReadHelper *>(helper);
    // Both values are read, the theme first.
    bool changed = cursor->readCurrentTheme() != d->currentTheme;
    changed |= cursor->readSize() != d->currentSize;
    return changed;
}

void CursorThemePart::copyFrom(IThemePart *other)
{
    const auto *cursor = qobject_cast<const CursorThemePart *>(other);
    if (!cursor) {
        return;
    }
    setCurrentTheme(cursor->currentTheme());
    setCurrentSize(cursor->currentSize());
}

bool CursorThemePart::operator==(const CursorThemePart &other) const
{
    return d->currentTheme == other.d->currentTheme && d->currentSize == other.d->currentSize;
}
