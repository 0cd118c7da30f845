#include "valuechanges.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "ithemepart.h"
#include "soundsthemepart.h"
#include "theme.h"
#include "wallpaperthemepart.h"

#include <QMetaProperty>

namespace {
void carryPart(const IThemePart &before, const IThemePart &edited, IThemePart &target)
{
    ValueChanges::carry(ValueChanges::values(before), ValueChanges::values(edited), target);
}
} // namespace

QVariantList ValueChanges::values(const IThemePart &part)
{
    const QMetaObject *type = part.metaObject();
    QVariantList values;
    for (int i = IThemePart::staticMetaObject.propertyCount(); i < type->propertyCount(); ++i) {
        values << type->property(i).read(&part);
    }
    return values;
}

void ValueChanges::carry(const QVariantList &before, const QVariantList &edited, IThemePart &target)
{
    const QMetaObject *type = target.metaObject();
    const int first = IThemePart::staticMetaObject.propertyCount();
    Q_ASSERT(before.size() == type->propertyCount() - first && edited.size() == before.size());
    for (int i = 0; i < edited.size() && i < before.size(); ++i) {
        if (edited.at(i) != before.at(i)) {
            type->property(first + i).write(&target, edited.at(i));
        }
    }
}

void ValueChanges::carry(const Theme &before, const Theme &edited, Theme &target)
{
    carryPart(*before.colorsThemePart(), *edited.colorsThemePart(), *target.colorsThemePart());
    carryPart(*before.cursorThemePart(), *edited.cursorThemePart(), *target.cursorThemePart());
    carryPart(*before.iconThemePart(), *edited.iconThemePart(), *target.iconThemePart());
    carryPart(*before.soundsThemePart(), *edited.soundsThemePart(), *target.soundsThemePart());
    carryPart(*before.wallpaperThemePart(), *edited.wallpaperThemePart(), *target.wallpaperThemePart());
}
