#include "valuechanges.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "ithemepart.h"
#include "soundsthemepart.h"
#include "theme.h"
#include "wallpaperthemepart.h"

#include <QMetaProperty>

void ValueChanges::carry(const IThemePart &before, const IThemePart &edited, IThemePart &target)
{
    const QMetaObject *type = edited.metaObject();
    Q_ASSERT(before.metaObject() == type && target.metaObject() == type);
    for (int i = IThemePart::staticMetaObject.propertyCount(); i < type->propertyCount(); ++i) {
        const QMetaProperty value = type->property(i);
        const QVariant now = value.read(&edited);
        if (now != value.read(&before)) {
            value.write(&target, now);
        }
    }
}

void ValueChanges::carry(const Theme &before, const Theme &edited, Theme &target)
{
    carry(*before.colorsThemePart(), *edited.colorsThemePart(), *target.colorsThemePart());
    carry(*before.cursorThemePart(), *edited.cursorThemePart(), *target.cursorThemePart());
    carry(*before.iconThemePart(), *edited.iconThemePart(), *target.iconThemePart());
    carry(*before.soundsThemePart(), *edited.soundsThemePart(), *target.soundsThemePart());
    carry(*before.wallpaperThemePart(), *edited.wallpaperThemePart(), *target.wallpaperThemePart());
}
