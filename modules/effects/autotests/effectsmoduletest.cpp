// The effects page, loaded as a settings host loads it: the effects part,
// the window manager's values and Qt's interface effects.

#include <moduletestsupport.h>

#include <personalization.h>
#include <sizesthemepart.h>
#include <themedefaults.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString id = QStringLiteral("kcm_pexo_effects");
const QString guiEffects = QStringLiteral("Qt/GUIEffects");

QString qtSettingsPath()
{
    return QDir::homePath() + QStringLiteral("/.config/Trolltech.conf");
}

QStringList storedGuiEffects()
{
    return QSettings(qtSettingsPath(), QSettings::IniFormat).value(guiEffects).toStringList();
}

void setStoredGuiEffects(const QStringList &list)
{
    QSettings settings(qtSettingsPath(), QSettings::IniFormat);
    settings.setValue(guiEffects, list);
}

std::unique_ptr<QObject> loaded()
{
    auto module = ModuleTest::create(id);
    if (module) {
        QMetaObject::invokeMethod(module.get(), "load");
    }
    return module;
}

QString compositorFile()
{
    return QDir::homePath() + QStringLiteral("/.config/picom.conf");
}
} // namespace

class EffectsModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QCOMPARE(QSettings(QStringLiteral("Trolltech")).fileName(), qtSettingsPath());
        // The compositor's file is read once per process, when first needed.
        QVERIFY(PexoTest::writeFile(compositorFile(),
                                    "shadow = false;\nfading = true;\nvsync = true;\ncorner-radius = 0;\n"
                                    "enable-transparency = true;\nanimations = false;\n"));
    }

    void init()
    {
        BehaviourTest::resetFiles();
        QFile::remove(qtSettingsPath());
        qunsetenv("PEXO_NO_REAL_COMPOSITE");
    }

    void metaData()
    {
        ModuleTest::verifyMetaData(id,
                                   {QStringLiteral("Effects"),
                                    QStringLiteral("Эффекты"),
                                    QStringLiteral("Desktop effect settings"),
                                    QStringLiteral("Настройки эффектов рабочего стола"),
                                    QStringLiteral("preferences-system-effects"),
                                    QStringLiteral("70")});
    }

    void properties()
    {
        const auto module = ModuleTest::create(id);
        QVERIFY(module);
        const QStringList names{
            QStringLiteral("preview"),
            QStringLiteral("effectsEnabled"),
            QStringLiteral("compositeEnabled"),
            QStringLiteral("transparencyEnabled"),
            QStringLiteral("shadowEnabled"),
            QStringLiteral("shadowsForActiveEnabled"),
            QStringLiteral("roundedCornersEnabled"),
            QStringLiteral("verticalSyncronizationEnabled"),
            QStringLiteral("windowAnimationsEnabled"),
            QStringLiteral("windowFadingEnabled"),
            QStringLiteral("startMenuMapSpeed"),
            QStringLiteral("arrangeWindowSpeed"),
            QStringLiteral("gradWindowMapSpeed"),
            QStringLiteral("windowMapStyle"),
            QStringLiteral("menuShowDelay"),
            QStringLiteral("menuHideDelay"),
            QStringLiteral("gradMenuMapSpeed"),
            QStringLiteral("gradTaskbarMotionSpeed"),
            QStringLiteral("taskbarShowDelay"),
            QStringLiteral("taskbarHideDelay"),
            QStringLiteral("uiEffectsEnabled"),
            QStringLiteral("menuEffect"),
            QStringLiteral("comboEffect"),
            QStringLiteral("tooltipEffect"),
            QStringLiteral("toolBoxEffect"),
        };
        QCOMPARE(ModuleTest::propertyNames(module.get()), names);
        ModuleTest::verifyProperties(module.get());
    }

    // The part's values live in the settings and in the compositor's file.
    void effectsPart()
    {
        BehaviourTest::resetFiles("ThumbSize=0\nUseComposite=false\nFocusShadow=-1\n");
        const auto module = loaded();
        QVERIFY(module);
        QVERIFY(!module->property("preview").toBool() && !module->property("effectsEnabled").toBool());
        QVERIFY(!module->property("shadowsForActiveEnabled").toBool() && !module->property("shadowEnabled").toBool());
        QVERIFY(module->property("windowFadingEnabled").toBool() && !module->property("roundedCornersEnabled").toBool());

        module->setProperty("effectsEnabled", true);
        module->setProperty("shadowEnabled", true);
        QVERIFY(module->property("needsSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("UseComposite")), QStringLiteral("true"));
        QVERIFY(PexoTest::readFile(compositorFile()).contains("shadow = true;"));
        QVERIFY(BehaviourTest::liveValue(QStringLiteral("CompositorShadowsEnabled")).isNull());
        // Shadows need no restart of compositing: one command for the switch.
        QCOMPARE(PexoTest::takeWmCommands().filter(QStringLiteral("UseComposite")),
                 QStringList{BehaviourTest::variableCommand(QStringLiteral("UseComposite"), QStringLiteral("true"))});
    }

    // A file that cannot be written: the page says so once, and the change
    // still needs saving.
    void unwritableFiles_data()
    {
        QTest::addColumn<QByteArray>("compositor");
        QTest::addColumn<QString>("unwritable");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<bool>("liveKept");
        const QString kompmgrrc = QDir::homePath() + QStringLiteral("/.config/pexo/kompmgrrc");
        QTest::newRow("picom.conf") << QByteArray("/usr/bin/picom") << compositorFile() << compositorFile() << QByteArray("windowFadingEnabled") << false;
        QTest::newRow("kompmgrrc") << QByteArray("/usr/bin/pexo-kompmgr") << kompmgrrc << kompmgrrc << QByteArray("transparencyEnabled") << false;
        QTest::newRow("configuration directory") << QByteArray("/usr/bin/picom") << QDir::homePath() + QStringLiteral("/.config") << qtSettingsPath()
                                                 << QByteArray("uiEffectsEnabled") << true;
        // A fifo in its place is neither waited on nor replaced.
        QTest::newRow("Qt settings fifo") << QByteArray("/usr/bin/picom") << QString() << qtSettingsPath() << QByteArray("uiEffectsEnabled") << true;
        // Known before the first write: the live settings are not written either.
        QTest::newRow("Qt settings read-only, with a live value")
            << QByteArray("/usr/bin/picom") << qtSettingsPath() << qtSettingsPath() << QByteArray("uiEffectsEnabled,windowFadingEnabled") << true;
        QTest::newRow("Qt settings read-only, a window manager value")
            << QByteArray("/usr/bin/picom") << qtSettingsPath() << qtSettingsPath() << QByteArray("menuShowDelay") << true;
    }

    void unwritableFiles()
    {
        QFETCH(QByteArray, compositor);
        QFETCH(QString, unwritable);
        QFETCH(QString, file);
        QFETCH(QByteArray, property);
        QFETCH(bool, liveKept);
        BehaviourTest::resetFiles("CompositeManager=" + compositor + "\n");
        QVERIFY(QFile::exists(file) || PexoTest::writeFile(file, QByteArray()));
        const auto module = loaded();
        QVERIFY(module);
        QSignalSpy errors(module.get(), SIGNAL(error(QString)));
        const QByteArray live = PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
        for (const QByteArray &name : property.split(',')) {
            module->setProperty(name.constData(), !module->property(name.constData()).toBool());
        }
        if (unwritable.isEmpty()) {
            QVERIFY(QFile::remove(file));
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
            QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
            QVERIFY(QFileInfo(file).isFile() == false && QFileInfo(file).exists());
        } else {
            const QByteArray before = PexoTest::readFile(file);
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), unwritable, unwritable}), 0);
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), unwritable}), 0);
            QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
            QProcess::execute(QStringLiteral("umount"), {unwritable});
            QCOMPARE(PexoTest::readFile(file), before);
        }
        QCOMPARE(errors.count(), 1);
        QVERIFY2(errors.first().first().toString().contains(file), qPrintable(errors.first().first().toString()));
        QCOMPARE(PexoTest::readFile(ThemeDefaults::currentThemeConfigPath) == live, liveKept);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "updateNeedSave"));
        QVERIFY(module->property("needsSave").toBool());
    }

    void windowManagerValues()
    {
        BehaviourTest::resetFiles("StartMenuMapSpeed=5\nMenuDelayTime=abc\nGradWindowMapStyle=rightToLEFT\n", "TaskbarHideDelay=900\n");
        auto module = loaded();
        QVERIFY(module);
        QCOMPARE(module->property("startMenuMapSpeed").toInt(), 5);
        QCOMPARE(module->property("menuShowDelay").toInt(), 0);
        QCOMPARE(module->property("windowMapStyle").toInt(), 7);
        QCOMPARE(module->property("taskbarShowDelay").toInt(), 500);
        QCOMPARE(module->property("taskbarHideDelay").toInt(), 900);
        QVERIFY(!module->property("needsSave").toBool());

        // Every value is written and announced, but the one the master file fixes.
        module->setProperty("taskbarHideDelay", 100);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(PexoTest::takeWmCommands(),
                 BehaviourTest::variableCommands({{QStringLiteral("StartMenuMapSpeed"), QStringLiteral("5")},
                                                  {QStringLiteral("ArrangeWindowSpeed"), QStringLiteral("0")},
                                                  {QStringLiteral("GradWindowMapSpeed"), QStringLiteral("0")},
                                                  {QStringLiteral("GradWindowMapStyle"), QStringLiteral("RightToLeft")},
                                                  {QStringLiteral("MenuDelayTime"), QStringLiteral("0")},
                                                  {QStringLiteral("MenuDelayTime2"), QStringLiteral("300")},
                                                  {QStringLiteral("GradMenuMapSpeed"), QStringLiteral("0")},
                                                  {QStringLiteral("GradTaskbarMotionSpeed"), QStringLiteral("0")},
                                                  {QStringLiteral("TaskbarShowDelay"), QStringLiteral("500")}}));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("TaskbarShowDelay")), QStringLiteral("500"));
        QVERIFY(BehaviourTest::liveValue(QStringLiteral("TaskbarHideDelay")).isNull());
        QVERIFY(module->property("needsSave").toBool());

        // Each style is stored by its name and reads back.
        for (int style = 0; style < 9; ++style) {
            module->setProperty("windowMapStyle", style);
            QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
            module->setProperty("windowMapStyle", (style + 1) % 9);
            QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
            QCOMPARE(module->property("windowMapStyle").toInt(), style);
        }
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("GradWindowMapStyle")), QStringLiteral("BottomToTop"));
        module.reset();

        BehaviourTest::resetFiles("GradWindowMapStyle=\n");
        module = loaded();
        QCOMPARE(module->property("windowMapStyle").toInt(), 7);
    }

    // Another program changed values that the page holds since it loaded:
    // the save writes the page's own edits into them and keeps the others.
    void savedBesideAnotherWriter()
    {
        setStoredGuiEffects({QStringLiteral("general")});
        const auto module = loaded();
        QVERIFY(module);
        {
            KConfig other(ThemeDefaults::currentThemeConfigPath, KConfig::SimpleConfig);
            other.group(QStringLiteral("Variables")).writeEntry("StartMenuMapSpeed", 7);
            QVERIFY(other.sync());
        }
        setStoredGuiEffects({QStringLiteral("general"), QStringLiteral("animatemenu")});
        module->setProperty("arrangeWindowSpeed", 3);
        module->setProperty("tooltipEffect", 1);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("StartMenuMapSpeed")), QStringLiteral("7"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("ArrangeWindowSpeed")), QStringLiteral("3"));
        QCOMPARE(storedGuiEffects(), QStringList({QStringLiteral("general"), QStringLiteral("animatemenu"), QStringLiteral("animatetooltip")}));
        QCOMPARE(module->property("startMenuMapSpeed").toInt(), 7);
    }

    void interfaceEffects()
    {
        setStoredGuiEffects({QStringLiteral("fademenu"),
                             QStringLiteral("animatemenu"),
                             QStringLiteral("animatecombo"),
                             QStringLiteral("animatetooltip"),
                             QStringLiteral("animatetoolbox"),
                             QStringLiteral("unknown")});
        const auto module = loaded();
        QVERIFY(module);
        QCOMPARE(module->property("uiEffectsEnabled").toBool(), false);
        QCOMPARE(module->property("menuEffect").toInt(), 2);
        QCOMPARE(module->property("comboEffect").toInt(), 1);
        QCOMPARE(module->property("tooltipEffect").toInt(), 1);
        QCOMPARE(module->property("toolBoxEffect").toInt(), 1);

        // Combo and tool boxes cannot fade: that reads back as none.
        module->setProperty("uiEffectsEnabled", true);
        module->setProperty("menuEffect", 1);
        module->setProperty("comboEffect", 2);
        module->setProperty("tooltipEffect", 2);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        const QStringList enabled{QStringLiteral("general"), QStringLiteral("animatemenu"), QStringLiteral("fadetooltip"), QStringLiteral("animatetoolbox")};
        QCOMPARE(storedGuiEffects(), enabled);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("comboEffect").toInt(), 0);
        QVERIFY(!module->property("needsSave").toBool());
        module->setProperty("toolBoxEffect", 2);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(storedGuiEffects(), enabled.mid(0, 3));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("toolBoxEffect").toInt(), 0);

        module->setProperty("uiEffectsEnabled", false);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(storedGuiEffects(), QStringList{QStringLiteral("none")});
        // The effects still shown are gone from the file until the next load.
        QVERIFY(module->property("needsSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("menuEffect").toInt(), 0);
        QVERIFY(!module->property("needsSave").toBool());
    }

    // Running Qt applications re-read the file when the stamp changes, so the
    // file must be complete by then.
    void settingsStampAfterFile()
    {
        const auto module = loaded();
        QVERIFY(module);
        module->setProperty("uiEffectsEnabled", true);
        module->setProperty("menuEffect", 2);

        const QByteArray stampName = "_QT_SETTINGS_TIMESTAMP_" + qgetenv("DISPLAY");
        const QByteArray stampBefore = PexoTest::rootWindowProperty(stampName);
        QTest::qWait(5);
        // Setting the stamp delivers the posted events right after it.
        QByteArray fileWhenStamped;
        QMetaObject::invokeMethod(
            this,
            [&fileWhenStamped]() {
                fileWhenStamped = PexoTest::readFile(qtSettingsPath());
            },
            Qt::QueuedConnection);
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QVERIFY2(fileWhenStamped.contains("GUIEffects=general, fademenu\n"), fileWhenStamped.constData());
        const QByteArray stamp = PexoTest::rootWindowProperty(stampName);
        QVERIFY(!stamp.isEmpty() && stamp != stampBefore);
    }

    void compositeEnabled()
    {
        BehaviourTest::resetFiles("CompositeManager=/usr/bin/xcompmgr\n");
        auto module = ModuleTest::create(id);
        QVERIFY(module);
        QSignalSpy changed(module.get(), SIGNAL(compositeEnabledChanged()));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(!module->property("compositeEnabled").toBool());
        module.reset();

        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/compton")));
        BehaviourTest::resetFiles();
        module = loaded();
        QVERIFY(module->property("compositeEnabled").toBool());
        qputenv("PEXO_NO_REAL_COMPOSITE", QByteArray(""));
        QVERIFY(!module->property("compositeEnabled").toBool());
        QVERIFY(PexoTest::removePath(QStringLiteral("/usr/bin/compton")));
    }

    void immutability()
    {
        ModuleTest::verifyImmutability(id,
                                       {{QStringLiteral("preview"), QStringLiteral("ThumbSize")},
                                        {QStringLiteral("effectsEnabled"), QStringLiteral("UseComposite")},
                                        {QStringLiteral("verticalSyncronizationEnabled"), QStringLiteral("CompositorVerticalSyncronizationEnabled")},
                                        {QStringLiteral("windowFadingEnabled"), QStringLiteral("windowFadingEnabled")},
                                        {QStringLiteral("windowMapStyle"), QStringLiteral("GradWindowMapStyle")},
                                        {QStringLiteral("taskbarHideDelay"), QStringLiteral("TaskbarHideDelay")},
                                        {QStringLiteral("toolBoxEffect"), QStringLiteral("toolBoxEffect")}},
                                       QStringLiteral("compositeEnabled"));
    }

    // Defaults reset the effects part and the page's own values; nothing else
    // and nothing on disk.
    void defaults()
    {
        BehaviourTest::resetFiles("ThumbSize=0\nTaskbarHeight=40\nMenuDelayTime=100\nGradWindowMapStyle=FromButton\n");
        setStoredGuiEffects({QStringLiteral("general"), QStringLiteral("fadetooltip")});
        const auto module = loaded();
        QVERIFY(module);
        const PexoTest::TreeSnapshot home = PexoTest::snapshotTree(QDir::homePath());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "defaults"));
        QCOMPARE(PexoTest::treeDifferences(home, PexoTest::snapshotTree(QDir::homePath())), QStringList());
        QVERIFY(module->property("preview").toBool());
        QCOMPARE(module->property("menuShowDelay").toInt(), 300);
        QCOMPARE(module->property("windowMapStyle").toInt(), 0);
        QVERIFY(!module->property("uiEffectsEnabled").toBool());
        QCOMPARE(module->property("tooltipEffect").toInt(), 0);
        QCOMPARE(ModuleTest::personalization(module.get())->sizesThemePart()->taskbarSize(), 40);
        QVERIFY(module->property("needsSave").toBool());
    }

    void qmlPage()
    {
        const auto module = loaded();
        QVERIFY(module);
        QQmlEngine engine;
        engine.rootContext()->setContextProperty(QStringLiteral("kcm"), module.get());
        QQmlComponent page(&engine);
        page.setData("import QtQml 2.15\n"
                     "import ru.ulvarlinux.kcm.effects.private 1.0\n"
                     "QtObject {\n"
                     "    property int style: WindowMapStyle.RightToLeft\n"
                     "    Component.onCompleted: kcm.tooltipEffect = UiEffect.Fade\n"
                     "}\n",
                     QUrl());
        std::unique_ptr<QObject> object(page.create());
        QVERIFY2(object, qPrintable(page.errorString()));
        QCOMPARE(object->property("style").toInt(), 7);
        QCOMPARE(module->property("tooltipEffect").toInt(), 2);

        for (const QByteArray &type : {QByteArrayLiteral("WindowMapStyle"), QByteArrayLiteral("UiEffect")}) {
            QQmlComponent created(&engine);
            created.setData("import ru.ulvarlinux.kcm.effects.private 1.0\n" + type + " {}\n", QUrl());
            QVERIFY2(created.errorString().contains(QStringLiteral("enum class for ") + QString::fromLatin1(type)), qPrintable(created.errorString()));
        }
    }
};

QTEST_MAIN(EffectsModuleTest)

#include "effectsmoduletest.moc"
