// The theme page as a settings host loads it: metadata, the list models,
// selection and save, creating and deleting themes, and the archive tools.

#include <moduletestsupport.h>
#include <themecontroller.h>
#include <themedefaults.h>
#include <thememodel.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMetaMethod>
#include <QPalette>
#include <QProcess>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

namespace {
const QString userThemes = ThemeDefaults::userThemesDir + QLatin1Char('/');
const QString darkTheme = QStringLiteral("UlvarTornelDark");

QString recordPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
}

void writeTheme(const QString &dir, const QString &id, const QString &name, bool readOnly = false, const QByteArray &colour = "123456")
{
    const QByteArray flag = readOnly ? "true" : "false";
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/index.theme"),
                                "[Pexo Theme]\nId=" + id.toUtf8() + "\nName=" + name.toUtf8() + "\nComment=About " + id.toUtf8() +
                                    "\nX-Ulvar-System-Theme=" + flag));
    QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/theme/themerc"),
                                "[Variables]\nWallPaper=/w/" + colour + ".jpg\nColorScheme=/c/" + colour + ".colors\nPrimaryColor=#" + colour +
                                    "\nBackgroundColor=#0000" + colour.left(2) + "\n"));
}

// A loaded page of the built plug-in, its list checked on every change.
struct Page
{
    std::unique_ptr<QObject> module = ModuleTest::create(QStringLiteral("kcm_pexo_theme"));
    QSortFilterProxyModel *proxy = qvariant_cast<QSortFilterProxyModel *>(module->property("themes"));
    QAbstractItemModelTester proxyTester{proxy, QAbstractItemModelTester::FailureReportingMode::QtTest};
    QAbstractItemModelTester modelTester{proxy->sourceModel(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    Page()
    {
        QMetaObject::invokeMethod(module.get(), "load");
    }
    void call(const char *method, const QString &first, const QString &second = QString()) const
    {
        if (second.isNull()) {
            QMetaObject::invokeMethod(module.get(), method, Q_ARG(QString, first));
        } else {
            QMetaObject::invokeMethod(module.get(), method, Q_ARG(QString, first), Q_ARG(QString, second));
        }
    }
    void import(const QString &path) const
    {
        QMetaObject::invokeMethod(module.get(), "importTheme", Q_ARG(QUrl, QUrl::fromLocalFile(path)));
    }
    int currentIndex(const QString &id) const
    {
        int row = -2;
        QMetaObject::invokeMethod(module.get(), "currentIndex", Q_RETURN_ARG(int, row), Q_ARG(QString, id));
        return row;
    }
    int rows() const
    {
        return proxy->rowCount();
    }
    QStringList ids(const QAbstractItemModel *list) const
    {
        QStringList result;
        for (int row = 0; row < list->rowCount(); ++row) {
            result << list->index(row, 0).data(Qt::UserRole + 2).toString();
        }
        return result;
    }
};

// Counts the process objects released (deleted later) in the application.
class ProcessReleases : public QObject
{
public:
    ProcessReleases()
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        count += event->type() == QEvent::DeferredDelete && qobject_cast<QProcess *>(watched) ? 1 : 0;
        return false;
    }
    int count = 0;
};
} // namespace

class ThemeModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void metaDataAndInterface();
    void rolesAndExtraRow();
    void filterAndOrder();
    void modelListsEachThemeOnce();
    void listKeepsOnlyWhatItShows();
    void selectionAndNeedToSave();
    void saveSelectsTheTheme();
    void addTheme();
    void deleteTheme();
    void exportAndImport();
    void toolsThatFail();
};

void ThemeModuleTest::initTestCase()
{
    QVERIFY(PexoTest::installSampleData());
    // Applying colours restarts the taskbar and the virtual keyboard.
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/killall")));
    QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-vkbd")));
    writeTheme(ThemeDefaults::systemThemesDir + QStringLiteral("/Frozen"), QStringLiteral("Frozen"), QStringLiteral("Frozen"), true);
    writeTheme(ThemeDefaults::systemThemesDir + QStringLiteral("/SysZ"), QStringLiteral("SysZ"), QStringLiteral("Zeta system"), true, "aa1111");
}

void ThemeModuleTest::init()
{
    QVERIFY(PexoTest::removePath(ThemeDefaults::userThemesDir));
    QVERIFY(PexoTest::removePath(recordPath()));
}

