// The live cursor helpers: the core library's cursor state, the window
// manager, the X resource database and the display's cursor theme.

#include "currentcursorapplyhelper.h"
#include "currentcursorreadhelper.h"
#include "cursorthemepart.h"
#include "x11support.h"

#include <pexoicontheme.h>
#include <pexotestsupport.h>

#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTest>

#include <X11/Xcursor/Xcursor.h>

namespace {
bool loadResources(const QByteArray &resources)
{
    QProcess xrdb;
    xrdb.start(QStringLiteral("xrdb"), {QStringLiteral("-nocpp"), QStringLiteral("-load")});
    xrdb.write(resources);
    xrdb.closeWriteChannel();
    return PexoTest::waitForExit(xrdb) && xrdb.exitCode() == 0;
}

QByteArray resources()
{
    return PexoTest::rootWindowProperty("RESOURCE_MANAGER");
}

QByteArray displayCursorTheme()
{
    return QByteArray(XcursorGetTheme(PexoX11::display()));
}

// The last entry is what a C preprocessor would rewrite.
const QByteArray cursorResources = "Xcursor.theme:\told\nXcursor.size:\t48\nXft.dpi:\t96\nPexo.note:\tlinux /* kept */ as is\n";
} // namespace

class CurrentCursorHelpersTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(PexoX11::display());
        PexoTest::takeWmCommands();
    }

    void sessionWithoutCursorTheme()
    {
        CurrentCursorReadHelper read(nullptr);
        QCOMPARE(read.readCurrentTheme(), QStringLiteral("default"));
        QCOMPARE(read.readSize(), -1);
    }

    void applyTheme()
    {
        QVERIFY(loadResources(cursorResources));
        CurrentCursorApplyHelper apply(nullptr);
        QVERIFY(apply.applyCurrentTheme(QStringLiteral("Adwaita")));

        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL CursorTheme Adwaita\n")});
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeName(nullptr), std::string("Adwaita"));
        const QByteArray left = resources();
        QVERIFY2(!left.contains("Xcursor.theme") && !left.contains("Xcursor.size"), left.constData());
        QVERIFY2(left.contains("Xft.dpi:\t96"), left.constData());
        QVERIFY2(left.contains("Pexo.note:\tlinux /* kept */ as is\n"), left.constData());
        QCOMPARE(displayCursorTheme(), QByteArray("Adwaita"));
        QCOMPARE(CurrentCursorReadHelper(nullptr).readCurrentTheme(), QStringLiteral("Adwaita"));
    }

    void applyPartInOrder()
    {
        CursorThemePart part;
        part.setCurrentTheme(QStringLiteral("DMZ-Black"));
        part.setCurrentSize(32);
        CurrentCursorApplyHelper apply(nullptr);
        part.apply(&apply);
        QCOMPARE(PexoTest::takeWmCommands(),
                 QStringList({QStringLiteral("PEXOWM_UPDATE_VAL CursorTheme DMZ-Black\n"), QStringLiteral("PEXOWM_UPDATE_VAL CursorSize 32\n")}));
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeSize(nullptr), 32);

        CurrentCursorReadHelper read(nullptr);
        QVERIFY(!part.hasChanges(&read));
        part.setCurrentSize(-1);
        QVERIFY(part.hasChanges(&read));
        QVERIFY(apply.applySize(-1)); // passed on unchanged
        QCOMPARE(PexoTest::takeWmCommands(), QStringList{QStringLiteral("PEXOWM_UPDATE_VAL CursorSize -1\n")});
        QCOMPARE(read.readSize(), -1);
    }

    void noWindowManager()
    {
        QVERIFY(loadResources(cursorResources));
        CurrentCursorApplyHelper apply(nullptr);
        PexoTest::stopWmListener();
        const bool applied = apply.applyCurrentTheme(QStringLiteral("Hackneyed"));
        PexoTest::startWmListener();
        QVERIFY(!applied);
        QVERIFY(PexoTest::takeWmCommands().isEmpty());
        // The core library already has the name; the X server is left alone.
        QCOMPARE(PexoIconTheme::getCurrentCursorThemeName(nullptr), std::string("Hackneyed"));
        QVERIFY(resources().contains("Xcursor.theme:\told"));
        QCOMPARE(displayCursorTheme(), QByteArray("DMZ-Black"));
    }

    // A query that fails or is cut off gives no list to load again: the
    // resource database is left as it is.
    void resourcesKeptWhenTheQueryFails_data()
    {
        QTest::addColumn<QByteArray>("query");
        QTest::newRow("exits 1") << QByteArray("echo 'Xcursor.size:\t48'; exit 1");
        QTest::newRow("killed") << QByteArray("echo 'Xcursor.size:\t48'; kill -9 $$");
    }

    void resourcesKeptWhenTheQueryFails()
    {
        QFETCH(QByteArray, query);
        QVERIFY(loadResources(cursorResources));
        const QString xrdb = QStringLiteral("/usr/bin/xrdb");
        const QString real = PexoTest::sandboxDir() + QStringLiteral("/xrdb.real");
        QVERIFY(QFile::copy(xrdb, real));
        auto restore = qScopeGuard([&] {
            QFile::remove(xrdb);
            QFile::copy(real, xrdb);
            QFile::remove(real);
        });
        QVERIFY(PexoTest::writeFile(xrdb, "#!/bin/sh\nif [ \"$1\" = -q ]; then " + query + "; fi\nexec " + real.toUtf8() + " \"$@\"\n"));
        QVERIFY(QFile::setPermissions(xrdb, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        CurrentCursorApplyHelper(nullptr).applyCurrentTheme(QStringLiteral("Adwaita"));
        QVERIFY2(resources().contains("Pexo.note:\tlinux /* kept */ as is\n"), resources().constData());
        QVERIFY2(resources().contains("Xcursor.theme:\told"), resources().constData());
    }

    // Last: replaces xrdb for the rest of the process.
    void xrdbRunsOnlyAfterTheCommand()
    {
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/xrdb")));
        CurrentCursorApplyHelper apply(nullptr);
        PexoTest::stopWmListener();
        const bool applied = apply.applyCurrentTheme(QStringLiteral("Hackneyed"));
        PexoTest::startWmListener();
        QVERIFY(!applied);
        QVERIFY(PexoTest::recordedCommands().isEmpty());

        QVERIFY(apply.applyCurrentTheme(QStringLiteral("Hackneyed")));
        // One query and one load drop both entries.
        QCOMPARE(PexoTest::recordedCommands(), QStringList({QStringLiteral("/usr/bin/xrdb -q"), QStringLiteral("/usr/bin/xrdb -nocpp -load")}));
    }
};

QTEST_MAIN(CurrentCursorHelpersTest)

#include "currentcursorhelperstest.moc"
