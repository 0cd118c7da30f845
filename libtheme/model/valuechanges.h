/*
    Internal: an edit made on values read some time ago, made again on the
    values as they are now. Each value of a part is a property of its
    class; the values in which the edited copy differs from the one it was
    made from are set on the target, the others are left as they are.
*/
#ifndef VALUECHANGES_H
#define VALUECHANGES_H

#include "pexotheme_export.h"

class IThemePart;
class Theme;

namespace ValueChanges {
// The parts are of one class.
PEXOTHEME_EXPORT void carry(const IThemePart &before, const IThemePart &edited, IThemePart &target);
// Part by part.
PEXOTHEME_EXPORT void carry(const Theme &before, const Theme &edited, Theme &target);
} // namespace ValueChanges

#endif