void ThemeModuleTest::metaDataAndInterface()
{
    ModuleTest::verifyMetaData(QStringLiteral("kcm_pexo_theme"),
                               {QStringLiteral("Theme"),
                                QStringLiteral("Темы"),
                                QStringLiteral("Theme settings"),
                                QStringLiteral("Выбор темы"),
                                QStringLiteral("preferences-system-theme"),
                                QStringLiteral("1"),
                                QStringLiteral("appearance"),
                                1});

    // What the page binds to, in the meta-object's order.
    const Page page;
    const QMetaObject *meta = page.module->metaObject();
    QStringList members;
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        members << QString::fromLatin1(meta->method(i).methodSignature());
    }
    for (int i = meta->propertyOffset(); i < meta->propertyCount(); ++i) {
        members << QString::fromLatin1(meta->property(i).typeName()) + QLatin1Char(' ') + QLatin1String(meta->property(i).name());
    }
    QCOMPARE(members.join(QLatin1Char(' ')),
             QStringLiteral("currentThemeChanged() error(QString) updateNeedSave() currentIndex(QString) deleteTheme(QString) exportTheme(QString,QString) "
                            "importTheme(QUrl) addTheme(QString,QString) QString currentTheme QSortFilterProxyModel* themes bool mandatoryIntegrityControl"));
}

void ThemeModuleTest::rolesAndExtraRow()
{
    writeTheme(userThemes + QStringLiteral("alpha"), QStringLiteral("alpha"), QStringLiteral("alpha"), false, "cc3333");
    QVERIFY(PexoTest::writeFile(recordPath(), "[Theme]\nCurrentTheme=alpha\nCurrentThemePath=" + userThemes.toUtf8() + "alpha/index.theme\n"));
    const Page page;
    const QAbstractItemModel *model = page.proxy->sourceModel();

    const QHash<int, QByteArray> names = model->roleNames();
    const QByteArrayList expected{
        "name", "id", "isSystem", "desktopPath", "comment", "isCurrentTheme", "wallpaper", "colorScheme", "primaryColor", "backgroundColor"};
    const QVariantList values{QVariant(QStringLiteral("alpha")),
                              QVariant(QStringLiteral("alpha")),
                              QVariant(false),
                              QVariant(userThemes + QStringLiteral("alpha/index.theme")),
                              QVariant(QStringLiteral("About alpha")),
                              QVariant(true),
                              QVariant(QStringLiteral("/w/cc3333.jpg")),
                              QVariant(QStringLiteral("/c/cc3333.colors")),
                              QVariant(QStringLiteral("#cc3333")),
                              QVariant(QStringLiteral("#0000cc"))};
    const QModelIndex alpha = model->index(page.ids(model).indexOf(QStringLiteral("alpha")), 0);
    QCOMPARE(alpha.data(Qt::DisplayRole), values.first());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(names.value(Qt::UserRole + 1 + i), expected.at(i));
        QCOMPARE(alpha.data(Qt::UserRole + 1 + i), values.at(i));
    }
    const QModelIndex frozen = model->index(page.ids(model).indexOf(QStringLiteral("Frozen")), 0);
    QCOMPARE(frozen.data(Qt::UserRole + 3), QVariant(true));
    QCOMPARE(frozen.data(Qt::UserRole + 6), QVariant(false));

    // One row more than themes, holding nothing under any role.
    QCOMPARE(page.ids(model).indexOf(QString()), model->rowCount() - 1);
    for (int role = 0; role <= Qt::UserRole + 12; ++role) {
        QVERIFY(!model->index(model->rowCount() - 1, 0).data(role).isValid());
    }
}

