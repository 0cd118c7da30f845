#ifndef PEXOTHEMELOG_H
#define PEXOTHEMELOG_H

#include "pexotheme_export.h"

#include <QLoggingCategory>

// "ru.ulvarlinux.theme", warnings and above by default.
PEXOTHEME_EXPORT Q_DECLARE_LOGGING_CATEGORY(PEXO_THEME_LOG)

#endif
