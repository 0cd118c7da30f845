#include "moduletestsupport.h"

#include <basepersonalizationsettingsprovider.h>
#include <desktopthemepart.h>
#include <effectsthemepart.h>
#include <personalization.h>
#include <screensaverthemepart.h>
#include <sizesthemepart.h>
#include <taskbarthemepart.h>
#include <wmthemepart.h>

#include <KPluginFactory>

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QMetaProperty>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QWidget>

namespace {
const QStringList namespaces{QStringLiteral("/plasma/kcms/systemsettings"), QStringLiteral("/plasma/kcms/systemsettings_qwidgets")};

// Whether each of the six parts of a equals that of b, in the parts' order.
QList<bool> partsEqual(const Personalization *a, const Personalization *b)
{
    return {
        *a->taskbarThemePart() == *b->taskbarThemePart(),
        *a->desktopThemePart() == *b->desktopThemePart(),
        *a->wmThemePart() == *b->wmThemePart(),
        *a->sizesThemePart() == *b->sizesThemePart(),
        *a->screenSaverThemePart() == *b->screenSaverThemePart(),
        *a->effectsThemePart() == *b->effectsThemePart(),
    };
}

// Another value of the property's type.
QVariant otherValue(const QMetaProperty &property, const QVariant &value)
{
    if (property.isEnumType()) {
        return (value.toInt() + 1) % property.enumerator().keyCount();
    }
    if (property.userType() == QMetaType::Bool) {
        return !value.toBool();
    }
    // A picture's path becomes none: the pages take no relative path.
    if (value.toString().startsWith(QLatin1Char('/'))) {
        return QString();
    }
    return value.toInt() + 1;
}

const QDateTime pastTime = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
} // namespace

KPluginMetaData ModuleTest::metaData(const QString &id)
{
    for (const QString &space : namespaces) {
        const auto plugins = KPluginMetaData::findPlugins(QStringLiteral(PEXO_PLUGIN_DIR) + space, {}, KPluginMetaData::AllowEmptyMetaData);
        for (const KPluginMetaData &plugin : plugins) {
            if (plugin.pluginId() == id) {
                return plugin;
            }
        }
    }
    return KPluginMetaData();
}

std::unique_ptr<QObject> ModuleTest::create(const QString &id)
{
    const auto result = KPluginFactory::instantiatePlugin<QObject>(metaData(id), nullptr, QVariantList());
    if (!result) {
        qWarning() << "cannot create" << id << result.errorText;
    }
    return std::unique_ptr<QObject>(result.plugin);
}

Personalization *ModuleTest::personalization(QObject *module)
{
    return module->findChild<Personalization *>(QString(), Qt::FindDirectChildrenOnly);
}