void ThemeModuleTest::filterAndOrder()
{
    for (const char *name : {"alpha", "Beta", "gamma"}) {
        writeTheme(userThemes + QLatin1String(name), QLatin1String(name), QLatin1String(name));
    }
    writeTheme(userThemes + QStringLiteral("copy"), QStringLiteral("MyUlvarTornelAdminCopy"), QStringLiteral("Admin copy"));
    writeTheme(userThemes + QStringLiteral("lower"), QStringLiteral("ulvartorneladmin"), QStringLiteral("lower admin"));
    const Page page;

    // Read-only themes first, then named rows in descending order of their
    // names regardless of case, the extra row last; ids holding the
    // administrator theme's id are hidden.
    QCOMPARE(page.ids(page.proxy).join(QLatin1Char(',')), QStringLiteral("SysZ,UlvarTornelLight,UlvarTornelDark,Frozen,ulvartorneladmin,gamma,Beta,alpha,"));
    QCOMPARE(page.currentIndex(ThemeDefaults::adminThemeId), -1);
    QCOMPARE(page.currentIndex(QStringLiteral("gamma")), 5);

    // A created theme is read and takes its place.
    page.call("addTheme", QStringLiteral("delta"), QStringLiteral("SysZ"));
    QCOMPARE(page.currentIndex(QStringLiteral("delta")), 6);
    QCOMPARE(page.proxy->index(6, 0).data(Qt::UserRole + 9), QVariant(QStringLiteral("#aa1111")));
}

void ThemeModuleTest::modelListsEachThemeOnce()
{
    writeTheme(userThemes + QStringLiteral("alpha"), QStringLiteral("alpha"), QStringLiteral("alpha"), false, "cc3333");
    // Of a long name and comment the list keeps what it can show.
    writeTheme(userThemes + QStringLiteral("long"), QStringLiteral("long"), QString(1000, QLatin1Char('n')));
    QVERIFY(PexoTest::writeFile(userThemes + QStringLiteral("long/index.theme"),
                                PexoTest::readFile(userThemes + QStringLiteral("long/index.theme")) + "\nComment=" + QByteArray(5000, 'c')));
    ThemeController controller;
    ThemeModel model(&controller, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.rowCount(), 1);
    model.readThemes();
    const int rows = model.rowCount();

    // A listed id is neither read again nor added twice; an unlisted one
    // removes nothing.
    writeTheme(userThemes + QStringLiteral("alpha"), QStringLiteral("alpha"), QStringLiteral("alpha"), false, "dd4444");
    model.addTheme(controller.theme(QStringLiteral("alpha")));
    model.removeTheme(QStringLiteral("nobody"));
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.findIndex(QStringLiteral("alpha")).data(ThemeModel::PrimaryColorRole), QVariant(QStringLiteral("#cc3333")));
    const QModelIndex longTheme = model.findIndex(QStringLiteral("long"));
    QVERIFY(longTheme.data(ThemeModel::NameRole).toString() == QString(256, QLatin1Char('n')));
    QVERIFY(longTheme.data(ThemeModel::CommentRole).toString() == QString(1024, QLatin1Char('c')));

    model.resetThemes();
    QCOMPARE(model.rowCount(), 1);
}

// The host opening the page takes about as much memory with many large
// themes as with none: the list keeps what it shows, not their settings.
void ThemeModuleTest::listKeepsOnlyWhatItShows()
{
    const auto peakKiB = [] {
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"),
                      QStringLiteral("import resource, subprocess\n"
                                     "subprocess.run(['ulvar-systemsettings', 'kcm_pexo_theme', '--needs-save'], capture_output=True)\n"
                                     "print(resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)\n")});
        return python.waitForFinished(PexoTest::patienceMs) ? python.readAllStandardOutput().trimmed().toLongLong() : -1;
    };
    const qint64 none = peakKiB();
    // Descriptions and settings within what a theme may hold.
    QByteArray padding;
    for (int i = 0; i < 1000; ++i) {
        padding += "Key" + QByteArray::number(i) + "=value\n";
    }
    for (int i = 0; i < 200; ++i) {
        const QString dir = userThemes + QStringLiteral("big%1").arg(i);
        writeTheme(dir, dir.section(QLatin1Char('/'), -1), QStringLiteral("Big"));
        const QStringList files{dir + QStringLiteral("/theme/themerc"), dir + QStringLiteral("/index.theme")};
        for (const QString &file : files) {
            QVERIFY(PexoTest::writeFile(file, PexoTest::readFile(file) + '\n' + padding));
        }
    }
    const qint64 many = peakKiB();
    QVERIFY2(none > 0 && many - none < 32 * 1024, qPrintable(QStringLiteral("%1 KiB, %2 KiB").arg(none).arg(many)));
}

