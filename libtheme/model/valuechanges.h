/*
    Internal: an edit made on values read some time ago, made again on the
    values as they are now. Each value of a part is a property of its
    class; the values in which the edited copy differs from the one it was
    made from are set on the target, the others are left as they are.
*/
#ifndef VALUECHANGES_H
#define VALUECHANGES_H

#include "pexotheme_export.h"

#include <QVariantList>

class IThemePart;
class Theme;

namespace ValueChanges {
// The part's values, one for each property of its class, in their order.
PEXOTHEME_EXPORT QVariantList values(const IThemePart &part);
// Sets on the part each value in which edited differs from before, both
// values of a part of its class.
PEXOTHEME_EXPORT void carry(const QVariantList &before, const QVariantList &edited, IThemePart &target);
// Part by part.
PEXOTHEME_EXPORT void carry(const Theme &before, const Theme &edited, Theme &target);
} // namespace ValueChanges

#endif
