#include "modulehost.h"

#include <KPluginFactory>

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>
#include <QWidget>

#include <utility>

namespace {
const QStringList namespaces{QStringLiteral("plasma/kcms/systemsettings"), QStringLiteral("plasma/kcms/systemsettings_qwidgets")};
const char needsSaveProperty[] = "needsSave";

// The path a text spells: a file URL's path, "~" as the home folder, made
// absolute; empty when the text names no local path.
QString spelledPath(const QString &text)
{
    QString path = text;
    if (path.startsWith(QLatin1String("file:"))) {
        const QUrl url(path);
        if (!url.isValid() || !url.isLocalFile()) {
            return QString();
        }
        path = url.toLocalFile();
    } else if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/"))) {
        path = QDir::homePath() + path.mid(1);
    }
    return path.isEmpty() ? QString() : QDir::current().absoluteFilePath(path);
}

bool sameText(const QString &a, const QString &b)
{
    if (a == b) {
        return true;
    }
    // Another notation of one colour; a name alone may be a theme's.
    if ((a.startsWith(QLatin1Char('#')) || b.startsWith(QLatin1Char('#'))) && QColor::isValidColor(a) && QColor::isValidColor(b)) {
        return QColor(a) == QColor(b);
    }
    const QString pathA = spelledPath(a);
    const QString pathB = spelledPath(b);
    if (pathA.isEmpty() || pathB.isEmpty()) {
        return false;
    }
    // Two files are one only through links, never by their content; two
    // names of no file are one when they spell the same path.
    const QString fileA = QFileInfo(pathA).canonicalFilePath();
    const QString fileB = QFileInfo(pathB).canonicalFilePath();
    if (!fileA.isEmpty() || !fileB.isEmpty()) {
        return fileA == fileB;
    }
    return QDir::cleanPath(pathA) == QDir::cleanPath(pathB);
}
} // namespace

class ModuleHostPrivate
{
public:
    KPluginMetaData data;
    // A widget module may be deleted by the window that shows it.
    QPointer<QObject> module;
    QString error;
    // Reported by the module, not yet taken.
    QStringList errors;
    bool needsSave = false;
};

KPluginMetaData ModuleHost::find(const QString &module, const QStringList &firstDirs)
{
    if (module.contains(QLatin1Char('/'))) {
        return KPluginMetaData(module, KPluginMetaData::AllowEmptyMetaData);
    }
    // findPlugins() looks for a relative namespace beside the program before
    // the library paths, so the given directories are searched on their own.
    QStringList places;
    for (const QString &dir : firstDirs) {
        // The plug-in files themselves, or a plug-in root with namespaces.
        places << QDir(dir).absolutePath();
        for (const QString &space : namespaces) {
            places << QDir(dir).absoluteFilePath(space);
        }
    }
    places << namespaces;
    for (const QString &place : qAsConst(places)) {
        const QVector<KPluginMetaData> plugins = KPluginMetaData::findPlugins(place, {}, KPluginMetaData::AllowEmptyMetaData);
        for (const KPluginMetaData &plugin : plugins) {
            if (plugin.pluginId() == module) {
                return plugin;
            }
        }
    }
    return KPluginMetaData();
}

ModuleHost::ModuleHost(const KPluginMetaData &data)
    : d(new ModuleHostPrivate)
{
    d->data = data;
    const auto created = KPluginFactory::instantiatePlugin<QObject>(data, nullptr, QVariantList());
    d->module = created.plugin;
    d->error = created.errorText;
    if (!d->module) {
        return;
    }
    // QML modules keep the state in a property, widget modules report it.
    if (d->module->metaObject()->indexOfProperty(needsSaveProperty) >= 0) {
        connect(d->module.data(), SIGNAL(needsSaveChanged()), this, SLOT(qmlModuleChanged()));
    } else if (d->module->metaObject()->indexOfSignal("changed(bool)") >= 0) {
        connect(d->module.data(), SIGNAL(changed(bool)), this, SLOT(moduleChanged(bool)));
    }
    if (d->module->metaObject()->indexOfSignal("error(QString)") >= 0) {
        connect(d->module.data(), SIGNAL(error(QString)), this, SLOT(moduleError(QString)));
    }
}

ModuleHost::~ModuleHost()
{
    delete d->module.data();
}