void ThemeModuleTest::selectionAndNeedToSave()
{
    const Page page;
    QObject *module = page.module.get();
    QSignalSpy announced(module, SIGNAL(needsSaveChanged()));
    QSignalSpy changed(module, SIGNAL(currentThemeChanged()));
    QCOMPARE(module->property("currentTheme").toString(), ThemeDefaults::defaultThemeId);
    QCOMPARE(module->property("needsSave").toBool(), false);

    QVERIFY(module->setProperty("currentTheme", darkTheme));
    QCOMPARE(module->property("needsSave").toBool(), true);
    QVERIFY(module->setProperty("currentTheme", darkTheme));
    QVERIFY(QMetaObject::invokeMethod(module, "defaults"));
    QCOMPARE(module->property("currentTheme").toString(), ThemeDefaults::defaultThemeId);
    QCOMPARE(module->property("needsSave").toBool(), false);
    QCOMPARE(changed.count(), 2);
    // Announced on every recomputation, by the state change and once more.
    QCOMPARE(announced.count(), 4);
    QVERIFY(!QFile::exists(recordPath()));
}

void ThemeModuleTest::saveSelectsTheTheme()
{
    const Page page;
    // A switch the live settings could not take: the page is told, nothing is recorded.
    const QString live = ThemeDefaults::currentThemeConfigPath;
    QVERIFY(PexoTest::writeFile(live, "[Variables]\n") && QFile(live).resize(2 * 1024 * 1024));
    QSignalSpy errors(page.module.get(), SIGNAL(error(QString)));
    QVERIFY(page.module->setProperty("currentTheme", darkTheme));
    QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));
    QVERIFY(QFile::remove(live));
    QCOMPARE(errors.count(), 1);
    QVERIFY(errors.front().front().toString().contains(QStringLiteral("Could not write ") + live));
    QVERIFY(!QFile::exists(recordPath()));

    PexoTest::takeWmCommands();
    QVERIFY(page.module->setProperty("currentTheme", darkTheme));
    QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));

    const QString darkScheme = QStringLiteral("/usr/share/color-schemes/UlvarDark.colors");
    QCOMPARE(PexoTest::readFile(recordPath()), "[Theme]\nCurrentTheme=UlvarTornelDark\nCurrentThemePath=/usr/share/pexothemes/UlvarTornelDark/index.theme\n");
    QCOMPARE(BehaviourTest::liveValue(QStringLiteral("WallPaper")), ThemeDefaults::darkWallpaperPath);
    QVERIFY(PexoTest::readFile(ThemeDefaults::paletteConfigPath).contains("ColorScheme=" + darkScheme.toUtf8()));
    QVERIFY(PexoTest::takeWmCommands().contains(BehaviourTest::variableCommand(QStringLiteral("ColorScheme"), darkScheme)));
    // The settings application itself takes the theme's colours.
    QCOMPARE(QApplication::palette().color(QPalette::Active, QPalette::Window), QColor(42, 46, 50));
}

void ThemeModuleTest::addTheme()
{
    const Page page;
    page.call("addTheme", QStringLiteral("Mine"), darkTheme);
    const int rows = page.rows();
    QVERIFY(page.currentIndex(QStringLiteral("Mine")) >= 0);
    writeTheme(userThemes + QStringLiteral("Other"), QStringLiteral("OtherId"), QStringLiteral("Other"));
    QVERIFY(PexoTest::writeFile(userThemes + QStringLiteral("Nameless/index.theme"), "[Pexo Theme]\nId=Nameless\n"));
    QVERIFY(PexoTest::writeFile(userThemes + QStringLiteral("Leftover/theme/themerc"), "[Variables]\nWallPaper=/w/kept.jpg\n"));

    // Taken names (an installed id, a directory holding a theme or not) and
    // names the registry refuses add nothing and write nothing.
    const PexoTest::TreeSnapshot before = PexoTest::snapshotTree(ThemeDefaults::userThemesDir);
    for (const QString &name : {QStringLiteral("Mine"),
                                darkTheme,
                                QStringLiteral("Other"),
                                QStringLiteral("Nameless"),
                                QStringLiteral("Leftover"),
                                QStringLiteral("a/b"),
                                QString()}) {
        QTest::ignoreMessage(QtWarningMsg, "Error");
        page.call("addTheme", name, ThemeDefaults::defaultThemeId);
    }
    QCOMPARE(page.rows(), rows);
    QCOMPARE(PexoTest::treeDifferences(before, PexoTest::snapshotTree(ThemeDefaults::userThemesDir)), QStringList());

    // A failed creation leaves no directory behind: the name stays free.
    QTest::ignoreMessage(QtWarningMsg, "Error");
    page.call("addTheme", QStringLiteral("X"), QStringLiteral("nobody"));
    page.call("addTheme", QStringLiteral("X"), ThemeDefaults::defaultThemeId);
    QCOMPARE(page.rows(), rows + 1);
    QVERIFY(QFile::exists(userThemes + QStringLiteral("X/theme/themerc")));
}

