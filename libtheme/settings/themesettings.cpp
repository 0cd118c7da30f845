#include "themesettings.h"
#include "ithemestorage.h"

ThemeSettings::ThemeSettings(IThemeStorage *master, IThemeStorage *user)
    : m_master(master)
    , m_user(user)
{
}

ThemeSettings::~ThemeSettings() = default;

bool ThemeSettings::isOverriddenByMaster(const QString &key) const
{
    return m_master && m_master->contains(key);
}

QVariant ThemeSettings::read(const QString &key, const QVariant &defaultValue) const
{
    if (m_master && m_master->contains(key)) {
        return m_master->read(key, defaultValue);
    }
    if (m_user && m_user->contains(key)) {
        return m_user->read(key, defaultValue);
    }
    return defaultValue;
}

int ThemeSettings::write(const QString &key, const QVariant &value)
{
    if (isOverriddenByMaster(key)) {
        return FixedByMaster;
    }
    if (!m_user) {
        return WriteFailed;
    }
    if (m_user->isReadOnly()) {
        return ReadOnly;
    }
    if (!value.isValid()) {
        return WriteFailed;
    }
    return m_user->write(key, value) ? Written : WriteFailed;
}

bool ThemeSettings::sync()
{
    return m_user && m_user->sync();
}

int ThemeSettings::resolveLayerForRead(const QString &key) const
{
    if (m_master && m_master->contains(key)) {
        return MasterLayer;
    }
    if (!m_user) {
        return DefaultLayer;
    }
    return m_user->contains(key) ? UserLayer : DefaultLayer;
}

int ThemeSettings::resolveLayerForWrite(const QString &key) const
{
    if (m_master && m_master->contains(key)) {
        return MasterLayer;
    }
    if (!m_user || m_user->isReadOnly()) {
        return DefaultLayer;
    }
    return UserLayer;
}
