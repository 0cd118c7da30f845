#include "themecorelog.h"

Q_LOGGING_CATEGORY(THEME_CORE_LOG, "ru.ulvarlinux.kcm.theme.core", QtWarningMsg)
