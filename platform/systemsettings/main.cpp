// pexo-stand-in: a small settings application that opens one settings module.

#include "moduleform.h"
#include "modulehost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QScreen>
#include <QTextStream>
#include <QWindow>

#include <cstdio>

// Lets a build tell this stand-in from the real program.
[[gnu::used]] const char standInMarker[] = "pexo-stand-in";

namespace {
const char usage[] = "Usage: ulvar-systemsettings [--plugin-dir DIR] MODULE [ACTION...]\n"
                     "\n"
                     "A stand-in for the desktop's settings application: it opens one settings\n"
                     "module. MODULE is a module id (kcm_pexo_taskbar) looked up among the\n"
                     "installed settings plug-ins, or the path of a plug-in file. The module is\n"
                     "created and loaded. Without actions a window shows it: a widget module's\n"
                     "own page, or a form of the module's properties, with the buttons\n"
                     "Defaults, Reset and Apply.\n"
                     "\n"
                     "Actions run in the order given, then the program exits:\n"
                     "  --set NAME=VALUE   set a property (true/false, a number, a text or the\n"
                     "                     name of an enumeration value); the module must take\n"
                     "                     it, though it may read it back in its own form\n"
                     "  --save             save the module's settings, load them again and check\n"
                     "                     that the values set since the last load were kept\n"
                     "  --defaults         reset the module's settings to their defaults\n"
                     "  --load             load the settings again\n"
                     "  --print NAME       print NAME=VALUE\n"
                     "  --print-all        print every property of the module as NAME=VALUE\n"
                     "  --needs-save       print needsSave=true or needsSave=false\n"
                     "  --grab FILE        show the window, save a picture of it in FILE\n"
                     "\n"
                     "Options:\n"
                     "  --plugin-dir DIR   look for plug-ins in DIR and below it first (for example\n"
                     "                     a build tree's bin directory); a module found there\n"
                     "                     wins over the one beside this program\n"
                     "  -h, --help         show this text\n"
                     "\n"
                     "A message of the module's error signal during an action ends the session.\n"
                     "\n"
                     "Exit status: 0 done, 1 a module or an action failed or the module reported\n"
                     "an error, 2 bad usage.\n";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString &message, int code = 1)
{
    QTextStream(stderr) << "ulvar-systemsettings: " << message << '\n';
    return code;
}

// Shows the window until it is on the screen and saves the screen's picture of it.
bool grab(QWidget *window, const QString &file)
{
    window->show();
    QElapsedTimer timer;
    timer.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window->repaint();
    QCoreApplication::processEvents();
    const QImage image = window->screen()->grabWindow(window->winId()).toImage();
    return !image.isNull() && image.save(file);
}

// Prints what the module reported since the last call; true when it reported anything.
bool reportErrors(ModuleHost &host)
{
    const QStringList errors = host.takeErrors();
    for (const QString &message : errors) {
        QTextStream(stderr) << "ulvar-systemsettings: " << host.metaData().pluginId() << ": " << message << '\n';
    }
    return !errors.isEmpty();
}

// A value as the module read it back after --set.
struct SetValue
{
    QVariant value;
    QString text;
};

// Loads the saved settings again: each value set since the last load must be
// back, in whatever form the module reads it.
int checkSaved(ModuleHost &host, QMap<QString, SetValue> &set)
{
    if (set.isEmpty()) {
        return 0;
    }
    host.load();
    for (auto it = set.cbegin(); it != set.cend(); ++it) {
        const QMetaProperty property = host.property(it.key());
        if (!ModuleHost::same(property, host.value(property), it.value().value)) {
            return fail(
                QStringLiteral("the module did not save %1=%2: it reads \"%3\" after loading again").arg(it.key(), it.value().text, host.text(property)));
        }
    }
    set.clear();
    return 0;
}

