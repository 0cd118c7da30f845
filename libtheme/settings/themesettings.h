#ifndef THEMESETTINGS_H
#define THEMESETTINGS_H

#include "ithemesettings.h"

class IThemeStorage;

// Reads resolve master over user over the caller's default; writes go to the
// user layer and are refused for keys the master layer holds. The storages
// are not owned.
class PEXOTHEME_EXPORT ThemeSettings : public IThemeSettings
{
public:
    ThemeSettings(IThemeStorage *master, IThemeStorage *user);
    ~ThemeSettings() override;

    bool isOverriddenByMaster(const QString &key) const override;
    QVariant read(const QString &key, const QVariant &defaultValue) const override;
    int write(const QString &key, const QVariant &value) override;
    bool sync() override;
    int resolveLayerForRead(const QString &key) const override;
    int resolveLayerForWrite(const QString &key) const override;

private:
    IThemeStorage *const m_master;
    IThemeStorage *const m_user;
};

#endif
