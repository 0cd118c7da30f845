/*
    Internal: the files that could not be written while a collection is open
    on this thread, for the save that opened it to report them. Collections
    nest: a file noted goes to every open one.
*/
#ifndef FAILEDWRITES_H
#define FAILEDWRITES_H

#include "pexotheme_export.h"

#include <QString>
#include <QStringList>

class PEXOTHEME_EXPORT FailedWrites
{
public:
    FailedWrites();
    ~FailedWrites();
    FailedWrites(const FailedWrites &) = delete;
    FailedWrites &operator=(const FailedWrites &) = delete;

    // The files noted while this collection was open, each once, in order.
    const QStringList &files() const;
    // "Could not write" and the files; a null string when there are none.
    QString message() const;

    // Notes a file that could not be written; nothing when no collection is open.
    static void note(const QString &path);

private:
    QStringList m_files;
};

#endif
