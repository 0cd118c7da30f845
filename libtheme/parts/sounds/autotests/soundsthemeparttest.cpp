// The sounds part's values, events and signals, and the helpers of a stored theme.

#include "soundsthemepart.h"
#include "basesoundsapplyhelper.h"
#include "basesoundsreadhelper.h"
#include "kconfigstorage.h"
#include "themedefaults.h"
#include "themesettings.h"

#include <pexotestsupport.h>

#include <QMetaEnum>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
using Part = SoundsThemePart;

struct EventRow
{
    Part::Sounds sound;
    const char *key;
    const char *defaultValue;
    const QString &(Part::*getter)() const;
    void (Part::*setter)(const QString &);
    void (Part::*changedSignal)();
    bool (AbstractSoundsApplyHelper::*apply)(const QString &);
};

// clang-format off
const EventRow eventRows[] = {
    {Part::MenuPopup, "MenuPopupSound", "", &Part::menuPopupSound, &Part::setMenuPopupSound, &Part::menuPopupSoundChanged, &AbstractSoundsApplyHelper::applyMenuPopupSound},
    {Part::MenuCommand, "MenuCommandSound", "", &Part::menuCommandSound, &Part::setMenuCommandSound, &Part::menuCommandSoundChanged, &AbstractSoundsApplyHelper::applyMenuCommandSound},
    {Part::Open, "OpenSound", "", &Part::openSound, &Part::setOpenSound, &Part::openSoundChanged, &AbstractSoundsApplyHelper::applyOpenSound},
    {Part::Close, "CloseSound", "", &Part::closeSound, &Part::setCloseSound, &Part::closeSoundChanged, &AbstractSoundsApplyHelper::applyCloseSound},
    {Part::RestoreUp, "RestoreUpSound", "", &Part::restoreUpSound, &Part::setRestoreUpSound, &Part::restoreUpSoundChanged, &AbstractSoundsApplyHelper::applyRestoreUpSound},
    {Part::RestoreDown, "RestoreDownSound", "", &Part::restoreDownSound, &Part::setRestoreDownSound, &Part::restoreDownSoundChanged, &AbstractSoundsApplyHelper::applyRestoreDownSound},
    {Part::Minimize, "MinimizeSound", "", &Part::minimizeSound, &Part::setMinimizeSound, &Part::minimizeSoundChanged, &AbstractSoundsApplyHelper::applyMinimizeSound},
    {Part::Maximize, "MaximizeSound", "", &Part::maximizeSound, &Part::setMaximizeSound, &Part::maximizeSoundChanged, &AbstractSoundsApplyHelper::applyMaximizeSound},
    {Part::SystemStart, "SystemStartSound", "x-pexo-wm-chimes.wav", &Part::systemStartSound, &Part::setSystemStartSound, &Part::systemStartSoundChanged, &AbstractSoundsApplyHelper::applySystemStartSound},
    {Part::SystemExit, "SystemExitSound", "x-pexo-wm-chimes.wav", &Part::systemExitSound, &Part::setSystemExitSound, &Part::systemExitSoundChanged, &AbstractSoundsApplyHelper::applySystemExitSound},
    {Part::SystemLock, "SystemLockSound", "x-pexo-wm-chimes.wav", &Part::systemLockSound, &Part::setSystemLockSound, &Part::systemLockSoundChanged, &AbstractSoundsApplyHelper::applySystemLockSound},
    {Part::LockerBell, "LockerBellSound", "x-pexo-wm-error.wav", &Part::lockerBellSound, &Part::setLockerBellSound, &Part::lockerBellSoundChanged, &AbstractSoundsApplyHelper::applyLockerBellSound},
    {Part::ErrorDialog, "ErrorDialogSound", "x-pexo-wm-error.wav", &Part::errorDialogSound, &Part::setErrorDialogSound, &Part::errorDialogSoundChanged, &AbstractSoundsApplyHelper::applyErrorDialogSound},
    {Part::ForceTrayMessage, "ForceTrayMessageSound", "x-pexo-wm-tooltip.wav", &Part::forceTrayMessageSound, &Part::setForceTrayMessageSound, &Part::forceTrayMessageSoundChanged, &AbstractSoundsApplyHelper::applyForceTrayMessageSound},
    {Part::OSDNotify, "OSDNotifySound", "x-pexo-wm-tooltip.wav", &Part::osdNotifySound, &Part::setOsdNotifySound, &Part::osdNotifySoundChanged, &AbstractSoundsApplyHelper::applyOSDNotifySound},
    {Part::BaseKb, "BaseKbSound", "", &Part::baseKbSound, &Part::setBaseKbSound, &Part::baseKbSoundChanged, &AbstractSoundsApplyHelper::applyBaseKbSound},
    {Part::AltKb, "AltKbSound", "", &Part::altKbSound, &Part::setAltKbSound, &Part::altKbSoundChanged, &AbstractSoundsApplyHelper::applyAltKbSound},
};
// clang-format on

