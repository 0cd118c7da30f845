#include "module.h"
#include "iconthemethumbnail.h"
#include "proxymodel.h"

#include <appearanceframe.h>
#include <iconthemepart.h>
#include <theme.h>
#include <themedefaults.h>

#include <KPluginFactory>

#include <QtQml>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_icons_factory, "kcm_pexo_icons.json", registerPlugin<Module>();)

namespace {
std::shared_ptr<IconThemePart> iconPart(const ThemeController *controller)
{
    return controller->systemTheme()->iconThemePart();
}
} // namespace

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , m_themes(new ProxyModel(this))
{
    qmlRegisterType<IconThemeThumbnail>("ru.ulvarlinux.kcm.icons.private", 1, 0, "IconThemeThumbnail");

    registerProperty(QStringLiteral("currentTheme"), ThemeDefaults::IconTheme.key);
    registerProperty(QStringLiteral("isToolbarMonochrome"), ThemeDefaults::useSymbolicIconsForToolBar.key);
    registerProperty(QStringLiteral("isTaskbarMonochrome"), ThemeDefaults::UseTrayIconTheme.key);

    const std::shared_ptr<IconThemePart> part = iconPart(controller);
    connect(part.get(), &IconThemePart::currentThemeChanged, this, &Module::currentThemeChanged);
    connect(part.get(), &IconThemePart::isToolbarMonochromeChanged, this, &Module::isToolbarMonochromeChanged);
    connect(part.get(), &IconThemePart::isTaskbarMonochromeChanged, this, &Module::isTaskbarMonochromeChanged);
    connect(controller->systemTheme().get(), &Theme::changed, this, &Module::updateNeedSave);
    connect(controller, &ThemeController::error, this, &Module::error);
}

Module::~Module() = default;

QAbstractProxyModel *Module::themes() const
{
    return m_themes;
}

QString Module::currentTheme() const
{
    return iconPart(controller)->currentTheme();
}

void Module::setCurrentTheme(const QString &theme)
{
    iconPart(controller)->setCurrentTheme(theme);
}

bool Module::isToolbarMonochrome() const
{
    return iconPart(controller)->isToolbarMonochrome();
}

void Module::setIsToolbarMonochrome(bool monochrome)
{
    iconPart(controller)->setIsToolbarMonochrome(monochrome);
}

bool Module::isTaskbarMonochrome() const
{
    return iconPart(controller)->isTaskbarMonochrome();
}

void Module::setIsTaskbarMonochrome(bool monochrome)
{
    iconPart(controller)->setIsTaskbarMonochrome(monochrome);
}

bool Module::isImmutable(const QString &property) const
{
    return isPropertyImmutable(property);
}

void Module::load()
{
    controller->currentTheme()->read();
    controller->systemTheme()->read();
    m_themes->sort(0, Qt::AscendingOrder);
}

void Module::save()
{
    AppearanceFrame::save(this, controller);
}

void Module::defaults()
{
    iconPart(controller)->defaults();
}

void Module::updateNeedSave()
{
    AppearanceFrame::updateNeedSave(this, controller);
}

#include "module.moc"
