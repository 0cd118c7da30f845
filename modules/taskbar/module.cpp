#include "module.h"

#include <personalization.h>
#include <taskbarthemepart.h>
#include <themedefaults.h>

#include <KPluginFactory>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_taskbar_factory, "kcm_pexo_taskbar.json", registerPlugin<Module>();)

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , frame(this, BehaviourFrame::Taskbar)
{
    registerProperty(QStringLiteral("labelsOnTaskbar"), ThemeDefaults::NoTaskbarButtonName.key);
    registerProperty(QStringLiteral("usePager"), ThemeDefaults::UsePager.key);
    registerProperty(QStringLiteral("buttonCombine"), ThemeDefaults::TaskbarButtonCombine.key);
    registerProperty(QStringLiteral("multiTaskbar"), ThemeDefaults::MultiTaskbar.key);
    registerProperty(QStringLiteral("switcherAllPages"), ThemeDefaults::SwitcherAllPages.key);
    registerProperty(QStringLiteral("useNationalFlags"), ThemeDefaults::BaseKbImage.key);
    registerProperty(QStringLiteral("useAltNationalFlags"), ThemeDefaults::AltKbImage.key);

    frame.forward(&TaskbarThemePart::labelsOnTaskbarChanged, this, &Module::labelsOnTaskbarChanged);
    frame.forward(&TaskbarThemePart::usePagerChanged, this, &Module::usePagerChanged);
    frame.forward(&TaskbarThemePart::buttonCombineChanged, this, &Module::buttonCombineChanged);
    frame.forward(&TaskbarThemePart::multiTaskbarChanged, this, &Module::multiTaskbarChanged);
    frame.forward(&TaskbarThemePart::switcherAllPagesChanged, this, &Module::switcherAllPagesChanged);
    frame.forward(&TaskbarThemePart::useNationalFlagsChanged, this, &Module::useNationalFlagsChanged);

    connect(frame.personalization(), &Personalization::changed, this, &Module::updateNeedSave);
    connect(frame.personalization(), &Personalization::error, this, &Module::error);
}

Module::~Module() = default;

bool Module::labelsOnTaskbar() const
{
    return frame.get(&TaskbarThemePart::labelsOnTaskbar);
}

void Module::setLabelsOnTaskbar(bool value)
{
    frame.set(&TaskbarThemePart::setLabelsOnTaskbar, value);
}

bool Module::usePager() const
{
    return frame.get(&TaskbarThemePart::usePager);
}

void Module::setUsePager(bool value)
{
    frame.set(&TaskbarThemePart::setUsePager, value);
}

bool Module::buttonCombine() const
{
    return frame.get(&TaskbarThemePart::buttonCombine);
}

void Module::setButtonCombine(bool value)
{
    frame.set(&TaskbarThemePart::setButtonCombine, value);
}

bool Module::multiTaskbar() const
{
    return frame.get(&TaskbarThemePart::multiTaskbar);
}

void Module::setMultiTaskbar(bool value)
{
    frame.set(&TaskbarThemePart::setMultiTaskbar, value);
}

bool Module::switcherAllPages() const
{
    return frame.get(&TaskbarThemePart::switcherAllPages);
}

void Module::setSwitcherAllPages(bool value)
{
    frame.set(&TaskbarThemePart::setSwitcherAllPages, value);
}

bool Module::useNationalFlags() const
{
    return frame.get(&TaskbarThemePart::useNationalFlags);
}

void Module::setUseNationalFlags(bool value)
{
    frame.set(&TaskbarThemePart::setUseNationalFlags, value);
}

bool Module::isImmutable(const QString &property) const
{
    return frame.isImmutable(keyForProperty(property));
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