struct Layers
{
    explicit Layers(const QString &userPath)
        : user(userPath)
    {
    }
    KConfigStorage master{ThemeDefaults::masterThemeConfigPath};
    KConfigStorage user;
    ThemeSettings settings{&master, &user};
};

const QString themerc = ThemeDefaults::userThemesDir + QStringLiteral("/Test/theme/themerc");

std::unique_ptr<Layers> openTheme(const QByteArray &themeBody)
{
    PexoTest::writeFile(ThemeDefaults::masterThemeConfigPath, "[Variables]\n");
    PexoTest::writeFile(themerc, themeBody.startsWith("[$i]") ? themeBody : "[Variables]\n" + themeBody);
    return std::make_unique<Layers>(themerc);
}

// A part whose every value differs from its default.
void fill(Part &part)
{
    part.setSoundThemeEnabled(true);
    part.setSoundTheme(QStringLiteral("freedesktop"));
    for (const EventRow &row : eventRows) {
        (part.*row.setter)(QStringLiteral("%1.oga").arg(QLatin1String(row.key)));
    }
}
} // namespace

class SoundsThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eventAddressing_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(eventRows)); ++i) {
            QTest::newRow(eventRows[i].key) << i;
        }
    }

    void eventAddressing()
    {
        QFETCH(int, row);
        const EventRow &event = eventRows[row];
        QCOMPARE(int(event.sound), row);

        Part part;
        QSignalSpy own(&part, event.changedSignal);
        QSignalSpy changed(&part, &IThemePart::changed);
        QSignalSpy sound(&part, &Part::soundChanged);
        part.setSound(event.sound, QStringLiteral("a.wav"));
        QCOMPARE((part.*event.getter)(), QStringLiteral("a.wav"));
        QCOMPARE(part.getSound(event.sound), QStringLiteral("a.wav"));
        QCOMPARE(own.count(), 1);
        QCOMPARE(changed.count(), 1); // no other value moved
        QCOMPARE(sound.count(), 1);
        QCOMPARE(sound.first().at(0).value<Part::Sounds>(), event.sound);
        QCOMPARE(sound.first().at(1).toString(), QStringLiteral("a.wav"));

        (part.*event.setter)(QStringLiteral("b.wav"));
        QCOMPARE(part.getSound(event.sound), QStringLiteral("b.wav"));
        part.setSound(event.sound, QStringLiteral("b.wav"));
        QCOMPARE(changed.count(), 2);
        QCOMPARE(sound.count(), 2);
    }

    void soundChangedComesLast()
    {
        Part part;
        QStringList order;
        connect(&part, &Part::menuPopupSoundChanged, this, [&order] {
            order << QStringLiteral("menuPopupSoundChanged");
        });
        connect(&part, &IThemePart::changed, this, [&order] {
            order << QStringLiteral("changed");
        });
        connect(&part, &Part::soundChanged, this, [&order] {
            order << QStringLiteral("soundChanged");
        });
        part.setMenuPopupSound(QStringLiteral("pop.wav"));
        // The forwarding to changed() is connected first, in the constructor.
        QCOMPARE(order, QStringList({QStringLiteral("changed"), QStringLiteral("menuPopupSoundChanged"), QStringLiteral("soundChanged")}));

        order.clear();
        part.setSoundTheme(QStringLiteral("t"));
        part.setSoundThemeEnabled(true);
        QCOMPARE(order, QStringList({QStringLiteral("changed"), QStringLiteral("changed")}));
    }

    void outOfRange()
    {
        Part part;
        part.defaults();
        QSignalSpy changed(&part, &IThemePart::changed);
        QSignalSpy sound(&part, &Part::soundChanged);
        part.setSound(Part::UndefinedSound, QStringLiteral("x.wav"));
        part.setSound(Part::Sounds(17), QStringLiteral("x.wav"));
        part.setSound(Part::Sounds(-2), QStringLiteral("x.wav"));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(sound.count(), 0);
        QCOMPARE(part.getSound(Part::UndefinedSound), QString());
        QCOMPARE(part.getSound(Part::Sounds(17)), QString());
        QCOMPARE(part.getSound(Part::OSDNotify), QStringLiteral("x-pexo-wm-tooltip.wav"));
    }

    void soundsIsAMetaType()
    {
        Part part;
        QVERIFY(QMetaType::type("SoundsThemePart::Sounds") != QMetaType::UnknownType);
        QCOMPARE(QByteArray(QMetaEnum::fromType<Part::Sounds>().valueToKey(Part::OSDNotify)), QByteArray("OSDNotify"));

        // Queued delivery needs the registered type.
        QList<Part::Sounds> delivered;
        connect(
            &part,
            &Part::soundChanged,
            this,
            [&delivered](Part::Sounds sound) {
                delivered << sound;
            },
            Qt::QueuedConnection);
        part.setSound(Part::AltKb, QStringLiteral("alt.wav"));
        QTRY_COMPARE_WITH_TIMEOUT(delivered, QList<Part::Sounds>{Part::AltKb}, PexoTest::patienceMs);
    }

    void defaultsAndStoredDefaults()
    {
        auto layers = openTheme(QByteArray());
        BaseSoundsReadHelper read(&layers->settings);
        Part part;
        fill(part);
        part.read(&read);
        QVERIFY(!part.soundThemeEnabled());
        QCOMPARE(part.soundTheme(), QString());
        for (const EventRow &row : eventRows) {
            QCOMPARE((part.*row.getter)(), QString::fromLatin1(row.defaultValue));
        }
        QVERIFY(!part.hasChanges(&read));

        Part reset;
        fill(reset);
        reset.defaults();
        QVERIFY(reset == part);
        QSignalSpy changed(&reset, &IThemePart::changed);
        reset.defaults();
        QCOMPARE(changed.count(), 0);
    }

    void enableSoundText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("enabled");

        QTest::newRow("false in capitals") << QByteArray("FALSE") << false;
        QTest::newRow("zero") << QByteArray("0") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("one") << QByteArray("1") << true;
        QTest::newRow("other word") << QByteArray("no") << true;
        QTest::newRow("true") << QByteArray("true") << true;
    }

    void enableSoundText()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, enabled);
        auto layers = openTheme("EnableSound=" + text + '\n');
        QCOMPARE(BaseSoundsReadHelper(&layers->settings).readSoundThemeEnabled(), enabled);
    }

    void storedThemeRoundTrip()
    {
        Part written;
        fill(written);
        written.setCloseSound(QString()); // an empty value is stored too
        {
            auto layers = openTheme(QByteArray());
            BaseSoundsApplyHelper apply(&layers->settings);
            written.apply(&apply);
        }
        const QByteArray file = PexoTest::readFile(themerc);
        QVERIFY(file.contains("EnableSound=true\n"));
        QVERIFY(file.contains("SoundTheme=freedesktop\n"));
        QVERIFY(file.contains("CloseSound=\n"));
        QVERIFY(file.contains("OSDNotifySound=OSDNotifySound.oga\n"));

        auto layers = std::make_unique<Layers>(themerc);
        BaseSoundsReadHelper read(&layers->settings);
        Part part;
        part.read(&read);
        QVERIFY(part == written);
        QVERIFY(!part.hasChanges(&read));

        part.setOsdNotifySound(QStringLiteral("osdnotifysound.oga"));
        QVERIFY(part.hasChanges(&read));
        QVERIFY(!(part == written)); // letter case counts

        QSignalSpy changed(&part, &IThemePart::changed);
        part.copyFrom(nullptr);
        QCOMPARE(changed.count(), 0);
        part.copyFrom(&written);
        QCOMPARE(changed.count(), 1);
        part.copyFrom(&written);
        QCOMPARE(changed.count(), 1);
        QVERIFY(part == written);
    }

    void readOnlyThemeRefusesEveryWrite()
    {
        const QByteArray body = "[$i]\n[Variables]\nSoundTheme=locked\n";
        auto layers = openTheme(body);
        BaseSoundsApplyHelper apply(&layers->settings);
        QVERIFY(!apply.applySoundThemeEnabled(true));
        QVERIFY(!apply.applySoundTheme(QStringLiteral("other")));
        for (const EventRow &row : eventRows) {
            QVERIFY2(!(apply.*row.apply)(QStringLiteral("x.wav")), row.key);
        }
        QCOMPARE(PexoTest::readFile(themerc), body);
    }
};

QTEST_GUILESS_MAIN(SoundsThemePartTest)

#include "soundsthemeparttest.moc"
