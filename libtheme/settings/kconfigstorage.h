#ifndef KCONFIGSTORAGE_H
#define KCONFIGSTORAGE_H

#include "ithemestorage.h"

#include <memory>

class KConfigStoragePrivate;

// A storage over a KDE configuration file. Storages on the same path share
// one in-memory configuration, which reads the file again when it changed
// since, at its first use after readFilesAgain().
class PEXOTHEME_EXPORT KConfigStorage : public IThemeStorage
{
public:
    explicit KConfigStorage(const QString &path);
    ~KConfigStorage() override;

    bool contains(const QString &key) const override;
    // Text values come back as strings without one pair of surrounding double quotes.
    QVariant read(const QString &key, const QVariant &defaultValue) const override;
    // Writes and flushes the file at once.
    bool write(const QString &key, const QVariant &value) override;
    QStringList keys() const override;
    // False also when a write since the last sync did not reach the file: a
    // value that could not be written is dropped, the file's is read again.
    bool sync() override;
    // True when the file carries KDE's immutability marking.
    bool isReadOnly() const override;
    QString filePath() const override;
    void removeKey(const QString &key) override;

    // The storages of this thread read their files as they are now: each
    // looks at its file once, at its next use.
    static void readFilesAgain();

private:
    std::unique_ptr<KConfigStoragePrivate> const d;
};

#endif
