#include "module.h"

#include "modulelog.h"
#include "thememodel.h"
#include "themeproxymodel.h"
#include "themethumbnail.h"

#include <appearanceframe.h>
#include <colorsthemepart.h>
#include <installedtheme.h>
#include <needssave.h>
#include <sessionlock.h>
#include <themedefaults.h>

#include <KPluginFactory>

#include <QFileInfo>
#include <QProcess>
#include <QQmlEngine>

K_PLUGIN_FACTORY_WITH_JSON(kcm_pexo_theme_factory, "kcm_pexo_theme.json", registerPlugin<Module>();)

Module::Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args)
    : KQuickAddons::ConfigModule(parent, data, args)
    , model(new ThemeModel(controller, this))
    , proxy(new ThemeProxyModel(model, this))
{
    qmlRegisterType<ThemeThumbnail>("ru.ulvarlinux.kcm.theme.private", 1, 0, "ThemeThumbnail");
}

Module::~Module() = default;

QSortFilterProxyModel *Module::themes() const
{
    return proxy;
}

QString Module::currentTheme() const
{
    return selectedTheme;
}

void Module::setCurrentTheme(const QString &id)
{
    if (id == selectedTheme) {
        return;
    }
    selectedTheme = id;
    Q_EMIT currentThemeChanged();
    updateNeedSave();
}

int Module::currentIndex(QString themeName)
{
    return proxy->findIndex(themeName).row();
}

void Module::deleteTheme(QString id)
{
    const std::shared_ptr<Theme> theme = controller->theme(id);
    controller->removeTheme(id);
    // The registry refuses read-only and unknown themes: their rows stay.
    if (theme && !QFileInfo(theme->desktopPath()).absoluteDir().exists()) {
        model->removeTheme(id);
    }
}

void Module::exportTheme(QString id, QString path)
{
    const std::shared_ptr<Theme> theme = controller->theme(id);
    if (!theme) {
        qCWarning(MODULE_LOG) << "Can't export theme" << id;
        return;
    }
    startTool(QStringLiteral("pexo-export-theme"), {theme->desktopPath(), path});
}

void Module::importTheme(QUrl url)
{
    if (url.isLocalFile()) {
        importThemeFromFile(url.toLocalFile());
    }
}

void Module::addTheme(QString themeName, QString from)
{
    // Of the ids, only installed themes take theirs: the record may still
    // name a deleted theme. The registry refuses a directory that is there.
    const std::shared_ptr<Theme> installed = controller->theme(themeName);
    const bool taken = installed && isInstalledTheme(*installed);
    const std::shared_ptr<Theme> theme = taken ? nullptr : controller->createTheme(themeName, from);
    if (!theme) {
        qCWarning(MODULE_LOG) << "Error";
        return;
    }
    model->addTheme(theme);
}

void Module::importThemeFromFile(const QString &path)
{
    startTool(QStringLiteral("pexo-import-theme"), {path}, [this](int exitCode) {
        if (exitCode == 0) {
            controller->updateAvailableThemes();
            model->readThemes();
        }
    });
}

void Module::load()
{
    model->resetThemes();
    model->readThemes();
    proxy->sort(0, Qt::AscendingOrder);
    setCurrentTheme(controller->currentThemeId());
}

void Module::save()
{
    const SessionLock lock(SessionLock::Wait::Page, [this](const QString &message) {
        Q_EMIT error(message);
    });
    if (!lock.isLocked()) {
        Q_EMIT error(lock.message());
        updateNeedSave();
        return;
    }
    bool failed = false;
    const QMetaObject::Connection connection = connect(controller, &ThemeController::error, this, [this, &failed](const QString &message) {
        failed = true;
        Q_EMIT error(message);
    });
    controller->setCurrentTheme(selectedTheme);
    disconnect(connection);
    if (failed) {
        // A selection that was not recorded still needs saving.
        updateNeedSave();
        return;
    }
    AppearanceFrame::activateColorScheme(controller->systemTheme()->colorsThemePart()->colorSchemePath());
}

void Module::defaults()
{
    setCurrentTheme(ThemeDefaults::defaultThemeId);
}

void Module::updateNeedSave()
{
    reportNeedsSave(this, selectedTheme != controller->currentThemeId());
}

void Module::startTool(const QString &program, const QStringList &arguments, const std::function<void(int)> &finished)
{
    auto *process = new QProcess;
    if (finished) {
        connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this, finished);
    }
    // Also when the module has gone before the tool.
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) {
            process->deleteLater();
        }
    });
    process->start(program, arguments, QIODevice::ReadWrite);
}

#include "module.moc"
