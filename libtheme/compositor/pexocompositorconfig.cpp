#include "pexocompositorconfig.h"
#include "localfile.h"
#include "settingsreplace.h"

#include <QSettings>
#include <QString>

#include <memory>

#include <pexodirs.h>

namespace {
const QString kompmgrrcPath = QString::fromUtf8(GetPexoDir(PexoUserConfigDir).c_str()) + QStringLiteral("/kompmgrrc");

const QString group = QStringLiteral("kompmgr");
const QString ignoreTransparencyKey = QStringLiteral("IgnoreTransparency");
const QString compmodeKey = QStringLiteral("Compmode");
const QString simpleMode = QStringLiteral("CompSimple");
const QString shadowsMode = QStringLiteral("CompClientShadows");
} // namespace

class PexoCompositorConfigPrivate
{
public:
    // The value in the file, or the default when the file is not usable.
    // The settings object reads the file when it is made, so it is made
    // once the file has been seen to be usable.
    QVariant value(const QString &key, const QVariant &defaultValue)
    {
        if (!LocalFile::isMissingOrUsable(kompmgrrcPath, LocalFile::Kind::Settings)) {
            return defaultValue;
        }
        if (!settings) {
            settings = std::make_unique<QSettings>(kompmgrrcPath, QSettings::IniFormat);
            settings->beginGroup(group);
        } else {
            // Read again when the file was replaced since.
            settings->sync();
        }
        return settings->value(key, defaultValue);
    }

    // Written at once: a compositing restart follows a change. False, with
    // the file noted, when the file could not be written.
    static bool store(const QString &key, const QVariant &value)
    {
        return SettingsReplace::store(kompmgrrcPath, group, {{key, value}});
    }

    std::unique_ptr<QSettings> settings;
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
    return !d->value(ignoreTransparencyKey, true).toBool();
}

bool PexoCompositorConfig::setTransparencyEnabled(bool enabled)
{
    return d->store(ignoreTransparencyKey, !enabled);
}

bool PexoCompositorConfig::shadowEnabled() const
{
    return !d->value(compmodeKey, simpleMode).toString().contains(simpleMode);
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
