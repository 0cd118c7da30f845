#include "personalization.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"
#include "currentdesktopapplyhelper.h"
#include "currentdesktopreadhelper.h"
#include "currenteffectsapplyhelper.h"
#include "currenteffectsreadhelper.h"
#include "currentscreensaverapplyhelper.h"
#include "currentscreensaverreadhelper.h"
#include "currentsizesapplyhelper.h"
#include "currentsizesreadhelper.h"
#include "currenttaskbarapplyhelper.h"
#include "currenttaskbarreadhelper.h"
#include "currentwmapplyhelper.h"
#include "currentwmreadhelper.h"
#include "effectsthemepart.h"
#include "kconfigstorage.h"
#include "screensaverthemepart.h"
#include "taskbarthemepart.h"
#include "themesettings.h"

#include <QFileInfo>
#include <QSignalSpy>

using namespace BehaviourTest;

namespace {
// The live settings, logging every write and sync in order.
class LoggingSettings : public ThemeSettings
{
public:
    LoggingSettings(IThemeStorage *master, IThemeStorage *user, QStringList *log)
        : ThemeSettings(master, user)
        , m_log(log)
    {
    }
    int write(const QString &key, const QVariant &value) override
    {
        *m_log << key;
        return ThemeSettings::write(key, value);
    }
    bool sync() override
    {
        *m_log << QStringLiteral("sync");
        return ThemeSettings::sync();
    }

private:
    QStringList *m_log;
};

// The live helpers over the logging settings; logs which read helpers are asked for.
class LoggingProvider : public IPersonalizationSettingsProvider
{
public:
    IThemeSettings *settings() const override
    {
        return &m_settings;
    }
    IApplyHelper *taskbarApplyHelper() const override
    {
        return &m_taskbarApply;
    }
    IReadHelper *taskbarReadHelper() const override
    {
        return asked(QStringLiteral("taskbar"), &m_taskbarRead);
    }
    IApplyHelper *desktopApplyHelper() const override
    {
        return &m_desktopApply;
    }
    IReadHelper *desktopReadHelper() const override
    {
        return asked(QStringLiteral("desktop"), &m_desktopRead);
    }
    IApplyHelper *wmApplyHelper() const override
    {
        return &m_wmApply;
    }
    IReadHelper *wmReadHelper() const override
    {
        return asked(QStringLiteral("wm"), &m_wmRead);
    }
    IApplyHelper *sizesApplyHelper() const override
    {
        return &m_sizesApply;
    }
    IReadHelper *sizesReadHelper() const override
    {
        return asked(QStringLiteral("sizes"), &m_sizesRead);
    }
    IApplyHelper *screenSaverApplyHelper() const override
    {
        return &m_screenSaverApply;
    }
    IReadHelper *screenSaverReadHelper() const override
    {
        return asked(QStringLiteral("screensaver"), &m_screenSaverRead);
    }
    IApplyHelper *effectsApplyHelper() const override
    {
        return &m_effectsApply;
    }
    IReadHelper *effectsReadHelper() const override
    {
        return asked(QStringLiteral("effects"), &m_effectsRead);
    }

    mutable QStringList log;
    mutable QStringList readHelpersAsked;

private:
    IReadHelper *asked(const QString &part, IReadHelper *helper) const
    {
        readHelpersAsked << part;
        return helper;
    }

    KConfigStorage m_master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage m_user{ThemeDefaults::currentThemeConfigPath};
    mutable LoggingSettings m_settings{&m_master, &m_user, &log};
    mutable CurrentTaskbarApplyHelper m_taskbarApply{&m_settings};
    mutable CurrentTaskbarReadHelper m_taskbarRead{&m_settings};
    mutable CurrentDesktopApplyHelper m_desktopApply{&m_settings};
    mutable CurrentDesktopReadHelper m_desktopRead{&m_settings};
    mutable CurrentWmApplyHelper m_wmApply{&m_settings};
    mutable CurrentWmReadHelper m_wmRead{&m_settings};
    mutable CurrentSizesApplyHelper m_sizesApply{&m_settings};
    mutable CurrentSizesReadHelper m_sizesRead{&m_settings};
    mutable CurrentScreenSaverApplyHelper m_screenSaverApply{&m_settings};
    mutable CurrentScreenSaverReadHelper m_screenSaverRead{&m_settings};
    mutable CurrentEffectsApplyHelper m_effectsApply{&m_settings};
    mutable CurrentEffectsReadHelper m_effectsRead{&m_settings};
};

const QStringList taskbarKeys = {QStringLiteral("TaskbarPosition"),
                                 QStringLiteral("NoTaskbarButtonName"),
                                 QStringLiteral("UsePager"),
                                 QStringLiteral("TaskbarButtonCombine"),
                                 QStringLiteral("MultiTaskbar"),
                                 QStringLiteral("SwitcherAllPages"),
                                 QStringLiteral("BaseKbImage"),
                                 QStringLiteral("AltKbImage")};
const QStringList effectsKeys = {
    QStringLiteral("ThumbSize"), QStringLiteral("CompositeManager"), QStringLiteral("UseComposite"), QStringLiteral("FocusShadow")};
} // namespace

class PersonalizationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        resetFiles("TaskbarPosition=Top\nUsePager=false\nScreenSaverDelay=120\nUseComposite=false\n");
    }

    void applyAfterReadChangesNothing()
    {
        auto provider = std::make_shared<LoggingProvider>();
        Personalization personalization(provider);
        personalization.read();
        const QByteArray before = PexoTest::readFile(ThemeDefaults::currentThemeConfigPath);
        provider->log.clear();

        QVERIFY(!personalization.hasChanges());
        personalization.apply();
        QCOMPARE(provider->log, QStringList());
        QCOMPARE(PexoTest::readFile(ThemeDefaults::currentThemeConfigPath), before);
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
    }

    void appliesOnlyChangedParts()
    {
        auto provider = std::make_shared<LoggingProvider>();
        Personalization personalization(provider);
        personalization.read();
        provider->log.clear();

        personalization.screenSaverThemePart()->setDelay(300);
        personalization.apply();
        QCOMPARE(provider->log.count(QStringLiteral("sync")), 1);
        QCOMPARE(provider->log.last(), QStringLiteral("sync"));
        QCOMPARE(provider->log.size(), 13);
        QCOMPARE(liveValue(QStringLiteral("ScreenSaverDelay")), QStringLiteral("300"));
        const QStringList commands = PexoTest::takeWmCommands();
        QCOMPARE(commands.size(), 12);
        QCOMPARE(commands.first(), variableCommand(QStringLiteral("ScreenSaverDelay"), QStringLiteral("300")));
        QVERIFY(!personalization.hasChanges());
    }

    void syncsAfterEachAppliedPart()
    {
        auto provider = std::make_shared<LoggingProvider>();
        Personalization personalization(provider);
        personalization.read();
        provider->log.clear();

        personalization.effectsThemePart()->setPreview(false);
        personalization.taskbarThemePart()->setUsePager(true);
        personalization.apply();
        QCOMPARE(provider->log, taskbarKeys + QStringList{QStringLiteral("sync")} + effectsKeys + QStringList{QStringLiteral("sync")});
        QCOMPARE(liveValue(QStringLiteral("UsePager")), QStringLiteral("true"));
        QCOMPARE(liveValue(QStringLiteral("ThumbSize")), QStringLiteral("0"));
        const QStringList commands = PexoTest::takeWmCommands();
        QCOMPARE(commands.size(), 8 + 3);
        QCOMPARE(commands.at(2), variableCommand(QStringLiteral("UsePager"), QStringLiteral("true")));
        QCOMPARE(commands.at(8), variableCommand(QStringLiteral("ThumbSize"), QStringLiteral("0")));
    }

    void hasChangesStopsAtTheFirstChangedPart()
    {
        auto provider = std::make_shared<LoggingProvider>();
        Personalization personalization(provider);
        personalization.read();
        personalization.taskbarThemePart()->setPosition(QStringLiteral("Left"));
        provider->readHelpersAsked.clear();
        QVERIFY(personalization.hasChanges());
        QCOMPARE(provider->readHelpersAsked, QStringList{QStringLiteral("taskbar")});
    }

    void forwardsChanges()
    {
        Personalization personalization(std::make_shared<BasePersonalizationSettingsProvider>());
        QSignalSpy changed(&personalization, &Personalization::changed);
        personalization.read();
        changed.clear();
        personalization.effectsThemePart()->setCompositeManager(QStringLiteral("/usr/bin/picom"));
        QCOMPARE(changed.count(), 0);
        personalization.taskbarThemePart()->setMultiTaskbar(!personalization.taskbarThemePart()->multiTaskbar());
        personalization.screenSaverThemePart()->setNumlockOn(!personalization.screenSaverThemePart()->numlockOn());
        QCOMPARE(changed.count(), 2);
    }

    void immutableWhereTheMasterFileHoldsTheKey()
    {
        resetFiles("TaskbarPosition=Top\n", "UsePager=false\n");
        Personalization personalization(std::make_shared<BasePersonalizationSettingsProvider>());
        QVERIFY(personalization.isPropertyImmutable(QStringLiteral("UsePager")));
        QVERIFY(!personalization.isPropertyImmutable(QStringLiteral("TaskbarPosition")));
        QVERIFY(!personalization.isPropertyImmutable(QStringLiteral("ScreenSaverDelay")));
    }
};

QTEST_GUILESS_MAIN(PersonalizationTest)

#include "personalizationtest.moc"
