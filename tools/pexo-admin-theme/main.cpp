/*
    pexo-admin-theme IGNORED SCHEME: sets the colour-scheme file SCHEME as the
    live colour scheme and saves it into the current theme. It creates no
    application object and writes its messages to standard error.
    Exit status: 0 done (also when the current theme is read-only), 1 the
    current theme could not be saved, 2 missing argument, no scheme file or
    one too large.
*/

#include "applycolorscheme.h"

#include <localfile.h>
#include <sessionlock.h>
#include <theme.h>

#include <QFileInfo>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (argc < 3) {
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[2]);
    // A fifo, a device or a huge file is no colour scheme either.
    if (!LocalFile::isUsable(path, LocalFile::Kind::Settings)) {
        const qint64 limit = LocalFile::sizeLimit(LocalFile::Kind::Settings);
        const QFileInfo info(path);
        if (info.isFile() && info.size() > limit) {
            std::fprintf(
                stderr, "pexo-admin-theme: color scheme file %s is too large (over %lld MiB)\n", argv[2], static_cast<long long>(limit / (1024 * 1024)));
        } else {
            std::fprintf(stderr, "pexo-admin-theme: no color scheme file %s\n", argv[2]);
        }
        return 2;
    }

    // One writer of the session's settings at a time, for the whole run.
    const SessionLock lock(SessionLock::Wait::Tool);
    if (!lock.isLocked()) {
        std::fprintf(stderr, "pexo-admin-theme: %s\n", lock.message().toLocal8Bit().constData());
        return 1;
    }
    auto applier = std::make_unique<ApplyColorScheme>();
    applier->readThemes();
    // Kept as a path that every reader of the colours finds.
    applier->setColorScheme(LocalFile::absolutePath(path));
    if (applier->hasSystemThemeChanges() && !applier->applyUnlessReadOnly()) {
        return 1;
    }
    return 0;
}
