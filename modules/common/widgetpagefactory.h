#ifndef WIDGETPAGEFACTORY_H
#define WIDGETPAGEFACTORY_H

#include <KPluginMetaData>

#include <QVariantList>
#include <QWidget>

namespace WidgetPage {
// What a widget page's factory registers instead of the default creator,
// which asserts on a parent that is no widget: the page takes its parent
// only when that is a widget, else it gets none.
//     K_PLUGIN_FACTORY(KCModuleWidgetFactory, registerPlugin<Module>(&WidgetPage::create<Module>);)
template<class Page>
QObject *create(QWidget *, QObject *parent, const KPluginMetaData &, const QVariantList &args)
{
    return new Page(qobject_cast<QWidget *>(parent), args);
}
} // namespace WidgetPage

#endif
