// The icon theme page loaded as a settings host does, over generated icon
// themes: the offered themes, the thumbnail item, the settings and saving.

#include "iconthemefixture.h"

#include <moduletestsupport.h>
#include <picturetestsupport.h>

#include <KConfig>

#include <QAbstractProxyModel>
#include <QGuiApplication>
#include <QPainter>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickPaintedItem>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <QThreadPool>

namespace {
const QStringList thumbnailIcons{
    QStringLiteral("devices/computer"),
    QStringLiteral("places/user-home"),
    QStringLiteral("places/user-desktop"),
    QStringLiteral("mimetypes/inode-directory"),
    QStringLiteral("apps/help-browser"),
    QStringLiteral("places/user-trash"),
};
const QStringList alphaColours{
    QStringLiteral("red"), QStringLiteral("lime"), QStringLiteral("blue"), QStringLiteral("yellow"), QStringLiteral("magenta"), QStringLiteral("cyan")};
const QStringList betaColours{
    QStringLiteral("maroon"), QStringLiteral("green"), QStringLiteral("navy"), QStringLiteral("olive"), QStringLiteral("purple"), QStringLiteral("teal")};

QMap<QString, QString> coloured(const QStringList &colours)
{
    QMap<QString, QString> icons = IconTest::completeIcons();
    for (int i = 0; i < thumbnailIcons.size(); ++i) {
        icons[thumbnailIcons.at(i)] = colours.at(i);
    }
    return icons;
}

// The colour at the centre of each of the six cells of a 300x200 item.
QStringList cellColours(QQuickPaintedItem &item)
{
    QImage canvas(300, 200, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    item.paint(&painter);
    painter.end();
    QStringList colours;
    for (int i = 0; i < 6; ++i) {
        const QColor pixel = canvas.pixelColor(100 * (i % 3) + 50, 100 * (i / 3) + 50);
        colours.append(pixel.alpha() == 0 ? QString() : pixel.name());
    }
    return colours;
}

// Read calls made by this process so far.
qint64 readCalls()
{
    const QList<QByteArray> lines = PexoTest::readFile(QStringLiteral("/proc/self/io")).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("syscr:")) {
            return line.mid(6).trimmed().toLongLong();
        }
    }
    return -1;
}

QStringList names(const QStringList &colours)
{
    QStringList result;
    for (const QString &colour : colours) {
        result.append(QColor(colour).name());
    }
    return result;
}
} // namespace

