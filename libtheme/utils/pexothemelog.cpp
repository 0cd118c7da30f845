#include "pexothemelog.h"

Q_LOGGING_CATEGORY(PEXO_THEME_LOG, "ru.ulvarlinux.theme", QtWarningMsg)
