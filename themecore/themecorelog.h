#ifndef THEMECORELOG_H
#define THEMECORELOG_H

#include <QLoggingCategory>

// "ru.ulvarlinux.kcm.theme.core", warnings and above by default.
Q_DECLARE_LOGGING_CATEGORY(THEME_CORE_LOG)

#endif