class IconsModuleTest : public QObject
{
    Q_OBJECT

private:
    QString m_currentThemerc;

private Q_SLOTS:
    void initTestCase()
    {
        const QString system = IconTest::useOwnIconDirs();
        const QString user = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/icons");
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("alpha"), coloured(alphaColours)));
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("Beta"), coloured(betaColours)));
        QVERIFY(IconTest::writeTheme(user, QStringLiteral("Beta"), coloured(betaColours))); // listed twice, offered once
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("default"), IconTest::completeIcons()));

        QMap<QString, QString> noClock = IconTest::completeIcons();
        noClock.remove(QStringLiteral("apps/preferences-system-time"));
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("gamma"), noClock));

        // Its trash icons resolve to the generic "user" icon.
        QMap<QString, QString> genericTrash = IconTest::completeIcons();
        genericTrash.remove(QStringLiteral("status/user-trash-full"));
        genericTrash.remove(QStringLiteral("places/user-trash"));
        genericTrash.insert(QStringLiteral("status/user"), QString());
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("delta"), genericTrash));

        // A description too large for a settings file is not read.
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("huge"), IconTest::completeIcons()));
        QFile hugeIndex(system + QStringLiteral("/huge/index.theme"));
        QVERIFY(hugeIndex.open(QIODevice::Append) && hugeIndex.write("#" + QByteArray(2 << 20, ' ') + "\n") > 0);
        hugeIndex.close();

        // A writable current theme.
        const QString dir = ThemeDefaults::userThemesDir + QStringLiteral("/Mine");
        m_currentThemerc = dir + QStringLiteral("/theme/themerc");
        QVERIFY(PexoTest::writeFile(dir + QStringLiteral("/index.theme"), "[Pexo Theme]\nId=Mine\nName=Mine\n"));
        QVERIFY(PexoTest::writeFile(m_currentThemerc, "[Variables]\nIconTheme=alpha\n"));
        const QString record = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
        QVERIFY(PexoTest::writeFile(record, "[Theme]\nCurrentTheme=Mine\nCurrentThemePath=" + dir.toUtf8() + "/index.theme\n"));
        BehaviourTest::resetFiles("IconTheme=alpha\n");
    }

    void metaData()
    {
        ModuleTest::verifyMetaData(QStringLiteral("kcm_pexo_icons"),
                                   {QStringLiteral("Icons"),
                                    QStringLiteral("Иконки"),
                                    QStringLiteral("Choose icon theme"),
                                    QStringLiteral("Выбор набора значков"),
                                    QStringLiteral("preferences-system-icons"),
                                    QStringLiteral("30"),
                                    QStringLiteral("appearance")});
    }

    void offersUsableThemesInOrder()
    {
        const auto module = ModuleTest::create(QStringLiteral("kcm_pexo_icons"));
        QVERIFY(module);
        QCOMPARE(ModuleTest::propertyNames(module.get()),
                 (QStringList{QStringLiteral("themes (bad change signal)"),
                              QStringLiteral("currentTheme"),
                              QStringLiteral("isToolbarMonochrome"),
                              QStringLiteral("isTaskbarMonochrome"),
                              QStringLiteral("mandatoryIntegrityControl (bad change signal)")}));
        const auto *themes = module->property("themes").value<QAbstractProxyModel *>();
        QVERIFY(themes);
        QStringList offered;
        for (int row = 0; row < themes->rowCount(); ++row) {
            offered.append(themes->index(row, 0).data().toString());
        }
        QCOMPARE(offered, (QStringList{QStringLiteral("alpha"), QStringLiteral("Beta")}));
        QCOMPARE(themes->sourceModel()->rowCount(), 5);
    }

    void settings()
    {
        {
            const auto module = ModuleTest::create(QStringLiteral("kcm_pexo_icons"));
            QVERIFY(module);
            ModuleTest::verifyProperties(module.get());
        }
        ModuleTest::verifyImmutability(QStringLiteral("kcm_pexo_icons"),
                                       {{QStringLiteral("currentTheme"), QStringLiteral("IconTheme")},
                                        {QStringLiteral("isToolbarMonochrome"), QStringLiteral("useSymbolicIconsForToolBar")},
                                        {QStringLiteral("isTaskbarMonochrome"), QStringLiteral("UseTrayIconTheme")}},
                                       QStringLiteral("themes"));
    }

    void savesIntoTheCurrentTheme()
    {
        BehaviourTest::resetFiles("IconTheme=alpha\n");
        const auto module = ModuleTest::create(QStringLiteral("kcm_pexo_icons"));
        QVERIFY(module);
        PexoTest::DBusSignalWatcher watcher;
        QVERIFY(watcher.watch(QStringLiteral("/KIconLoader"), QStringLiteral("org.kde.KIconLoader"), QStringLiteral("iconChanged")));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "load"));
        QCOMPARE(module->property("currentTheme").toString(), QStringLiteral("alpha"));

        QVERIFY(module->setProperty("currentTheme", QStringLiteral("Beta")));
        QVERIFY(module->property("needsSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("IconTheme")), QStringLiteral("Beta"));
        KConfig current(m_currentThemerc, KConfig::SimpleConfig);
        QCOMPARE(current.group("Variables").readEntry("IconTheme"), QStringLiteral("Beta"));
        QVERIFY(PexoTest::takeWmCommands().contains(BehaviourTest::variableCommand(QStringLiteral("IconTheme"), QStringLiteral("Beta"))));
        QVERIFY(watcher.waitForCount(1));
        QCOMPARE(watcher.arrivals().first().arguments(), QVariantList{0});

        // defaults() resets the icon theme and both switches.
        QVERIFY(module->setProperty("isToolbarMonochrome", false));
        QVERIFY(QMetaObject::invokeMethod(module.get(), "defaults"));
        QCOMPARE(module->property("currentTheme").toString(), QStringLiteral("ulvar-tornel"));
        QVERIFY(module->property("isToolbarMonochrome").toBool() && module->property("isTaskbarMonochrome").toBool());
        QVERIFY(module->property("needsSave").toBool());
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("IconTheme")), QStringLiteral("ulvar-tornel"));
    }

    void longInheritanceChains()
    {
        // Each theme inherits the next; only the last is complete, and those
        // that reach it within the look-up's depth are offered.
        const int count = 200;
        const QString chains = QDir::homePath() + QStringLiteral("/chains");
        const auto name = [](int i) {
            return QStringLiteral("chain%1").arg(i, 3, 10, QLatin1Char('0'));
        };
        for (int i = 0; i < count; ++i) {
            const bool last = i == count - 1;
            QVERIFY(IconTest::writeTheme(
                chains + QStringLiteral("/icons"), name(i), last ? IconTest::completeIcons() : QMap<QString, QString>(), last ? QString() : name(i + 1)));
        }
        const QByteArray dataDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", dataDirs + ':' + QFile::encodeName(chains));
        const auto restore = qScopeGuard([&dataDirs] {
            qputenv("XDG_DATA_DIRS", dataDirs);
        });

        // Each index.theme is read a few times in all, not once per chain it is in.
        const qint64 reads = readCalls();
        const auto module = ModuleTest::create(QStringLiteral("kcm_pexo_icons"));
        QVERIFY(module);
        const auto *themes = module->property("themes").value<QAbstractProxyModel *>();
        QCOMPARE(themes->rowCount(), 2 + 65);
        QVERIFY2(readCalls() - reads < 8 * count, qPrintable(QString::number(readCalls() - reads)));
    }

    void thumbnailShowsTheLatestTheme()
    {
        const auto module = ModuleTest::create(QStringLiteral("kcm_pexo_icons"));
        QVERIFY(module);
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData("import ru.ulvarlinux.kcm.icons.private 1.0\nIconThemeThumbnail { width: 300; height: 200 }", QUrl());
        std::unique_ptr<QObject> created(component.create());
        auto *item = qobject_cast<QQuickPaintedItem *>(created.get());
        QVERIFY2(item, qPrintable(component.errorString()));
        QCOMPARE(cellColours(*item), QVector<QString>(6).toList());

        // Beta is set before alpha's icons arrive: only Beta's are drawn.
        QSignalSpy themeChanged(item, SIGNAL(themeChanged()));
        item->setProperty("theme", QStringLiteral("alpha"));
        item->setProperty("theme", QStringLiteral("Beta"));
        item->setProperty("theme", QStringLiteral("Beta"));
        QCOMPARE(themeChanged.count(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(cellColours(*item), names(betaColours), PexoTest::patienceMs);
        QTest::qWait(200);
        QCOMPARE(cellColours(*item), names(betaColours));

        item->setProperty("theme", QStringLiteral("missing"));
        QCOMPARE(cellColours(*item), QVector<QString>(6).toList());

        // A theme's description is read without a word for its invalid
        // escapes; the thumbnail keeps no other quiet.
        const QString system = QDir::homePath() + QStringLiteral("/system/icons");
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("escaped"), coloured(alphaColours)));
        QFile escapedIndex(system + QStringLiteral("/escaped/index.theme"));
        QVERIFY(escapedIndex.open(QIODevice::Append) && escapedIndex.write("Comment=\\q\n") > 0);
        escapedIndex.close();
        {
            const PexoTest::ReaderWarnings warnings;
            item->setProperty("theme", QStringLiteral("escaped"));
            QTRY_COMPARE_WITH_TIMEOUT(cellColours(*item), names(alphaColours), PexoTest::patienceMs);
            QCOMPARE(warnings.count(), 0);
            const KConfig other(escapedIndex.fileName(), KConfig::SimpleConfig);
            QCOMPARE(warnings.count(), 1);
        }

        // Six icons of 8000 x 8000 pixels, in a few megabytes each, are not decoded whole.
        const QString huge = QDir::homePath() + QStringLiteral("/huge.png");
        QVERIFY(PexoTest::writeHugePng(huge, QSize(8000, 8000)));
        QVERIFY(IconTest::writeTheme(system, QStringLiteral("bulky"), {}));
        for (const QString &icon : thumbnailIcons) {
            QVERIFY(QDir().mkpath(system + QStringLiteral("/bulky/48/") + icon.section(QLatin1Char('/'), 0, 0)));
            QVERIFY(QFile::link(huge, system + QStringLiteral("/bulky/48/") + icon + QStringLiteral(".png")));
        }
        const qint64 before = PexoTest::peakMiB();
        item->setProperty("theme", QStringLiteral("bulky"));
        QVERIFY2(QThreadPool::globalInstance()->waitForDone(PexoTest::patienceMs), "the thumbnails were not decoded in time");
        QCoreApplication::processEvents();
        QCOMPARE(cellColours(*item), QVector<QString>(6).toList());
        const qint64 grown = PexoTest::peakMiB() - before;
        QVERIFY2(grown < 64, qPrintable(QString::number(grown)));
    }
};

int main(int argc, char **argv)
{
    // Locale order differs from code-unit order: "alpha" before "Beta".
    qputenv("LC_ALL", "en_US.UTF-8");
    QGuiApplication app(argc, argv);
    IconsModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "iconsmoduletest.moc"
