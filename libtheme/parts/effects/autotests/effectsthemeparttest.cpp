#include "effectsthemepart.h"
#include "abstracteffectsapplyhelper.h"
#include "abstracteffectsreadhelper.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"

#include <pexodirs.h>

#include <QDateTime>
#include <QSignalSpy>
#include <QStandardPaths>

#include <libconfig.h>

using namespace BehaviourTest;

namespace {
const QString picomFile = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/picom.conf");
const QString kompmgrrc = QString::fromUtf8(GetPexoDir(PexoUserConfigDir).c_str()) + QStringLiteral("/kompmgrrc");

const QByteArray allOff = "enable-transparency = false;\nshadow = false;\ncorner-radius = 0;\nvsync = false;\nanimations = false;\nfading = false;\n";
const QByteArray kompmgrOff = "[kompmgr]\nIgnoreTransparency=true\nCompmode=CompSimple\n";

// Each version of a compositor file gets a modification time of its own.
void writeCompositorFile(const QString &path, const QByteArray &content)
{
    static int bump = 0;
    QVERIFY(PexoTest::writeFile(path, content));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++bump), QFileDevice::FileModificationTime));
}

QVariant picomSetting(const char *name)
{
    config_t config;
    config_init(&config);
    QVariant value;
    if (config_read_file(&config, QFile::encodeName(picomFile).constData()) == CONFIG_TRUE) {
        if (config_setting_t *setting = config_setting_get_member(config_root_setting(&config), name)) {
            value =
                config_setting_type(setting) == CONFIG_TYPE_BOOL ? QVariant(bool(config_setting_get_bool(setting))) : QVariant(config_setting_get_int(setting));
        }
    }
    config_destroy(&config);
    return value;
}

QStringList restart()
{
    return variableCommands({{QStringLiteral("UseComposite"), QStringLiteral("false")}, {QStringLiteral("UseComposite"), QStringLiteral("true")}});
}

// Records the calls of the part.
class RecordingApplyHelper : public AbstractEffectsApplyHelper
{
public:
    bool record(const char *name, const QVariant &value)
    {
        calls << QString::fromLatin1(name) + QLatin1Char('=') + value.toString();
        return true;
    }
    bool applyShowPreview(bool show) override
    {
        return record("preview", show);
    }
    bool applyCompositeManager(const QString &compositeManager) override
    {
        return record("compositeManager", compositeManager);
    }
    bool applyEffectsEnabled(bool enabled) override
    {
        return record("effects", enabled);
    }
    bool applyTransparencyEnabled(bool enabled) override
    {
        return record("transparency", enabled);
    }
    bool applyShadowEnabled(bool enabled) override
    {
        return record("shadow", enabled);
    }
    bool applyShadowsOnlyForActiveEnabled(bool enabled) override
    {
        return record("shadowsForActive", enabled);
    }
    bool applyRoundedCornersEnabled(bool enabled) override
    {
        return record("roundedCorners", enabled);
    }
    bool applyVerticalSyncronizationEnabled(bool enabled) override
    {
        return record("vsync", enabled);
    }
    bool applyWindowAnimationsEnabled(bool enabled) override
    {
        return record("animations", enabled);
    }
    bool applyWindowFadingEnabled(bool enabled) override
    {
        return record("fading", enabled);
    }

    QStringList calls;
};

struct Live
{
    std::shared_ptr<BasePersonalizationSettingsProvider> provider = std::make_shared<BasePersonalizationSettingsProvider>();
    AbstractEffectsApplyHelper *apply = static_cast<AbstractEffectsApplyHelper *>(provider->effectsApplyHelper());
    AbstractEffectsReadHelper *read = static_cast<AbstractEffectsReadHelper *>(provider->effectsReadHelper());
};
} // namespace

class EffectsThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The compositor back ends live for the whole process: their files first.
        writeCompositorFile(picomFile, allOff);
        writeCompositorFile(kompmgrrc, kompmgrOff);
    }

    void init()
    {
        writeCompositorFile(picomFile, allOff);
        writeCompositorFile(kompmgrrc, kompmgrOff);
        resetFiles();
    }

    void appliesInItsOrder()
    {
        EffectsThemePart part;
        part.defaults();
        part.setPreview(false);
        RecordingApplyHelper helper;
        part.apply(&helper);
        const QStringList expected = {
            QStringLiteral("preview=false"),
            QStringLiteral("compositeManager=/usr/bin/compton"),
            QStringLiteral("effects=true"),
            QStringLiteral("transparency=true"),
            QStringLiteral("shadow=false"),
            QStringLiteral("shadowsForActive=true"),
            QStringLiteral("vsync=true"),
            QStringLiteral("roundedCorners=true"),
            QStringLiteral("animations=false"),
            QStringLiteral("fading=false"),
        };
        QCOMPARE(helper.calls, expected);
    }

    void compositorProgramIsNoChangeOfThePart()
    {
        EffectsThemePart part;
        QSignalSpy changed(&part, &IThemePart::changed);
        QSignalSpy programChanged(&part, &EffectsThemePart::compositeManagerChanged);
        QSignalSpy fadingChanged(&part, &EffectsThemePart::windowFadingEnabledChanged);

        part.setCompositeManager(QStringLiteral("/usr/bin/picom"));
        QCOMPARE(programChanged.count(), 1);
        QCOMPARE(changed.count(), 0);

        part.setWindowFadingEnabled(!part.windowFadingEnabled());
        part.setWindowFadingEnabled(part.windowFadingEnabled());
        QCOMPARE(fadingChanged.count(), 1);
        QCOMPARE(changed.count(), 1);
    }

    void readsStoredValues_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<QString>("reader");
        QTest::addColumn<bool>("expected");

        QTest::newRow("ThumbSize -1") << QByteArray("ThumbSize=-1\n") << "preview" << true;
        QTest::newRow("ThumbSize 0") << QByteArray("ThumbSize=0\n") << "preview" << false;
        QTest::newRow("ThumbSize 5") << QByteArray("ThumbSize=5\n") << "preview" << false;
        QTest::newRow("ThumbSize abc") << QByteArray("ThumbSize=abc\n") << "preview" << false;
        QTest::newRow("ThumbSize absent") << QByteArray("") << "preview" << true;
        QTest::newRow("FocusShadow -100") << QByteArray("FocusShadow=-100\n") << "focusShadow" << true;
        QTest::newRow("FocusShadow -2") << QByteArray("FocusShadow=-2\n") << "focusShadow" << true;
        QTest::newRow("FocusShadow -1") << QByteArray("FocusShadow=-1\n") << "focusShadow" << false;
        QTest::newRow("FocusShadow 0") << QByteArray("FocusShadow=0\n") << "focusShadow" << false;
        QTest::newRow("FocusShadow abc") << QByteArray("FocusShadow=abc\n") << "focusShadow" << false;
        QTest::newRow("UseComposite FALSE") << QByteArray("UseComposite=FALSE\n") << "effects" << false;
        QTest::newRow("UseComposite 0") << QByteArray("UseComposite=0\n") << "effects" << false;
        QTest::newRow("UseComposite no") << QByteArray("UseComposite=no\n") << "effects" << true;
        QTest::newRow("UseComposite absent") << QByteArray("") << "effects" << true;
    }

    void readsStoredValues()
    {
        QFETCH(QByteArray, live);
        QFETCH(QString, reader);
        QFETCH(bool, expected);

        resetFiles(live);
        Live settings;
        const bool value = reader == QLatin1String("preview") ? settings.read->readShowPreview()
            : reader == QLatin1String("focusShadow")          ? settings.read->readShadowsOnlyForActiveEnabled()
                                                              : settings.read->readEffectsEnabled();
        QCOMPARE(value, expected);
    }

    void sendsSettingsValues()
    {
        Live settings;
        QVERIFY(settings.apply->applyShowPreview(false));
        QVERIFY(settings.apply->applyShadowsOnlyForActiveEnabled(false));
        QVERIFY(settings.apply->applyEffectsEnabled(false));
        QVERIFY(settings.apply->applyCompositeManager(QStringLiteral("/usr/bin/picom")));

        QCOMPARE(liveValue(QStringLiteral("ThumbSize")), QStringLiteral("0"));
        QCOMPARE(liveValue(QStringLiteral("FocusShadow")), QStringLiteral("-1"));
        QCOMPARE(liveValue(QStringLiteral("UseComposite")), QStringLiteral("false"));
        QCOMPARE(liveValue(QStringLiteral("CompositeManager")), QStringLiteral("/usr/bin/picom"));
        // The compositor program is not announced.
        QCOMPARE(PexoTest::takeWmCommands(),
                 variableCommands({{QStringLiteral("ThumbSize"), QStringLiteral("0")},
                                   {QStringLiteral("FocusShadow"), QStringLiteral("-1")},
                                   {QStringLiteral("UseComposite"), QStringLiteral("false")}}));
    }

    void masterValueIsNotSent()
    {
        resetFiles("UseComposite=true\n", "UseComposite=true\nThumbSize=0\n");
        Live settings;
        QVERIFY(!settings.apply->applyEffectsEnabled(false));
        QVERIFY(!settings.apply->applyShowPreview(true));
        QCOMPARE(liveValue(QStringLiteral("UseComposite")), QStringLiteral("true"));
        QVERIFY(liveValue(QStringLiteral("ThumbSize")).isNull());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
    }

    void restartsOnlyWhileCompositing_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<QStringList>("commands");

        QTest::newRow("compositing on") << QByteArray("UseComposite=true\n") << restart();
        QTest::newRow("compositing by default") << QByteArray("") << restart();
        QTest::newRow("compositing off") << QByteArray("UseComposite=false\n") << QStringList();
    }

    void restartsOnlyWhileCompositing()
    {
        QFETCH(QByteArray, live);
        QFETCH(QStringList, commands);

        resetFiles(live);
        Live settings;
        QVERIFY(settings.apply->applyTransparencyEnabled(true));
        QCOMPARE(picomSetting("enable-transparency"), QVariant(true));
        QCOMPARE(PexoTest::takeWmCommands(), commands);

        // The value the file already holds: no change, no restart.
        QVERIFY(!settings.apply->applyTransparencyEnabled(true));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
    }

    void compositorOptionsGoToTheFile()
    {
        Live settings;
        QVERIFY(settings.apply->applyRoundedCornersEnabled(true));
        QVERIFY(settings.apply->applyVerticalSyncronizationEnabled(true));
        QVERIFY(settings.apply->applyWindowAnimationsEnabled(true));
        QVERIFY(settings.apply->applyWindowFadingEnabled(true));
        QCOMPARE(PexoTest::takeWmCommands(), restart() + restart() + restart() + restart());
        QCOMPARE(picomSetting("corner-radius"), QVariant(7));
        QCOMPARE(picomSetting("vsync"), QVariant(true));
        QCOMPARE(picomSetting("animations"), QVariant(true));
        QCOMPARE(picomSetting("fading"), QVariant(true));

        // Shadows never restart compositing.
        QVERIFY(settings.apply->applyShadowEnabled(true));
        QCOMPARE(picomSetting("shadow"), QVariant(true));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());

        // Never stored in the settings file.
        for (const auto &entry : {ThemeDefaults::CompositorShadowsEnabled, ThemeDefaults::CompositorRoundedCornersEnabled}) {
            QVERIFY(liveValue(entry.key).isNull());
        }
        QVERIFY(settings.read->readShadowEnabled());
        QVERIFY(settings.read->readRoundedCornersEnabled());
    }

    void restartFailsWithoutWindowManager()
    {
        Live settings;
        PexoTest::stopWmListener();
        const bool applied = settings.apply->applyWindowFadingEnabled(true);
        PexoTest::startWmListener();
        QVERIFY(!applied);
        QCOMPARE(picomSetting("fading"), QVariant(true));
    }

    void partApplyKeepsCompositingOff()
    {
        resetFiles("UseComposite=true\n");
        Live settings;
        EffectsThemePart part;
        part.read(settings.read);
        part.setEffectsEnabled(false);
        part.setTransparencyEnabled(true);
        QVERIFY(part.hasChanges(settings.read));
        part.apply(settings.apply);

        QCOMPARE(picomSetting("enable-transparency"), QVariant(true));
        QCOMPARE(PexoTest::takeWmCommands(),
                 variableCommands({{QStringLiteral("ThumbSize"), QStringLiteral("-1")},
                                   {QStringLiteral("UseComposite"), QStringLiteral("false")},
                                   {QStringLiteral("FocusShadow"), QStringLiteral("-100")}}));
        QVERIFY(!part.hasChanges(settings.read));
    }

    void selectsBackEnd_data()
    {
        QTest::addColumn<QString>("compositeManager");
        QTest::addColumn<bool>("transparency");
        QTest::addColumn<bool>("shadow");

        // libconfig: shadows only; kompmgrrc: transparency only.
        QTest::newRow("compton") << "/usr/bin/compton" << false << true;
        QTest::newRow("picom") << "/usr/bin/picom" << false << true;
        QTest::newRow("pexo-kompmgr") << "/usr/bin/pexo-kompmgr" << true << false;
        QTest::newRow("xcompmgr") << "/usr/bin/xcompmgr" << false << false;
        QTest::newRow("letter case") << "/usr/bin/Compton" << false << false;
        QTest::newRow("empty") << "" << false << false;
    }

    void selectsBackEnd()
    {
        QFETCH(QString, compositeManager);
        QFETCH(bool, transparency);
        QFETCH(bool, shadow);

        writeCompositorFile(picomFile, QByteArray(allOff).replace("shadow = false;", "shadow = true;"));
        writeCompositorFile(kompmgrrc, "[kompmgr]\nIgnoreTransparency=false\nCompmode=CompSimple\n");
        resetFiles("CompositeManager=" + compositeManager.toUtf8() + '\n');
        Live settings;
        QCOMPARE(settings.read->readCompositeManager(), compositeManager);
        QCOMPARE(settings.read->readTransparencyEnabled(), transparency);
        QCOMPARE(settings.read->readShadowEnabled(), shadow);

        const bool known = transparency || shadow;
        QCOMPARE(settings.apply->applyShadowEnabled(!shadow), known);
        QCOMPARE(settings.apply->applyRoundedCornersEnabled(true), known && !transparency);
    }

    void switchesBackEndWithinOneApply()
    {
        resetFiles("CompositeManager=/usr/bin/compton\n");
        Live settings;
        EffectsThemePart part;
        part.read(settings.read);
        QVERIFY(!part.transparencyEnabled());
        part.setCompositeManager(QStringLiteral("/usr/bin/pexo-kompmgr"));
        part.setTransparencyEnabled(true);
        part.apply(settings.apply);

        QCOMPARE(liveValue(QStringLiteral("CompositeManager")), QStringLiteral("/usr/bin/pexo-kompmgr"));
        QCOMPARE(PexoTest::readFile(picomFile), allOff);
        QVERIFY(PexoTest::readFile(kompmgrrc).contains("IgnoreTransparency=false"));
        // The read helper follows at its next compositor read.
        QVERIFY(settings.read->readTransparencyEnabled());
        QVERIFY(!settings.read->readVerticalSyncronizationEnabled());
    }

    void refusedProgramKeepsBackEnd()
    {
        resetFiles("", "CompositeManager=/usr/bin/compton\n");
        Live settings;
        QVERIFY(!settings.apply->applyCompositeManager(QStringLiteral("/usr/bin/pexo-kompmgr")));
        QVERIFY(settings.apply->applyTransparencyEnabled(true));
        QCOMPARE(picomSetting("enable-transparency"), QVariant(true));
        QCOMPARE(PexoTest::readFile(kompmgrrc), kompmgrOff);
    }

    void kompmgrRestartsForTransparencyOnly()
    {
        resetFiles("CompositeManager=/usr/bin/pexo-kompmgr\n");
        Live settings;
        EffectsThemePart part;
        part.read(settings.read);
        const QStringList expected = QStringList{variableCommand(QStringLiteral("ThumbSize"), QStringLiteral("-1")),
                                                 variableCommand(QStringLiteral("UseComposite"), QStringLiteral("true"))} +
            restart() + QStringList{variableCommand(QStringLiteral("FocusShadow"), QStringLiteral("-100"))};
        for (int round = 0; round < 2; ++round) {
            part.apply(settings.apply);
            QCOMPARE(PexoTest::takeWmCommands(), expected);
        }
    }
};

QTEST_GUILESS_MAIN(EffectsThemePartTest)

#include "effectsthemeparttest.moc"