void ModuleTest::verifyMetaData(const QString &id, const MetaDataRow &row)
{
    const KPluginMetaData data = metaData(id);
    QVERIFY2(data.isValid(), qPrintable(id));
    QCOMPARE(QFileInfo(data.fileName()).fileName(), id + QStringLiteral(".so"));

    const QJsonObject raw = data.rawData();
    const QJsonObject plugin = raw.value(QStringLiteral("KPlugin")).toObject();
    QCOMPARE(plugin.value(QStringLiteral("Id")).toString(), id);
    QCOMPARE(plugin.value(QStringLiteral("Name")).toString(), row.name);
    QCOMPARE(plugin.value(QStringLiteral("Name[ru]")).toString(), row.nameRu);
    QCOMPARE(plugin.value(QStringLiteral("Description")).toString(), row.description);
    QCOMPARE(plugin.value(QStringLiteral("Description[ru]")).toString(), row.descriptionRu);
    QCOMPARE(plugin.value(QStringLiteral("Icon")).toString(), row.icon);
    QCOMPARE(plugin.value(QStringLiteral("ServiceTypes")).toArray(), QJsonArray{QStringLiteral("KCModule")});
    QCOMPARE(raw.value(QStringLiteral("X-Ulvar-System-Settings-Category")).toString(), QStringLiteral("user-environment"));
    QCOMPARE(raw.value(QStringLiteral("X-Ulvar-System-Settings-Parent-Category")).toString(), row.parentCategory);
    QVERIFY(raw.value(QStringLiteral("X-Ulvar-Weight")).isString());
    QCOMPARE(raw.value(QStringLiteral("X-Ulvar-Weight")).toString(), row.weight);
    QCOMPARE(raw.value(QStringLiteral("X-KDE-ParentApp")).toString(), QStringLiteral("kcontrol"));
    if (row.kdeWeight) {
        QCOMPARE(raw.value(QStringLiteral("X-KDE-Weight")), QJsonValue(row.kdeWeight));
    }
    QCOMPARE(raw.keys().size(), row.kdeWeight ? 6 : 5);

    QPluginLoader loader(data.fileName());
    QCOMPARE(loader.metaData().value(QStringLiteral("IID")).toString(), QStringLiteral("org.kde.KPluginFactory"));
    QCOMPARE(loader.metaData().value(QStringLiteral("className")).toString(), id + QStringLiteral("_factory"));
    const auto factory = KPluginFactory::loadFactory(data);
    QVERIFY(factory.plugin);
    QCOMPARE(QString::fromLatin1(factory.plugin->metaObject()->className()), id + QStringLiteral("_factory"));
    verifyParent(id);
}

void ModuleTest::verifyParent(const QString &id)
{
    KPluginFactory *factory = KPluginFactory::loadFactory(metaData(id)).plugin;
    QVERIFY2(factory, qPrintable(id));
    QObject owner;
    QObject *module = factory->create<QObject>(&owner);
    QVERIFY2(module, qPrintable(id));
    if (!module->isWidgetType()) {
        QCOMPARE(module->parent(), &owner);
        return;
    }
    const std::unique_ptr<QObject> orphan(module);
    QVERIFY2(!orphan->parent(), qPrintable(id));
    QWidget window;
    const QObject *child = factory->create<QObject>(&window);
    QVERIFY2(child && child->parent() == &window, qPrintable(id));
}

QStringList ModuleTest::propertyNames(const QObject *module)
{
    const QMetaObject *meta = module->metaObject();
    QStringList names;
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        names << QString::fromLatin1(property.name());
        if (QString::fromLatin1(property.notifySignal().name()) != names.last() + QStringLiteral("Changed")) {
            names.last() += QStringLiteral(" (bad change signal)");
        }
    }
    return names;
}

void ModuleTest::verifyProperties(QObject *module)
{
    QVERIFY(QMetaObject::invokeMethod(module, "load"));
    QCOMPARE(module->property("needsSave").toBool(), false);
    QSignalSpy announced(module, SIGNAL(needsSaveChanged()));
    QVERIFY(QMetaObject::invokeMethod(module, "updateNeedSave"));
    QVERIFY(QMetaObject::invokeMethod(module, "updateNeedSave"));
    QCOMPARE(announced.count(), 2);

    const QMetaObject *meta = module->metaObject();
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        if (!property.isWritable()) {
            continue;
        }
        const QVariant held = property.read(module);
        QSignalSpy changed(module, property.notifySignal());
        announced.clear();
        QVERIFY(property.write(module, held));
        QVERIFY2(changed.isEmpty() && announced.isEmpty(), property.name());

        QVERIFY(property.write(module, otherValue(property, held)));
        QVERIFY2(changed.count() == 1 && property.read(module) != held, property.name());
        QVERIFY2(module->property("needsSave").toBool() && !announced.isEmpty(), property.name());
        QVERIFY(property.write(module, held));
        QVERIFY2(changed.count() == 2 && !module->property("needsSave").toBool(), property.name());
    }
}