// Runs the actions; the exit status.
int runActions(ModuleHost &host, const QStringList &actions)
{
    // Property name to its value as read back after --set.
    QMap<QString, SetValue> set;
    for (int i = 0; i < actions.size(); ++i) {
        const QString &action = actions.at(i);
        const bool withArgument = action == QLatin1String("--set") || action == QLatin1String("--print") || action == QLatin1String("--grab");
        if (withArgument && i + 1 == actions.size()) {
            return fail(QStringLiteral("%1 needs an argument").arg(action), 2);
        }
        const QString argument = withArgument ? actions.at(++i) : QString();
        if (action == QLatin1String("--set")) {
            const int equals = argument.indexOf(QLatin1Char('='));
            QString error;
            if (equals < 0) {
                return fail(QStringLiteral("--set wants NAME=VALUE, got \"%1\"").arg(argument), 2);
            }
            const QString name = argument.left(equals);
            if (!host.setText(name, argument.mid(equals + 1), &error)) {
                reportErrors(host);
                return fail(error);
            }
            const QMetaProperty property = host.property(name);
            set.insert(name, {host.value(property), host.text(property)});
        } else if (action == QLatin1String("--save")) {
            host.save();
            if (reportErrors(host)) {
                return 1;
            }
            if (const int status = checkSaved(host, set)) {
                return status;
            }
        } else if (action == QLatin1String("--defaults")) {
            host.defaults();
            set.clear();
        } else if (action == QLatin1String("--load")) {
            host.load();
            set.clear();
        } else if (action == QLatin1String("--print")) {
            const QMetaProperty property = host.property(argument);
            if (!property.isValid()) {
                return fail(QStringLiteral("the module has no property \"%1\"").arg(argument));
            }
            out() << argument << '=' << host.text(property) << Qt::endl;
        } else if (action == QLatin1String("--print-all")) {
            for (const QMetaProperty &property : host.properties()) {
                out() << property.name() << '=' << host.text(property) << '\n';
            }
            out().flush();
        } else if (action == QLatin1String("--needs-save")) {
            out() << "needsSave=" << (host.needsSave() ? "true" : "false") << Qt::endl;
        } else if (action == QLatin1String("--grab")) {
            ModuleForm window(&host);
            if (!grab(&window, argument)) {
                return fail(QStringLiteral("cannot save a picture of the window in %1").arg(argument));
            }
        } else {
            return fail(QStringLiteral("unknown action \"%1\"").arg(action), 2);
        }
        if (reportErrors(host)) {
            return 1;
        }
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    // Scripted sessions need no display.
    const bool noDisplay = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (noDisplay) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    QStringList pluginDirs;
    while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'))) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (option != QLatin1String("--plugin-dir") || arguments.isEmpty()) {
            std::fputs(usage, stderr);
            return 2;
        }
        pluginDirs << arguments.takeFirst();
        if (!QFileInfo(pluginDirs.last()).isDir()) {
            return fail(QStringLiteral("no plug-in directory \"%1\"").arg(pluginDirs.last()), 2);
        }
        QCoreApplication::addLibraryPath(pluginDirs.last());
    }
    if (arguments.isEmpty() || arguments.first().isEmpty()) {
        std::fputs(usage, stderr);
        return 2;
    }

    const QString id = arguments.takeFirst();
    const KPluginMetaData data = ModuleHost::find(id, pluginDirs);
    if (data.fileName().isEmpty()) {
        return fail(QStringLiteral("no settings module \"%1\"").arg(id));
    }
    ModuleHost host(data);
    if (!host.module()) {
        return fail(QStringLiteral("cannot create the module of %1: %2").arg(data.fileName(), host.error()));
    }
    host.load();
    // What the settings on disk made the module report does not stop a session.
    reportErrors(host);
    if (!arguments.isEmpty()) {
        return runActions(host, arguments);
    }
    if (noDisplay) {
        return fail(QStringLiteral("no X display to show the module on (DISPLAY is not set)"));
    }
    ModuleForm window(&host);
    window.show();
    return app.exec();
}
