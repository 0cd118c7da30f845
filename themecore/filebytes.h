/*
    Internal: the bytes of a small regular file, read with as few system
    calls as it takes.
*/
#ifndef FILEBYTES_H
#define FILEBYTES_H

#include <QByteArray>
#include <QString>

#include <optional>

// Nothing when the file cannot be opened or read, or is no regular file.
std::optional<QByteArray> regularFileBytes(const QString &path);

#endif
