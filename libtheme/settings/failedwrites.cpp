#include "failedwrites.h"

#include <algorithm>
#include <vector>

namespace {
thread_local std::vector<FailedWrites *> openCollections;
} // namespace

FailedWrites::FailedWrites()
{
    openCollections.push_back(this);
}

FailedWrites::~FailedWrites()
{
    openCollections.erase(std::remove(openCollections.begin(), openCollections.end(), this), openCollections.end());
}

const QStringList &FailedWrites::files() const
{
    return m_files;
}

QString FailedWrites::message() const
{
    if (m_files.isEmpty()) {
        return QString();
    }
    return QStringLiteral("Could not write ") + m_files.join(QStringLiteral(", "));
}

void FailedWrites::note(const QString &path)
{
    for (FailedWrites *collection : openCollections) {
        // A file named already with the reason is named once.
        const bool named = std::any_of(collection->m_files.cbegin(), collection->m_files.cend(), [&path](const QString &noted) {
            return noted == path || noted.startsWith(path + QStringLiteral(" ("));
        });
        if (!named) {
            collection->m_files << path;
        }
    }
}
