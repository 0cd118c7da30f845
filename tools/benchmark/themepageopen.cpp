// Opens the theme page as a settings host does: loads the plug-in, creates
// and loads the module, shows a window with a thumbnail for every visible
// row. Prints the milliseconds until the first frame and until every visible
// wallpaper is shown.
#include <KPluginFactory>
#include <KPluginMetaData>

#include <QApplication>
#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSortFilterProxyModel>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace {
const int columns = 4;
const int visibleRows = 3;
const QSize thumbnailSize(176, 120);
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QUICK_BACKEND", "software");
    QApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();

    KPluginMetaData data;
    for (const KPluginMetaData &plugin : KPluginMetaData::findPlugins(QStringLiteral("plasma/kcms/systemsettings"))) {
        if (plugin.pluginId() == QLatin1String("kcm_pexo_theme")) {
            data = plugin;
        }
    }
    const std::unique_ptr<QObject> module(KPluginFactory::instantiatePlugin<QObject>(data, nullptr, QVariantList()).plugin);
    if (!module) {
        std::fprintf(stderr, "themepageopen: cannot load kcm_pexo_theme\n");
        return 1;
    }
    QMetaObject::invokeMethod(module.get(), "load");
    const auto *themes = qvariant_cast<QSortFilterProxyModel *>(module->property("themes"));
    const QHash<int, QByteArray> roles = themes->roleNames();

    QQuickWindow window;
    window.resize(columns * thumbnailSize.width(), visibleRows * thumbnailSize.height());
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData("import ru.ulvarlinux.kcm.theme.private 1.0\nThemeThumbnail {}", QUrl());
    const int shown = std::min(themes->rowCount(), columns * visibleRows);
    for (int row = 0; row < shown; ++row) {
        auto *item = qobject_cast<QQuickItem *>(component.create());
        item->setParentItem(window.contentItem());
        item->setParent(&window);
        item->setPosition(QPointF((row % columns) * thumbnailSize.width(), (row / columns) * thumbnailSize.height()));
        item->setSize(thumbnailSize);
        const QModelIndex index = themes->index(row, 0);
        item->setProperty("borderColor", QStringLiteral("#808080"));
        for (const char *role : {"wallpaper", "colorScheme", "primaryColor", "backgroundColor"}) {
            const char *property = qstrcmp(role, "wallpaper") == 0 ? "wallpaperPath" : role;
            item->setProperty(property, index.data(roles.key(role)));
        }
    }

    qint64 firstFrame = -1;
    bool waitingForWallpapers = false;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &app, [&]() {
        if (firstFrame < 0) {
            firstFrame = clock.elapsed();
        } else if (waitingForWallpapers) {
            std::printf("first frame %lld ms, wallpapers shown %lld ms\n", firstFrame, clock.elapsed());
            app.quit();
        }
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&]() {
        if (firstFrame >= 0 && !waitingForWallpapers && QThreadPool::globalInstance()->activeThreadCount() == 0) {
            waitingForWallpapers = true;
            window.update();
        }
    });
    poll.start(2);
    window.show();
    return app.exec();
}