QObject *ModuleHost::module() const
{
    return d->module.data();
}

QString ModuleHost::error() const
{
    return d->error;
}

const KPluginMetaData &ModuleHost::metaData() const
{
    return d->data;
}

QWidget *ModuleHost::widget() const
{
    return qobject_cast<QWidget *>(d->module.data());
}

QVector<QMetaProperty> ModuleHost::properties() const
{
    const QMetaObject *meta = d->module->metaObject();
    QVector<QMetaProperty> own;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        own << meta->property(i);
    }
    return own;
}

QMetaProperty ModuleHost::property(const QString &name) const
{
    for (const QMetaProperty &property : properties()) {
        if (name == QLatin1String(property.name())) {
            return property;
        }
    }
    return QMetaProperty();
}

QString ModuleHost::text(const QMetaProperty &property) const
{
    const QVariant value = property.read(d->module.data());
    if (property.isEnumType()) {
        const char *key = property.enumerator().valueToKey(value.toInt());
        return key ? QString::fromLatin1(key) : QString::number(value.toInt());
    }
    if (value.userType() == QMetaType::Bool) {
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return value.toString();
}

QVariant ModuleHost::value(const QMetaProperty &property) const
{
    return property.read(d->module.data());
}

bool ModuleHost::same(const QMetaProperty &property, const QVariant &a, const QVariant &b)
{
    if (property.isEnumType()) {
        return a.toInt() == b.toInt();
    }
    if (property.userType() == QMetaType::QString) {
        return sameText(a.toString(), b.toString());
    }
    return a == b;
}

bool ModuleHost::setText(const QString &name, const QString &text, QString *error)
{
    const QMetaProperty property = this->property(name);
    if (!property.isValid()) {
        *error = QStringLiteral("the module has no property \"%1\"").arg(name);
        return false;
    }
    if (!property.isWritable()) {
        *error = QStringLiteral("\"%1\" is read-only").arg(name);
        return false;
    }
    const QVariant before = property.read(d->module.data());
    bool ok = true;
    QVariant value;
    if (property.isEnumType()) {
        value = property.enumerator().keyToValue(text.toLatin1().constData(), &ok);
        if (!ok) {
            value = text.toInt(&ok);
        }
    } else if (property.userType() == QMetaType::Bool) {
        ok = text == QLatin1String("true") || text == QLatin1String("false");
        value = text == QLatin1String("true");
    } else if (property.userType() == QMetaType::Int) {
        value = text.toInt(&ok);
    } else if (property.userType() == QMetaType::QString) {
        value = text;
    } else {
        ok = false;
    }
    if (!ok || !property.write(d->module.data(), value)) {
        *error = QStringLiteral("\"%1\" is not a value of \"%2\" (%3)").arg(text, name, QLatin1String(property.typeName()));
        return false;
    }
    // A page may refuse a value by keeping the old one; one it takes it may
    // read back in its own form.
    if (!same(property, value, before) && same(property, property.read(d->module.data()), before)) {
        *error = QStringLiteral("the module did not take %1=%2: it reads \"%3\"").arg(name, text, this->text(property));
        return false;
    }
    return true;
}

QStringList ModuleHost::takeErrors()
{
    return std::exchange(d->errors, QStringList());
}

void ModuleHost::load()
{
    QMetaObject::invokeMethod(d->module.data(), "load");
    // Freshly loaded: a settings application clears a widget page's state itself.
    if (widget()) {
        moduleChanged(false);
    }
}

void ModuleHost::save()
{
    QMetaObject::invokeMethod(d->module.data(), "save");
    // Saved: a settings application clears the state itself.
    if (d->module->metaObject()->indexOfProperty(needsSaveProperty) >= 0) {
        d->module->setProperty(needsSaveProperty, false);
    } else {
        moduleChanged(false);
    }
}

void ModuleHost::defaults()
{
    QMetaObject::invokeMethod(d->module.data(), "defaults");
}

bool ModuleHost::needsSave() const
{
    return d->needsSave;
}

void ModuleHost::moduleChanged(bool changed)
{
    d->needsSave = changed;
    Q_EMIT needsSaveChanged(changed);
}

void ModuleHost::qmlModuleChanged()
{
    moduleChanged(d->module->property(needsSaveProperty).toBool());
}

void ModuleHost::moduleError(const QString &message)
{
    d->errors << message;
}
