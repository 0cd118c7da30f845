#include "desktopthemepart.h"
#include "abstractdesktopapplyhelper.h"
#include "abstractdesktopreadhelper.h"
#include "basepersonalizationsettingsprovider.h"
#include "behaviourtestsupport.h"
#include "currentdesktopapplyhelper.h"
#include "failedwrites.h"

#include <pexodirs.h>

#include <QDir>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace BehaviourTest;

namespace {
const QString desktopDir = QString::fromUtf8(GetPexoDir(PexoDesktopDir).c_str());
const QString templateDir = QStringLiteral("/usr/share/pexo/Desktops/Desktop1");
const QByteArray shortcutCommand = "PEXOWM_UPDATE_SHORTCUT\n";

enum Shortcut { Trash, Computer };

QString entryPath(int shortcut)
{
    return desktopDir + (shortcut == Trash ? QStringLiteral("/mytrash.desktop") : QStringLiteral("/mycomp.desktop"));
}

QString templatePath(int shortcut)
{
    return templateDir + (shortcut == Trash ? QStringLiteral("/mytrash.desktop") : QStringLiteral("/mycomp.desktop"));
}

QByteArray entryText(const QByteArray &hidden)
{
    QByteArray text = "[Desktop Entry]\nName=Shortcut\nType=Link\nURL=trash:/\n";
    if (!hidden.isNull()) {
        text += "Hidden=" + hidden + '\n';
    }
    return text;
}

QString hiddenValue(const QString &path)
{
    KConfig config(path, KConfig::SimpleConfig);
    return KConfigGroup(&config, "Desktop Entry").readEntry("Hidden", QString());
}

struct Live
{
    BasePersonalizationSettingsProvider provider;
    AbstractDesktopApplyHelper *apply = static_cast<AbstractDesktopApplyHelper *>(provider.desktopApplyHelper());
    AbstractDesktopReadHelper *read = static_cast<AbstractDesktopReadHelper *>(provider.desktopReadHelper());

    bool readShown(int shortcut)
    {
        return shortcut == Trash ? read->readShowTrashOnDesktop() : read->readShowComputerOnDesktop();
    }
    bool applyShown(int shortcut, bool show)
    {
        return shortcut == Trash ? apply->applyShowTrashOnDesktop(show) : apply->applyShowComputerOnDesktop(show);
    }
};
} // namespace

class DesktopThemePartTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (int shortcut : {Trash, Computer}) {
            QFile::remove(entryPath(shortcut));
            QDir(entryPath(shortcut)).removeRecursively();
            QFile::remove(templatePath(shortcut));
            QVERIFY(PexoTest::writeFile(templatePath(shortcut), entryText(QByteArray())));
        }
        resetFiles();
    }

    void shortcuts_data()
    {
        QTest::addColumn<int>("shortcut");
        // The entry file before: none, "dir", "device" or "fifo" (not loadable) or its Hidden value ("" for none).
        QTest::addColumn<QString>("entry");
        // The template: "file", "none" or "fifo".
        QTest::addColumn<QString>("templateFile");
        QTest::addColumn<bool>("shownBefore");
        QTest::addColumn<bool>("show");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<bool>("shownAfter");

        for (int shortcut : {Trash, Computer}) {
            const char *name = shortcut == Trash ? "trash" : "computer";
            QTest::addRow("%s: none, show", name) << shortcut << "none"
                                                  << "file" << false << true << true << true;
            QTest::addRow("%s: none, hide", name) << shortcut << "none"
                                                  << "file" << false << false << false << false;
            QTest::addRow("%s: none, no template", name) << shortcut << "none"
                                                         << "none" << false << true << false << false;
            QTest::addRow("%s: none, fifo template", name) << shortcut << "none"
                                                           << "fifo" << false << true << false << false;
            QTest::addRow("%s: hidden, show", name) << shortcut << "true"
                                                    << "file" << false << true << true << true;
            QTest::addRow("%s: hidden, hide", name) << shortcut << "true"
                                                    << "file" << false << false << false << false;
            QTest::addRow("%s: visible, show", name) << shortcut << ""
                                                     << "file" << true << true << false << true;
            QTest::addRow("%s: visible, hide", name) << shortcut << "false"
                                                     << "file" << true << false << true << false;
            QTest::addRow("%s: directory, show", name) << shortcut << "dir"
                                                       << "file" << false << true << false << false;
            QTest::addRow("%s: device, hide", name) << shortcut << "device"
                                                    << "file" << false << false << false << false;
            QTest::addRow("%s: fifo, show", name) << shortcut << "fifo"
                                                  << "file" << false << true << false << false;
        }
    }

    void shortcuts()
    {
        QFETCH(int, shortcut);
        QFETCH(QString, entry);
        QFETCH(QString, templateFile);
        QFETCH(bool, shownBefore);
        QFETCH(bool, show);
        QFETCH(bool, applied);
        QFETCH(bool, shownAfter);

        const QString path = entryPath(shortcut);
        if (entry == QLatin1String("dir")) {
            QVERIFY(QDir().mkpath(path));
        } else if (entry == QLatin1String("device")) {
            // A node of the sandbox's own, never a system device.
            QCOMPARE(::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0666, makedev(1, 3)), 0);
        } else if (entry == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (entry != QLatin1String("none")) {
            QVERIFY(PexoTest::writeFile(path, entryText(entry.isEmpty() ? QByteArray() : entry.toLatin1())));
        }
        if (templateFile != QLatin1String("file")) {
            QVERIFY(QFile::remove(templatePath(shortcut)));
        }
        if (templateFile == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(QFile::encodeName(templatePath(shortcut)).constData(), 0600), 0);
        }

        // A fifo that is waited on ends the test run after 10 s.
        ::alarm(PexoTest::patienceMs / 1000);
        Live live;
        QCOMPARE(live.readShown(shortcut), shownBefore);
        const FailedWrites failed;
        QCOMPARE(live.applyShown(shortcut, show), applied);
        ::alarm(0);
        // A shortcut that could not be shown is a failed write of its entry.
        QCOMPARE(failed.files(), show && !shownAfter ? QStringList{path} : QStringList());
        QCOMPARE(PexoTest::takeWmCommands(), applied ? QStringList{QString::fromLatin1(shortcutCommand)} : QStringList());
        QCOMPARE(live.readShown(shortcut), shownAfter);

        if (entry == QLatin1String("dir")) {
            QVERIFY(QFileInfo(path).isDir());
        } else if (entry == QLatin1String("device") || entry == QLatin1String("fifo")) {
            struct stat st;
            QCOMPARE(::lstat(QFile::encodeName(path).constData(), &st), 0);
            QVERIFY(entry == QLatin1String("fifo") ? S_ISFIFO(st.st_mode) : S_ISCHR(st.st_mode));
        } else if (entry == QLatin1String("none")) {
            // Shown by a copy of the template.
            QCOMPARE(QFile::exists(path), applied);
            if (applied) {
                QCOMPARE(PexoTest::readFile(path), PexoTest::readFile(templatePath(shortcut)));
            }
        } else if (applied) {
            QCOMPARE(hiddenValue(path), show ? QStringLiteral("false") : QStringLiteral("true"));
            KConfig config(path, KConfig::SimpleConfig);
            QCOMPARE(KConfigGroup(&config, "Desktop Entry").readEntry("URL", QString()), QStringLiteral("trash:/"));
        }
    }

    void saveShowComputerSendsNothing()
    {
        QVERIFY(saveShowComputer(true));
        QVERIFY(QFile::exists(entryPath(Computer)));
        QVERIFY(!saveShowComputer(true));
        QVERIFY(saveShowComputer(false));
        QCOMPARE(hiddenValue(entryPath(Computer)), QStringLiteral("true"));
        QCOMPARE(PexoTest::takeWmCommands(), QStringList());
    }

    void readsSwitches_data()
    {
        QTest::addColumn<QByteArray>("live");
        QTest::addColumn<bool>("dragAndDrop");
        QTest::addColumn<bool>("adaptive");

        QTest::newRow("absent") << QByteArray() << true << true;
        QTest::newRow("FALSE") << QByteArray("DnDIndicationOnDesktop=FALSE\nAdaptiveIconStringColor=0\n") << false << false;
        QTest::newRow("no") << QByteArray("DnDIndicationOnDesktop=no\nAdaptiveIconStringColor=abc\n") << true << true;
    }

    void readsSwitches()
    {
        QFETCH(QByteArray, live);
        QFETCH(bool, dragAndDrop);
        QFETCH(bool, adaptive);

        resetFiles(live);
        Live settings;
        QCOMPARE(settings.read->readShowDragNDropIndication(), dragAndDrop);
        QCOMPARE(settings.read->readAdaptiveIconStringColor(), adaptive);
    }

    void appliesThePart()
    {
        // Both shortcuts already shown: only the two keys are sent.
        for (int shortcut : {Trash, Computer}) {
            QVERIFY(PexoTest::writeFile(entryPath(shortcut), entryText("false")));
        }
        resetFiles("DnDIndicationOnDesktop=true\n", "AdaptiveIconStringColor=true\n");
        Live live;
        DesktopThemePart part;
        part.read(live.read);
        QVERIFY(part.showTrashOnDesktop() && part.showComputerOnDesktop());
        part.setShowDragNDropIndication(false);
        part.setAdaptiveIconStringColor(false);
        QVERIFY(part.hasChanges(live.read));
        part.apply(live.apply);

        QCOMPARE(liveValue(QStringLiteral("DnDIndicationOnDesktop")), QStringLiteral("false"));
        QVERIFY(liveValue(QStringLiteral("AdaptiveIconStringColor")).isNull());
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{variableCommand(QStringLiteral("DnDIndicationOnDesktop"), QStringLiteral("false"))});
    }

    void defaultsShowTheShortcuts()
    {
        Live live;
        DesktopThemePart part;
        part.read(live.read);
        QVERIFY(!part.showTrashOnDesktop());
        part.defaults();
        QVERIFY(part.showTrashOnDesktop() && part.showComputerOnDesktop());
        QVERIFY(part.hasChanges(live.read));
        part.apply(live.apply);
        QCOMPARE(PexoTest::takeWmCommands().count(QString::fromLatin1(shortcutCommand)), 2);
        QVERIFY(!part.hasChanges(live.read));
    }
};

QTEST_GUILESS_MAIN(DesktopThemePartTest)

#include "desktopthemeparttest.moc"
