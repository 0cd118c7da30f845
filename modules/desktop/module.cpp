#include "module.h"

#include <desktopthemepart.h>
#include <personalization.h>
#include <themedefaults.h>

#include <KPluginFactory>

#include <QProcess>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_desktop_factory, "kcm_pexo_desktop.json", registerPlugin<Module>();)

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , frame(this, BehaviourFrame::Desktop)
{
    registerProperty(QStringLiteral("dndIndicator"), ThemeDefaults::DnDIndicationOnDesktop.key);
    registerProperty(QStringLiteral("autoColor"), ThemeDefaults::AdaptiveIconStringColor.key);

    frame.forward(&DesktopThemePart::showDragNDropIndicationChanged, this, &Module::dndIndicatorChanged);
    frame.forward(&DesktopThemePart::adaptiveIconStringColorChanged, this, &Module::autoColorChanged);
    frame.forward(&DesktopThemePart::showTrashOnDesktopChanged, this, &Module::showTrashChanged);
    frame.forward(&DesktopThemePart::showComputerOnDesktopChanged, this, &Module::showComputerChanged);

    connect(frame.personalization(), &Personalization::changed, this, &Module::updateNeedSave);
    connect(frame.personalization(), &Personalization::error, this, &Module::error);
}

Module::~Module() = default;

bool Module::dndIndicator() const
{
    return frame.get(&DesktopThemePart::showDragNDropIndication);
}

void Module::setDndIndicator(bool value)
{
    frame.set(&DesktopThemePart::setShowDragNDropIndication, value);
}

bool Module::autoColor() const
{
    return frame.get(&DesktopThemePart::adaptiveIconStringColor);
}

void Module::setAutoColor(bool value)
{
    frame.set(&DesktopThemePart::setAdaptiveIconStringColor, value);
}

bool Module::showTrash() const
{
    return frame.get(&DesktopThemePart::showTrashOnDesktop);
}

void Module::setShowTrash(bool value)
{
    frame.set(&DesktopThemePart::setShowTrashOnDesktop, value);
}

bool Module::showComputer() const
{
    return frame.get(&DesktopThemePart::showComputerOnDesktop);
}

void Module::setShowComputer(bool value)
{
    frame.set(&DesktopThemePart::setShowComputerOnDesktop, value);
}

bool Module::isImmutable(const QString &property) const
{
    return frame.isImmutable(keyForProperty(property));
}

void Module::openSettings(const QString &settings)
{
    QProcess::startDetached(QStringLiteral("ulvar-systemsettings"), {settings});
}

void Module::load()
{
    frame.load();
}

void Module::save()
{
    frame.save();
}

void Module::defaults()
{
    frame.defaults();
}

void Module::updateNeedSave()
{
    frame.updateNeedSave(this);
}

#include "module.moc"