void ModuleTest::verifySaveAndDefaults(const QString &id)
{
    BehaviourTest::resetFiles(offDefaultSettings());
    const QString live = ThemeDefaults::currentThemeConfigPath;
    const std::unique_ptr<QObject> created = create(id);
    QObject *module = created.get();
    QVERIFY(module);
    QVERIFY(QMetaObject::invokeMethod(module, "load"));
    Personalization *held = personalization(module);
    QVERIFY(held);
    Personalization stored(std::make_shared<BasePersonalizationSettingsProvider>());
    stored.read();
    QCOMPARE(partsEqual(held, &stored), QList<bool>({true, true, true, true, true, true}));

    QFile file(live);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(pastTime, QFileDevice::FileModificationTime));
    file.close();
    const PexoTest::TreeSnapshot home = PexoTest::snapshotTree(QDir::homePath());
    QVERIFY(QMetaObject::invokeMethod(module, "save"));
    QVERIFY(QMetaObject::invokeMethod(module, "defaults"));
    QCOMPARE(PexoTest::treeDifferences(home, PexoTest::snapshotTree(QDir::homePath())), QStringList());
    QCOMPARE(QFileInfo(live).lastModified().toUTC(), pastTime);
    QCOMPARE(PexoTest::takeWmCommands(), QStringList());

    // defaults() reset exactly one part, the module's own, to its defaults.
    const QList<bool> kept = partsEqual(held, &stored);
    QCOMPARE(kept.count(false), 1);
    Personalization reset(std::make_shared<BasePersonalizationSettingsProvider>());
    reset.defaults();
    QVERIFY2(partsEqual(held, &reset).at(kept.indexOf(false)), qPrintable(id));
    QVERIFY(module->property("needsSave").toBool());
}

void ModuleTest::verifySavedValue(QObject *module, const char *property, const QVariant &value, const QString &key, const QString &text)
{
    QVERIFY(QMetaObject::invokeMethod(module, "load"));
    PexoTest::takeWmCommands();
    QVERIFY(module->setProperty(property, value));
    QVERIFY(QMetaObject::invokeMethod(module, "save"));
    QCOMPARE(BehaviourTest::liveValue(key), text);
    QCOMPARE(PexoTest::takeWmCommands().filter(QStringLiteral(" %1 ").arg(key)), QStringList{BehaviourTest::variableCommand(key, text)});
}

void ModuleTest::verifyImmutability(const QString &id, const QList<QPair<QString, QString>> &propertyKeys, const QString &notFixed)
{
    QByteArray master;
    for (const auto &pair : propertyKeys) {
        master += pair.second.toUtf8() + "=x\n";
    }
    for (const bool fixed : {true, false}) {
        BehaviourTest::resetFiles(QByteArray(""), fixed ? master : QByteArray());
        const std::unique_ptr<QObject> module = create(id);
        QVERIFY(module);
        for (const auto &pair : propertyKeys) {
            bool immutable = !fixed;
            QVERIFY(QMetaObject::invokeMethod(module.get(), "isImmutable", Q_RETURN_ARG(bool, immutable), Q_ARG(QString, pair.first)));
            QVERIFY2(immutable == fixed, qPrintable(pair.first));
        }
        bool immutable = true;
        QVERIFY(QMetaObject::invokeMethod(module.get(), "isImmutable", Q_RETURN_ARG(bool, immutable), Q_ARG(QString, notFixed)));
        QVERIFY2(!immutable, qPrintable(notFixed));
    }
}

QString ModuleTest::recordSettingsApplication()
{
    const QString settings = QDir::homePath() + QStringLiteral("/bin/ulvar-systemsettings");
    if (!PexoTest::installCommandRecorder(settings)) {
        return QString();
    }
    qputenv("PATH", QFileInfo(settings).path().toLocal8Bit() + ':' + qgetenv("PATH"));
    PexoTest::clearRecordedCommands();
    return settings;
}

QByteArray ModuleTest::offDefaultSettings()
{
    return "UsePager=false\nDnDIndicationOnDesktop=false\nOwnKbPerWindow=true\nTaskbarHeight=40\nScreenSaverDelay=30\nUseComposite=false\n";
}
