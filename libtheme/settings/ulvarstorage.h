#ifndef ULVARSTORAGE_H
#define ULVARSTORAGE_H

#include "ithemestorage.h"

#include <memory>

class UlvarStoragePrivate;

// A storage over the desktop core library's own settings file.
class PEXOTHEME_EXPORT UlvarStorage : public IThemeStorage
{
public:
    UlvarStorage(const QString &path, bool readOnly);
    ~UlvarStorage() override;

    bool contains(const QString &key) const override;
    QVariant read(const QString &key, const QVariant &defaultValue) const override;
    bool write(const QString &key, const QVariant &value) override;
    QStringList keys() const override;
    bool sync() override;
    bool isReadOnly() const override;
    QString filePath() const override;
    void removeKey(const QString &key) override;

private:
    std::unique_ptr<UlvarStoragePrivate> const d;
};

#endif