void ThemeModuleTest::deleteTheme()
{
    int rows = 0;
    {
        const Page page;
        page.call("addTheme", QStringLiteral("Mine"), darkTheme);
        rows = page.rows();

        // A read-only theme the registry keeps keeps its row.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Can't remove theme")));
        page.call("deleteTheme", QStringLiteral("Frozen"));
        QCOMPARE(page.rows(), rows);
        QVERIFY(page.currentIndex(QStringLiteral("Frozen")) >= 0);

        // The current theme goes too; the record still names it.
        QVERIFY(page.module->setProperty("currentTheme", QStringLiteral("Mine")));
        QVERIFY(QMetaObject::invokeMethod(page.module.get(), "save"));
        page.call("deleteTheme", QStringLiteral("Mine"));
        QCOMPARE(page.rows(), rows - 1);
        QVERIFY(!QFile::exists(userThemes + QStringLiteral("Mine")));
    }

    // The next page shows no nameless row for it and lets the name be used again.
    const Page next;
    QCOMPARE(next.rows(), rows - 1);
    QCOMPARE(next.ids(next.proxy).count(QString()), 1);
    next.call("addTheme", QStringLiteral("Mine"), darkTheme);
    QCOMPARE(next.rows(), rows);
    QVERIFY(next.currentIndex(QStringLiteral("Mine")) >= 0);
}

void ThemeModuleTest::exportAndImport()
{
    ProcessReleases releases;
    const QString mine = QDir::homePath() + QStringLiteral("/mine.tar.gz");
    const QString dark = QDir::homePath() + QStringLiteral("/dark.tar");
    {
        const Page page;
        page.call("addTheme", QStringLiteral("Mine"), darkTheme);
        // Two exports run side by side; each process goes when its tool ends.
        page.call("exportTheme", QStringLiteral("Mine"), mine);
        page.call("exportTheme", darkTheme, dark);
        QTRY_COMPARE_WITH_TIMEOUT(releases.count, 2, PexoTest::patienceMs);
        QVERIFY(QFileInfo(mine).size() > 0 && QFileInfo(dark).size() > 0);
    }

    // Into a home without the theme, the import adds exactly its row.
    QVERIFY(PexoTest::removePath(ThemeDefaults::userThemesDir));
    const Page page;
    const int rows = page.rows();
    page.import(mine);
    QTRY_COMPARE_WITH_TIMEOUT(releases.count, 3, PexoTest::patienceMs);
    QCOMPARE(page.rows(), rows + 1);
    QVERIFY(page.currentIndex(QStringLiteral("Mine")) >= 0);
    QVERIFY(PexoTest::readFile(userThemes + QStringLiteral("Mine/theme/themerc")).contains("ColorScheme=/usr/share/color-schemes/UlvarDark.colors"));
}

void ThemeModuleTest::toolsThatFail()
{
    ProcessReleases releases;
    const Page page;
    const int rows = page.rows();

    // A text file is no archive: nothing is added.
    const QString text = QDir::homePath() + QStringLiteral("/notes.txt");
    QVERIFY(PexoTest::writeFile(text, "not an archive\n"));
    page.import(text);
    QTRY_COMPARE_WITH_TIMEOUT(releases.count, 1, PexoTest::patienceMs);
    QCOMPARE(page.rows(), rows);

    // An unknown theme starts nothing; a tool that cannot start is released.
    QTest::ignoreMessage(QtWarningMsg, "Can't export theme \"nobody\"");
    page.call("exportTheme", QStringLiteral("nobody"), QDir::homePath() + QStringLiteral("/nobody.tar"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    page.call("exportTheme", darkTheme, QDir::homePath() + QStringLiteral("/never.tar"));
    qputenv("PATH", path);
    QTRY_COMPARE_WITH_TIMEOUT(releases.count, 2, PexoTest::patienceMs);
    QTest::qWait(200);
    QCOMPARE(releases.count, 2);
}

QTEST_MAIN(ThemeModuleTest)

#include "thememoduletest.moc"
