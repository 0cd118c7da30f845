// Read and write rules of the two settings storages on real files.

#include "configfile.h"
#include "configsync.h"
#include "failedwrites.h"
#include "kconfigstorage.h"
#include "leftbehind.h"
#include "sessionlock.h"
#include "settingsreplace.h"
#include "ulvarstorage.h"

#include <pexotestsupport.h>

#include <KConfig>
#include <KConfigGroup>

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QScopeGuard>
#include <QSettings>
#include <QSysInfo>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class StorageTest : public QObject
{
    Q_OBJECT

private:
    QString path(const QString &name) const
    {
        return QDir(QDir::homePath()).filePath(QStringLiteral("storage/%1").arg(name));
    }

    QString writeRc(const QString &name, const QByteArray &body) const
    {
        const QString file = path(name);
        PexoTest::writeFile(file, body);
        return file;
    }

private Q_SLOTS:
    void kconfigRead_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QVariant>("defaultValue");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("quoted letter") << QByteArray("K=\"a\"") << QVariant(QString()) << QVariant(QStringLiteral("a"));
        QTest::newRow("two quotes") << QByteArray("K=\"\"") << QVariant(QStringLiteral("x")) << QVariant(QString());
        QTest::newRow("one quote") << QByteArray("K=\"") << QVariant(QString()) << QVariant(QStringLiteral("\""));
        QTest::newRow("quote at one end") << QByteArray("K=\"abc") << QVariant(QString()) << QVariant(QStringLiteral("\"abc"));
        QTest::newRow("one pair only") << QByteArray("K=\"\"a\"\"") << QVariant(QString()) << QVariant(QStringLiteral("\"a\""));
        QTest::newRow("empty value is present") << QByteArray("K=") << QVariant(QStringLiteral("default")) << QVariant(QString());
        QTest::newRow("absent, text default") << QByteArray("Other=1") << QVariant(QStringLiteral("Bottom")) << QVariant(QStringLiteral("Bottom"));
        QTest::newRow("absent, bool default as text") << QByteArray("Other=1") << QVariant(true) << QVariant(QStringLiteral("true"));
        QTest::newRow("number as text") << QByteArray("K=600") << QVariant(0) << QVariant(QStringLiteral("600"));
    }

    void kconfigRead()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QVariant, defaultValue);
        QFETCH(QVariant, expected);

        const QString file = writeRc(QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('_')), "[Variables]\n" + stored + "\n");
        KConfigStorage storage(file);
        const QVariant value = storage.read(QStringLiteral("K"), defaultValue);
        QCOMPARE(value.userType(), int(QMetaType::QString));
        QCOMPARE(value, expected);
    }

    void kconfigPresenceAndRemoval()
    {
        const QString file = writeRc(QStringLiteral("presence"), "[Variables]\nEmpty=\nFull=1\n[Other]\nOutside=1\n");
        KConfigStorage storage(file);
        QVERIFY(storage.contains(QStringLiteral("Empty")));
        QVERIFY(!storage.contains(QStringLiteral("Outside"))); // only the group "Variables" counts
        QVERIFY(storage.keys().isEmpty());
        storage.removeKey(QStringLiteral("Full"));
        QVERIFY(!storage.contains(QStringLiteral("Full")));
        QVERIFY(storage.sync());
        QVERIFY(!PexoTest::readFile(file).contains("Full"));
        QCOMPARE(storage.filePath(), file);
    }

    void kconfigMissingFileIsCreatedOnWrite()
    {
        const QString file = path(QStringLiteral("new/dir/themerc"));
        KConfigStorage storage(file);
        QVERIFY(!storage.contains(QStringLiteral("K")));
        QCOMPARE(storage.read(QStringLiteral("K"), QStringLiteral("d")).toString(), QStringLiteral("d"));
        QVERIFY(!QFile::exists(file));
        QVERIFY(storage.write(QStringLiteral("K"), true));
        QVERIFY(PexoTest::readFile(file).contains("[Variables]\nK=true"));
    }

    void kconfigSharesOneConfiguration()
    {
        const QString file = writeRc(QStringLiteral("shared"), "[Variables]\n");
        KConfigStorage first(file);
        KConfigStorage second(file);
        QVERIFY(first.write(QStringLiteral("K"), QStringLiteral("v")));
        QCOMPARE(second.read(QStringLiteral("K"), QString()).toString(), QStringLiteral("v"));

        // A storage ending on another thread leaves that thread's shared
        // configuration of the same file in place.
        const QString threads = writeRc(QStringLiteral("threads"), "[Variables]\nK=v\n");
        auto *mainStorage = new KConfigStorage(threads);
        QVERIFY(mainStorage->contains(QStringLiteral("K")));
        bool seen = true;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            KConfigStorage here(threads);
            here.removeKey(QStringLiteral("K")); // not synced: only a shared configuration shows it
            delete mainStorage;
            seen = KConfigStorage(threads).contains(QStringLiteral("K"));
        }));
        thread->start();
        QVERIFY(thread->wait(PexoTest::patienceMs));
        QVERIFY(!seen);
    }

    void kconfigImmutableVersusUnwritable()
    {
        const QString immutable = writeRc(QStringLiteral("immutable"), "[$i]\n[Variables]\nK=1\n");
        QVERIFY(KConfigStorage(immutable).isReadOnly());

        // A locked group or entry refuses the write instead of dropping it silently.
        const QString lockedGroup = writeRc(QStringLiteral("lockedgroup"), "[Variables][$i]\nK=1\n");
        KConfigStorage groupStorage(lockedGroup);
        QVERIFY(!groupStorage.write(QStringLiteral("K"), QStringLiteral("2")));
        QCOMPARE(groupStorage.read(QStringLiteral("K"), QString()).toString(), QStringLiteral("1"));
        const QString lockedEntry = writeRc(QStringLiteral("lockedentry"), "[Variables]\nK[$i]=1\nOther=1\n");
        KConfigStorage entryStorage(lockedEntry);
        QVERIFY(!entryStorage.write(QStringLiteral("K"), QStringLiteral("2")));
        QVERIFY(entryStorage.write(QStringLiteral("Other"), QStringLiteral("2")));
        QVERIFY(PexoTest::readFile(lockedEntry).contains("K[$i]=1"));

        // A file on a read-only mount cannot be written, but is not marked read-only.
        const QString dir = path(QStringLiteral("rodir"));
        const QString unwritable = dir + QStringLiteral("/themerc");
        PexoTest::writeFile(unwritable, "[Variables]\nK=1\n");
        QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), dir, dir}), 0);
        QCOMPARE(QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,bind,ro"), dir}), 0);
        KConfigStorage storage(unwritable);
        QVERIFY(!storage.isReadOnly());
        QVERIFY(!storage.write(QStringLiteral("K"), QStringLiteral("2")));
        QCOMPARE(PexoTest::readFile(unwritable), QByteArray("[Variables]\nK=1\n"));
    }

    // A write that cannot reach the file, not even its lock (no blocks or
    // no inodes left), fails at once, as does every one after it, and the
    // value is not taken for stored; the room check sees it coming. Once
    // there is room, writes work again.
    // A configuration whose own write failed is never written again.
    void kconfigFullDisk_data()
    {
        QTest::addColumn<bool>("noInodes");
        QTest::newRow("no blocks") << false;
        QTest::newRow("no inodes") << true;
    }

    void kconfigFullDisk()
    {
        QFETCH(bool, noInodes);
        const QString file = writeRc(QStringLiteral("full%1/themerc").arg(noInodes), "[Variables]\nK=1\n");
        const QString directory = QFileInfo(file).path();
        std::unique_ptr<PexoTest::FullDisk> disk;
        QStringList fillers;
        if (noInodes) {
            QCOMPARE(QProcess::execute(QStringLiteral("mount"),
                                       {QStringLiteral("-t"),
                                        QStringLiteral("tmpfs"),
                                        QStringLiteral("-o"),
                                        QStringLiteral("size=1m,nr_inodes=8"),
                                        QStringLiteral("tmpfs"),
                                        directory}),
                     0);
            QVERIFY(PexoTest::writeFile(file, "[Variables]\nK=1\n"));
            for (int i = 0; PexoTest::writeFile(directory + QStringLiteral("/filler%1").arg(i), QByteArray()); ++i) {
                fillers << directory + QStringLiteral("/filler%1").arg(i);
            }
        } else {
            disk = std::make_unique<PexoTest::FullDisk>(directory);
            QVERIFY(disk->isFull());
        }
        auto unmount = qScopeGuard([&] {
            if (noInodes) {
                QProcess::execute(QStringLiteral("umount"), {directory});
            }
        });
        QCOMPARE(SettingsReplace::unreplaceable({file}), QStringList{file});
        bool results[7] = {true, true, true, false, false, true, true};
        QString afterFailure;
        std::unique_ptr<QThread> thread(QThread::create([&] {
            KConfigStorage storage(file);
            results[0] = storage.write(QStringLiteral("K"), QStringLiteral("2"));
            results[1] = storage.write(QStringLiteral("K"), QStringLiteral("3"));
            results[2] = storage.sync();
            afterFailure = storage.read(QStringLiteral("K"), QString()).toString();
            if (disk) {
                disk->makeRoom();
            }
            for (const QString &filler : std::as_const(fillers)) {
                QFile::remove(filler);
            }
            results[3] = storage.write(QStringLiteral("K"), QStringLiteral("4"));
            results[4] = KConfigStorage(file).read(QStringLiteral("K"), QString()).toString() == QLatin1String("4");
            // Past a file size limit, with room enough. Qt's file sees the
            // failure of a write past its buffer, the second one.
            const auto config = std::make_shared<KConfig>(file, KConfig::SimpleConfig);
            config->group("Variables").writeEntry("K", QString(20000, QLatin1Char('x')));
            config->group("Variables").writeEntry("L", QString(20000, QLatin1Char('x')));
            {
                const PexoTest::FileSizeLimit limit(1024);
                results[5] = ConfigSync::sync(config);
            }
            config->group("Variables").writeEntry("K", "5");
            results[6] = ConfigSync::sync(config) || !ConfigSync::isBroken(*config);
        }));
        thread->start();
        QVERIFY2(thread->wait(PexoTest::patienceMs), "a write after a failed one does not return");
        QCOMPARE(QList<bool>(std::begin(results), std::end(results)), QList<bool>({false, false, false, true, true, false, false}));
        QCOMPARE(afterFailure, QStringLiteral("1"));
        QCOMPARE(PexoTest::readFile(file), QByteArray("[Variables]\nK=4\n"));
    }

    // A disk with room for the lock file but not for the new content: the
    // writers would put a short file in place of the old one (KConfig writes
    // a file of another user in place). Where the file system reports no
    // sizes (room -1), the write is not refused; a key that Qt writes back
    // escaped is not taken for a lost one.
    void nearlyFullDisk_data()
    {
        QTest::addColumn<bool>("qsettings");
        QTest::addColumn<int>("roomKiB");
        QTest::addColumn<QByteArray>("old");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("othersFile");

        const QByteArray small = "[Variables]\nK=1\n";
        const QByteArray twoKiB = "[Variables]\nK=" + QByteArray(2000, 'y') + '\n';
        const QString text(14000, QLatin1Char('x'));
        QTest::newRow("KConfig, nearly full") << false << 4 << small << text << false << false;
        QTest::newRow("KConfig, nearly full, another user's file") << false << 4 << small << text << false << true;
        QTest::newRow("KConfig, room enough") << false << 64 << small << text << true << false;
        // Escaped, it takes four times the room it was reckoned to need.
        QTest::newRow("KConfig, larger than reckoned") << false << 16 << small << QString(3500, QChar(1)) << false << false;
        QTest::newRow("KConfig, 2 KiB file in 2 blocks") << false << 8 << twoKiB << QStringLiteral("v") << true << false;
        QTest::newRow("KConfig, no sizes") << false << -1 << small << text << true << false;
        QTest::newRow("QSettings, nearly full") << true << 4 << small << text << false << false;
        QTest::newRow("QSettings, room enough") << true << 64 << small << text << true << false;
        // Its writer's lock file and the one that Qt's class makes beside its copy take the third.
        QTest::newRow("QSettings, 2 KiB file in 3 blocks") << true << 12 << twoKiB << QStringLiteral("v") << true << false;
        QTest::newRow("QSettings, no sizes") << true << -1 << small << text << true << false;
        QTest::newRow("QSettings, escaped keys") << true << 64 << QByteArray("[Variables]\nsome key=1\n\xd0\xba\xd0\xbb\xd1\x8e\xd1\x87=2\n") << text << true
                                                 << false;
    }

    void nearlyFullDisk()
    {
        QFETCH(bool, qsettings);
        QFETCH(int, roomKiB);
        QFETCH(QByteArray, old);
        QFETCH(QString, value);
        QFETCH(bool, written);
        QFETCH(bool, othersFile);

        const QString file = path(QStringLiteral("nearlyfull%1/themerc").arg(QLatin1String(QTest::currentDataTag())).remove(QLatin1Char(' ')));
        const QString directory = QFileInfo(file).path();
        QVERIFY(QDir().mkpath(directory));
        std::unique_ptr<PexoTest::FullDisk> disk;
        if (roomKiB < 0) {
            // A tmpfs without a size limit reports 0 blocks, as some FUSE
            // file systems do.
            QCOMPARE(QProcess::execute(
                         QStringLiteral("mount"),
                         {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"), QStringLiteral("size=0"), QStringLiteral("tmpfs"), directory}),
                     0);
            QVERIFY(PexoTest::writeFile(file, old));
        } else {
            QVERIFY(PexoTest::writeFile(file, old));
            disk = std::make_unique<PexoTest::FullDisk>(directory, roomKiB * 1024);
            QVERIFY(disk->isFull());
        }
        if (othersFile && ::chown(QFile::encodeName(file).constData(), 4321, 4321) != 0) {
            QSKIP("no other user here");
        }
        auto unmount = qScopeGuard([&] {
            if (roomKiB < 0) {
                QProcess::execute(QStringLiteral("umount"), {directory});
            }
        });
        const FailedWrites failed;
        if (qsettings) {
            QCOMPARE(SettingsReplace::store(file, QStringLiteral("Variables"), {{QStringLiteral("Big"), value}}), written);
            QSettings settings(file, QSettings::IniFormat);
            QCOMPARE(settings.value(QStringLiteral("Variables/Big")).isValid(), written);
        } else {
            QCOMPARE(KConfigStorage(file).write(QStringLiteral("Big"), value), written);
        }
        QCOMPARE(failed.files(), written ? QStringList() : QStringList{file});
        if (written) {
            QCOMPARE(KConfig(file, KConfig::SimpleConfig).group(QStringLiteral("Variables")).readEntry(QStringLiteral("Big"), QString()), value);
        } else {
            QCOMPARE(PexoTest::readFile(file), old);
        }
        QStringList left{QStringLiteral("themerc")};
        if (disk) {
            left.prepend(QStringLiteral(".full"));
        }
        QCOMPARE(QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), left);
    }

    // The copies of old content that writers killed during a save left
    // beside a file go with its next write; the copies of other files stay.
    void leftCopiesGoWithTheNextWrite()
    {
        const QString file = writeRc(QStringLiteral("left/themerc"), "[Variables]\nK=1\n");
        const QString dir = QFileInfo(file).path() + QLatin1Char('/');
        const QStringList stale{QStringLiteral(".themerc.kept-0000abcd"), QStringLiteral(".themerc.kept-ffff0000")};
        const QStringList kept{QStringLiteral(".other.kept-0000abcd"), QStringLiteral(".themerc.kept-notmine")};
        for (const QString &name : stale + kept) {
            QVERIFY(PexoTest::writeFile(dir + name, "[Variables]\nK=0\n"));
        }
        QVERIFY(KConfigStorage(file).write(QStringLiteral("K"), QStringLiteral("2")));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden, QDir::Name), kept + QStringList{QStringLiteral("themerc")});
    }

    // What a writer leaves for a while (the settings writer's kept copy, an
    // import's hidden folder) goes once the process holding it is killed,
    // never while it lives; a link in its place is neither followed nor
    // removed.
    void leftBehind_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("folder");
        QTest::addColumn<bool>("link");
        QTest::addColumn<bool>("killed");
        QTest::newRow("kept copy of a killed writer") << QStringLiteral(".themerc.kept-0000abcd") << false << false << true;
        QTest::newRow("kept copy of a live writer") << QStringLiteral(".themerc.kept-0000abcd") << false << false << false;
        QTest::newRow("import folder of a killed import") << QStringLiteral(".pexo-import-Ab12Cd") << true << false << true;
        QTest::newRow("import folder of a live import") << QStringLiteral(".pexo-import-Ab12Cd") << true << false << false;
        QTest::newRow("link named as a kept copy") << QStringLiteral(".themerc.kept-0000abcd") << false << true << true;
        QTest::newRow("link named as an import folder") << QStringLiteral(".pexo-import-Ab12Cd") << true << true << true;
    }

    void leftBehind()
    {
        QFETCH(QString, name);
        QFETCH(bool, folder);
        QFETCH(bool, link);
        QFETCH(bool, killed);
        const QString dir = path(QStringLiteral("leftbehind"));
        const QString entry = dir + QLatin1Char('/') + name;
        const QString outside = path(QStringLiteral("outside"));
        PexoTest::removePath(dir);
        PexoTest::removePath(outside);
        QVERIFY(PexoTest::writeFile(outside + QStringLiteral("/file"), "kept"));
        if (link) {
            QVERIFY(QDir().mkpath(dir) && QFile::link(folder ? outside : outside + QStringLiteral("/file"), entry));
        } else if (folder) {
            // What it unpacked, and a link out of it.
            QVERIFY(PexoTest::writeFile(entry + QStringLiteral("/theme/themerc"), "[Variables]\n"));
            QVERIFY(QFile::link(outside, entry + QStringLiteral("/theme/out")));
        } else {
            QVERIFY(PexoTest::writeFile(entry, "[Variables]\nK=0\n"));
        }
        // Its writer holds it, killed or not by the time of the sweep.
        QProcess holder;
        if (!link) {
            holder.start(QStringLiteral("python3"),
                         {QStringLiteral("-c"),
                          QStringLiteral("import fcntl, os, sys, time\n"
                                         "fcntl.flock(os.open(sys.argv[1], os.O_RDONLY), fcntl.LOCK_SH)\n"
                                         "print('held', flush=True)\n"
                                         "time.sleep(60)\n"),
                          entry});
            QVERIFY(holder.waitForReadyRead(PexoTest::patienceMs));
        }
        if (killed) {
            holder.kill();
            holder.waitForFinished(PexoTest::patienceMs);
        }

        LeftBehind::remove(dir, folder ? LeftBehind::Type::Folder : LeftBehind::Type::File, [&name](const QByteArray &found) {
            return found == QFile::encodeName(name);
        });
        holder.kill();
        holder.waitForFinished(PexoTest::patienceMs);
        QCOMPARE(QFileInfo(entry).exists() || QFileInfo(entry).isSymLink(), link || !killed);
        QCOMPARE(PexoTest::readFile(outside + QStringLiteral("/file")), QByteArray("kept"));
    }

    // Beside a copy that a killed writer left, what Qt's settings class
    // made for it goes too; names that only look like them stay.
    void leftBesideACopy()
    {
        const QString file = writeRc(QStringLiteral("Trolltech.conf"), "[Qt]\n");
        const QString dir = QFileInfo(file).path() + QLatin1Char('/');
        const QStringList left{QStringLiteral(".Trolltech.conf.copy-0000abcd"),
                               QStringLiteral(".Trolltech.conf.copy-0000abcd.lock"),
                               QStringLiteral(".Trolltech.conf.copy-0000abcd.Ab12Cd")};
        const QStringList kept{QStringLiteral(".Trolltech.conf.copy-0000abcd.notes"), QStringLiteral(".Trolltech.conf.copy-0000abcg.lock")};
        for (const QString &name : left + kept) {
            QVERIFY(PexoTest::writeFile(dir + name, "x"));
        }
        LeftBehind::removeBeside(file, "copy");
        for (const QString &name : left + kept) {
            QVERIFY2(QFileInfo::exists(dir + name) == kept.contains(name), qPrintable(name));
        }
    }

    // What stands in the place of the lock files that the writers take
    // beside a file, and that is no lock, is replaced: they would wait for
    // it for ever. A folder holding files is refused, named, before a write.
    // A lock that another program holds is waited for within a page's
    // patience, never taken: the write is refused, naming the holder. One
    // that Qt takes for stale goes.
    void lockPlaces_data()
    {
        QTest::addColumn<QByteArray>("kind");
        QTest::addColumn<bool>("qsettings");
        QTest::addColumn<bool>("linked");
        QTest::addColumn<bool>("written");
        for (const QByteArray kind : {"fifo", "dangling", "loop", "socket", "folder", "stale hard link", "left by a program that ended"}) {
            QTest::addRow("%s", kind.constData()) << kind << false << false << true;
        }
        QTest::newRow("held by another program") << QByteArray("held") << false << false << false;
        QTest::newRow("held by another program, Qt's settings") << QByteArray("held") << true << false << false;
        // The page's patience covers them all: the first one still held ends it.
        QTest::newRow("held by another program, seven more files too") << QByteArray("held, seven more") << false << false << false;
        // Taken by another program once the writer has found it free and
        // prepares its write: the writer holds it by then.
        QTest::newRow("taken meanwhile") << QByteArray("taken meanwhile") << false << false << true;
        QTest::newRow("taken meanwhile, Qt's settings") << QByteArray("taken meanwhile") << true << false << true;
        QTest::newRow("fifo, Qt's settings") << QByteArray("fifo") << true << false << true;
        // Qt's class takes the lock beside the name it is given.
        QTest::newRow("fifo, Qt's settings through a link") << QByteArray("fifo") << true << true << true;
        // Written through, the link kept, as Qt's save file writes.
        QTest::newRow("through a link to a file not made yet, Qt's settings") << QByteArray("not made") << true << true << true;
        QTest::newRow("folder holding files") << QByteArray("full folder") << false << false << false;
        QTest::newRow("folder holding files, Qt's settings") << QByteArray("full folder") << true << false << false;
        QTest::newRow("folder holding files, Qt's settings through a link") << QByteArray("full folder") << true << true << false;
    }

    void lockPlaces()
    {
        QFETCH(QByteArray, kind);
        QFETCH(bool, qsettings);
        QFETCH(bool, linked);
        QFETCH(bool, written);
        const QString target = writeRc(QStringLiteral("locked"), "[Variables]\nK=1\n");
        const QString file = linked ? path(QStringLiteral("link")) : target;
        const QString lock = file + QStringLiteral(".lock");
        PexoTest::removePath(lock);
        PexoTest::removePath(target + QStringLiteral(".lock"));
        if (linked) {
            PexoTest::removePath(file);
            QVERIFY(QFile::link(target, file));
        }
        const QString mine = writeRc(QStringLiteral("mine"), "my own\n");
        const QByteArray name = QFile::encodeName(lock);
        if (kind == "fifo") {
            QCOMPARE(::mkfifo(name.constData(), 0600), 0);
        } else if (kind == "dangling") {
            QVERIFY(QFile::link(path(QStringLiteral("nothing")), lock));
        } else if (kind == "loop") {
            QVERIFY(QFile::link(lock, lock));
        } else if (kind == "socket") {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            struct sockaddr_un address = {};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, name.constData(), sizeof(address.sun_path));
            QCOMPARE(::bind(fd, reinterpret_cast<struct sockaddr *>(&address), sizeof(address)), 0);
            ::close(fd);
        } else if (kind == "folder") {
            QVERIFY(QDir().mkpath(lock));
        } else if (kind == "stale hard link") {
            QCOMPARE(::link(QFile::encodeName(mine).constData(), name.constData()), 0);
            QFile old(lock);
            QVERIFY(old.open(QIODevice::ReadOnly) && old.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime));
        } else if (kind == "left by a program that ended") {
            QVERIFY(PexoTest::writeFile(lock, "999999\nended\n" + QSysInfo::machineHostName().toUtf8() + '\n'));
            QVERIFY(QFile::setPermissions(lock, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        } else if (kind == "full folder") {
            QVERIFY(PexoTest::writeFile(lock + QStringLiteral("/held"), "kept\n"));
        } else if (kind == "not made") {
            PexoTest::removePath(target);
        }
        std::optional<PexoTest::HeldLock> holder;
        QStringList others;
        std::vector<std::unique_ptr<PexoTest::HeldLock>> otherHolders;
        if (kind.startsWith("held")) {
            holder.emplace(lock, PexoTest::HeldLock::QtLock);
            QVERIFY(holder->isHeld());
        }
        if (kind == "held, seven more") {
            for (int i = 0; i < 7; ++i) {
                others << writeRc(QStringLiteral("locked%1").arg(i), "[Variables]\nK=1\n");
                otherHolders.push_back(std::make_unique<PexoTest::HeldLock>(others.last() + QStringLiteral(".lock"), PexoTest::HeldLock::QtLock));
                QVERIFY(otherHolders.back()->isHeld());
            }
        }
        // The first time the writer opens the file's folder (to sweep what
        // killed writers left, once it has found the lock free), the test
        // takes the lock as another program would, before it goes on.
        int watch = -1;
        auto closeWatch = qScopeGuard([&watch] {
            if (watch >= 0) {
                ::close(watch);
            }
        });
        if (kind == "taken meanwhile") {
            watch = ::fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC);
            if (watch < 0) {
                QSKIP("no fanotify here");
            }
            QCOMPARE(::fanotify_mark(watch, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_ONDIR, AT_FDCWD, QFile::encodeName(QFileInfo(target).path()).constData()), 0);
        }
        QLockFile other(lock);
        bool taken = false;
        QStringList refused;
        bool result = !written;
        QStringList failed;
        QElapsedTimer spent;
        spent.start();
        std::unique_ptr<QThread> thread(QThread::create([&] {
            // A page's patience.
            const SessionLock session(SessionLock::Wait::Page);
            refused = SettingsReplace::unreplaceable(QStringList{file} + others);
            const FailedWrites failures;
            if (qsettings) {
                result = SettingsReplace::store(file, QStringLiteral("Variables"), {{QStringLiteral("K"), QStringLiteral("2")}});
            } else {
                KConfigStorage storage(file);
                result = storage.write(QStringLiteral("K"), QStringLiteral("2")) && storage.sync();
            }
            failed = failures.files();
        }));
        thread->start();
        // Whatever fails, the writer ends before what it uses goes.
        auto finish = qScopeGuard([&] {
            if (watch >= 0) {
                ::close(watch);
                watch = -1;
            }
            other.unlock();
            thread->wait();
        });
        const QDeadlineTimer ends(10000);
        while (watch >= 0 && !thread->isFinished() && !ends.hasExpired()) {
            pollfd event{watch, POLLIN, 0};
            if (::poll(&event, 1, 10) <= 0) {
                continue;
            }
            alignas(fanotify_event_metadata) char buffer[4096];
            const ssize_t length = ::read(watch, buffer, sizeof(buffer));
            auto *metadata = reinterpret_cast<fanotify_event_metadata *>(buffer);
            for (ssize_t left = length; FAN_EVENT_OK(metadata, left); metadata = FAN_EVENT_NEXT(metadata, left)) {
                if (!taken && (metadata->mask & FAN_OPEN_PERM)) {
                    taken = other.tryLock(0);
                }
                const fanotify_response allow{metadata->fd, FAN_ALLOW};
                QCOMPARE(::write(watch, &allow, sizeof(allow)), ssize_t(sizeof(allow)));
                ::close(metadata->fd);
            }
        }
        // A writer that waits for a lock waits far longer.
        QVERIFY2(thread->wait(int(std::max<qint64>(ends.remainingTime(), 0))), "a writer waits for a lock");
        // A page gives up within its 2 s, whatever it waits for.
        QVERIFY2(spent.elapsed() < 3500, qPrintable(QString::number(spent.elapsed())));
        QVERIFY2(!taken, "another program took the lock while the writer prepared its write");
        if (holder) {
            QCOMPARE(refused, QStringList{QStringLiteral("%1 (its lock is held by lockholder, process %2)").arg(file).arg(holder->pid())});
            QVERIFY2(holder->release(), "the lock was taken from its holder");
        } else {
            QCOMPARE(refused, written ? QStringList() : QStringList{lock});
        }
        QCOMPARE(result, written);
        QCOMPARE(PexoTest::readFile(file).contains("K=2"), written);
        QCOMPARE(QFileInfo(file).isSymLink(), linked);
        // A held one is named with its holder.
        const QString held = holder ? refused.value(0) : lock;
        QCOMPARE(failed.contains(held), !written);
        QCOMPARE(PexoTest::readFile(mine), QByteArray("my own\n"));
        struct stat status;
        QCOMPARE(::lstat(name.constData(), &status) == 0, !written && !holder);
        if (!written && !holder) {
            QCOMPARE(PexoTest::readFile(lock + QStringLiteral("/held")), QByteArray("kept\n"));
        }
    }

    void kconfigSpecialFilesAreNeitherReadNorWritten()
    {
        // Reading either would block or never end.
        const QString fifo = path(QStringLiteral("fifo"));
        QDir().mkpath(QFileInfo(fifo).path());
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const QString device = path(QStringLiteral("device"));
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), device));
        for (const QString &file : {fifo, device}) {
            KConfigStorage storage(file);
            QCOMPARE(storage.read(QStringLiteral("K"), QStringLiteral("d")).toString(), QStringLiteral("d"));
            QVERIFY(!storage.write(QStringLiteral("K"), QStringLiteral("v")));
            QVERIFY(!storage.sync());
        }
        QVERIFY(QFileInfo(fifo).isReadable() && !QFileInfo(fifo).isFile());
        QCOMPARE(QFileInfo(device).symLinkTarget(), QStringLiteral("/dev/zero"));

        // A file that turned into a link to a fifo after it was read is not
        // replaced through the link.
        const QString turned = writeRc(QStringLiteral("turned"), "[G]\nK=v\n");
        KConfig config(turned, KConfig::SimpleConfig);
        config.group("G").writeEntry("K", "w");
        QVERIFY(QFile::remove(turned) && QFile::link(fifo, turned));
        QCOMPARE(SettingsReplace::sync(config, fifo), SettingsReplace::Result::Refused);
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        config.markAsClean();
    }

    // The configuration reader's warnings are off while a file is parsed,
    // and as the logging rules make them again once the last parse is done.
    void quietParseEnds()
    {
        const PexoTest::ReaderWarnings warnings;
        const QString file = writeRc(QStringLiteral("escapes"), "[G]\nK=\\q\n");
        const auto parse = [&file] {
            KConfig(file, KConfig::SimpleConfig).group("G").readEntry("K");
        };
        ConfigFile::parse([&] {
            ConfigFile::open(file)->group("G").readEntry("K");
            parse();
        });
        QCOMPARE(warnings.count(), 0);
        parse();
        QCOMPARE(warnings.count(), 1);
    }

    void ulvarStorage()
    {
        const QString file = writeRc(QStringLiteral("ulvar"), "Empty=\nFull=\"x\"\n");
        UlvarStorage storage(file, true);
        QVERIFY(!storage.contains(QStringLiteral("Empty")));
        QVERIFY(storage.contains(QStringLiteral("Full")));
        QCOMPARE(storage.read(QStringLiteral("Full"), QString()).toString(), QStringLiteral("\"x\"")); // no quote stripping
        QCOMPARE(storage.read(QStringLiteral("Missing"), 7).toInt(), 7);
        QVERIFY(storage.isReadOnly());
        QVERIFY(storage.write(QStringLiteral("New"), QStringLiteral("v"))); // the flag is enforced one level up
        QVERIFY(PexoTest::readFile(file).contains("New=v\n"));
        QVERIFY(storage.keys().isEmpty());

        const QString broken = writeRc(QStringLiteral("broken"), "no separator here\n");
        UlvarStorage unparsed(broken, false);
        QVERIFY(!unparsed.write(QStringLiteral("K"), QStringLiteral("v")));
        QCOMPARE(PexoTest::readFile(broken), QByteArray("no separator here\n"));
    }
};

QTEST_GUILESS_MAIN(StorageTest)

#include "storagetest.moc"
