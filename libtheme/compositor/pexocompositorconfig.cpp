#include "pexocompositorconfig.h"

#include <QSettings>
#include <QString>

#include <pexodirs.h>

namespace {
const QString kompmgrrcPath = QString::fromUtf8(GetPexoDir(PexoUserConfigDir).c_str()) + QStringLiteral("/kompmgrrc");

const QString ignoreTransparencyKey = QStringLiteral("IgnoreTransparency");
const QString compmodeKey = QStringLiteral("Compmode");
const QString simpleMode = QStringLiteral("CompSimple");
const QString shadowsMode = QStringLiteral("CompClientShadows");
} // namespace

class PexoCompositorConfigPrivate
{
public:
    PexoCompositorConfigPrivate()
        : settings(kompmgrrcPath, QSettings::IniFormat)
    {
        settings.beginGroup(QStringLiteral("kompmgr"));
    }

    // Written at once: a compositing restart follows a change.
    bool store(const QString &key, const QVariant &value)
    {
        settings.setValue(key, value);
        settings.sync();
        return true;
    }

    QSettings settings;
};

PexoCompositorConfig *PexoCompositorConfig::instance()
{
    static PexoCompositorConfig config;
    return &config;
}

PexoCompositorConfig::PexoCompositorConfig()
    : d(new PexoCompositorConfigPrivate)
{
}

PexoCompositorConfig::~PexoCompositorConfig() = default;

bool PexoCompositorConfig::transparencyEnabled() const
{
    return !d->settings.value(ignoreTransparencyKey, true).toBool();
}

bool PexoCompositorConfig::setTransparencyEnabled(bool enabled)
{
    return d->store(ignoreTransparencyKey, !enabled);
}

bool PexoCompositorConfig::shadowEnabled() const
{
    return !d->settings.value(compmodeKey, simpleMode).toString().contains(simpleMode);
}

bool PexoCompositorConfig::setShadowEnabled(bool enabled)
{
    return d->store(compmodeKey, enabled ? shadowsMode : simpleMode);
}

bool PexoCompositorConfig::roundedCornersEnabled() const
{
    return false;
}

bool PexoCompositorConfig::setRoundedCornersEnabled(bool enabled)
{
    Q_UNUSED(enabled)
    return false;
}

bool PexoCompositorConfig::verticalSyncronizationEnabled() const
{
    return false;
}

bool PexoCompositorConfig::setVerticalSyncronizationEnabled(bool enabled)
{
    Q_UNUSED(enabled)
    return false;
}

bool PexoCompositorConfig::windowAnimationsEnabled() const
{
    return false;
}

bool PexoCompositorConfig::setWindowAnimationsEnabled(bool enabled)
{
    Q_UNUSED(enabled)
    return false;
}

bool PexoCompositorConfig::windowFadingEnabled() const
{
    return false;
}

bool PexoCompositorConfig::setWindowFadingEnabled(bool enabled)
{
    Q_UNUSED(enabled)
    return false;
}
