#include "administratormarker.h"

#include <localfile.h>
#include <smallfile.h>
#include <themedefaults.h>

#include <QFile>
#include <QFileInfo>

#include <optional>

AdministratorMarker::Left AdministratorMarker::left()
{
    const QString &path = ThemeDefaults::adminSessionAppliedPath;
    // The marker is a file: no administrator session leaves a folder there.
    const QFileInfo marker(path);
    if (!marker.exists() || marker.isDir()) {
        return Left::None;
    }
    // A session's suffix is a short name; one left before sessions were
    // named, empty, is the session without a suffix.
    constexpr qint64 maxNameSize = 4096;
    const std::optional<QByteArray> name = LocalFile::read(path, LocalFile::Kind::Settings);
    if (name && name->size() <= maxNameSize && QString::fromUtf8(name->trimmed()) != ThemeDefaults::Detail::sessionSuffix()) {
        return Left::Elsewhere;
    }
    return Left::Here;
}

bool AdministratorMarker::place(QString *error)
{
    // Whatever stands in its place is replaced, never written through.
    return SmallFile::place(ThemeDefaults::adminSessionAppliedPath, ThemeDefaults::Detail::sessionSuffix().toUtf8(), error);
}

void AdministratorMarker::remove()
{
    QFile::remove(ThemeDefaults::adminSessionAppliedPath);
}
