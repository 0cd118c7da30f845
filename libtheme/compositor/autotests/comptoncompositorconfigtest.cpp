#include "comptoncompositorconfig.h"
#include "failedwrites.h"

#include <pexotestsupport.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <libconfig.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const QString configDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
const QString userPicom = configDir + QStringLiteral("/picom.conf");
const QString userCompton = configDir + QStringLiteral("/compton.conf");
const QString systemPicom = QStringLiteral("/etc/xdg/picom.conf");
const QString systemPicomDir = QStringLiteral("/etc/xdg/picom/picom.conf");
const QString systemCompton = QStringLiteral("/etc/xdg/compton.conf");
const QStringList allFiles = {userPicom, userCompton, systemPicom, systemPicomDir, systemCompton};

// Writes the file with a modification time of its own, so that a rewrite is
// told apart from the previous content even within one clock tick.
void writeConfig(const QString &path, const QByteArray &content)
{
    static int bump = 0;
    QVERIFY(PexoTest::writeFile(path, content));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++bump), QFileDevice::FileModificationTime));
}

// A top-level setting of a libconfig file: a bool, an int, a string, or invalid.
QVariant settingIn(const QString &path, const char *name)
{
    config_t config;
    config_init(&config);
    QVariant value;
    if (config_read_file(&config, QFile::encodeName(path).constData()) == CONFIG_TRUE) {
        if (config_setting_t *setting = config_setting_get_member(config_root_setting(&config), name)) {
            switch (config_setting_type(setting)) {
            case CONFIG_TYPE_BOOL:
                value = bool(config_setting_get_bool(setting));
                break;
            case CONFIG_TYPE_INT:
                value = config_setting_get_int(setting);
                break;
            case CONFIG_TYPE_STRING:
                value = QString::fromUtf8(config_setting_get_string(setting));
                break;
            }
        }
    }
    config_destroy(&config);
    return value;
}

struct Option
{
    const char *name;
    bool (ComptonCompositorConfig::*get)() const;
    bool (ComptonCompositorConfig::*set)(bool);
};

const QVector<Option> options = {
    {"enable-transparency", &ComptonCompositorConfig::transparencyEnabled, &ComptonCompositorConfig::setTransparencyEnabled},
    {"shadow", &ComptonCompositorConfig::shadowEnabled, &ComptonCompositorConfig::setShadowEnabled},
    {"corner-radius", &ComptonCompositorConfig::roundedCornersEnabled, &ComptonCompositorConfig::setRoundedCornersEnabled},
    {"vsync", &ComptonCompositorConfig::verticalSyncronizationEnabled, &ComptonCompositorConfig::setVerticalSyncronizationEnabled},
    {"animations", &ComptonCompositorConfig::windowAnimationsEnabled, &ComptonCompositorConfig::setWindowAnimationsEnabled},
    {"fading", &ComptonCompositorConfig::windowFadingEnabled, &ComptonCompositorConfig::setWindowFadingEnabled},
};

int optionIndex(const char *name)
{
    for (int i = 0; i < options.size(); ++i) {
        if (qstrcmp(options.at(i).name, name) == 0) {
            return i;
        }
    }
    return -1;
}
} // namespace

class ComptonCompositorConfigTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        for (const QString &path : allFiles) {
            QFile::remove(path);
        }
    }

    void choosesFile_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("source");

        QTest::newRow("user picom") << QStringList{userPicom, systemPicom} << userPicom << userPicom;
        QTest::newRow("both user files") << QStringList{userPicom, userCompton} << userPicom << userPicom;
        QTest::newRow("user compton") << QStringList{userCompton, systemPicom} << userCompton << userCompton;
        QTest::newRow("system picom") << QStringList{systemPicom, systemPicomDir, systemCompton} << userPicom << systemPicom;
        QTest::newRow("system picom directory") << QStringList{systemPicomDir, systemCompton} << userPicom << systemPicomDir;
        QTest::newRow("system compton") << QStringList{systemCompton} << userPicom << systemCompton;
    }

    void choosesFile()
    {
        QFETCH(QStringList, present);
        QFETCH(QString, written);
        QFETCH(QString, source);

        QHash<QString, QByteArray> before;
        for (const QString &path : present) {
            const QByteArray content = "vsync = false;\nmarker = \"" + path.toUtf8() + "\";\n";
            writeConfig(path, content);
            before.insert(path, content);
        }

        ComptonCompositorConfig config;
        // Reading makes no file of the user's.
        QVERIFY(!config.verticalSyncronizationEnabled());
        QCOMPARE(QFile::exists(userPicom), present.contains(userPicom));
        QVERIFY(config.setVerticalSyncronizationEnabled(true));

        QCOMPARE(settingIn(written, "vsync"), QVariant(true));
        QCOMPARE(settingIn(written, "marker"), QVariant(source));
        for (const QString &path : present) {
            if (path != written) {
                QCOMPARE(PexoTest::readFile(path), before.value(path));
            }
        }
        if (!present.contains(userPicom) && written != userPicom) {
            QVERIFY(!QFile::exists(userPicom));
        }
    }

    // Without any file every option reads as off and cannot be turned on:
    // a missing setting is never added, and no file is made for nothing.
    void noFileAnywhere()
    {
        ComptonCompositorConfig config;
        const FailedWrites failed;
        for (const Option &option : options) {
            QVERIFY(!(config.*option.get)());
            QVERIFY(!(config.*option.set)(true));
        }
        QVERIFY(!QFile::exists(userPicom));
        QCOMPARE(failed.files(), QStringList());
    }

    void readsOptions_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("enabled");

        for (const char *name : {"enable-transparency", "shadow", "vsync", "animations", "fading"}) {
            const QByteArray setting(name);
            QTest::addRow("%s true", name) << optionIndex(name) << setting + " = true;" << true;
            QTest::addRow("%s false", name) << optionIndex(name) << setting + " = false;" << false;
            QTest::addRow("%s integer", name) << optionIndex(name) << setting + " = 1;" << false;
            QTest::addRow("%s string", name) << optionIndex(name) << setting + " = \"true\";" << false;
            QTest::addRow("%s absent", name) << optionIndex(name) << QByteArray("other = true;") << false;
        }
        const int radius = optionIndex("corner-radius");
        QTest::newRow("corner-radius 10") << radius << QByteArray("corner-radius = 10;") << true;
        QTest::newRow("corner-radius 0") << radius << QByteArray("corner-radius = 0;") << false;
        QTest::newRow("corner-radius -3") << radius << QByteArray("corner-radius = -3;") << false;
        QTest::newRow("corner-radius boolean") << radius << QByteArray("corner-radius = true;") << false;
        QTest::newRow("corner-radius absent") << radius << QByteArray("shadow = true;") << false;
    }

    void readsOptions()
    {
        QFETCH(int, option);
        QFETCH(QByteArray, content);
        QFETCH(bool, enabled);

        writeConfig(userPicom, content + '\n');
        ComptonCompositorConfig config;
        QCOMPARE((config.*options.at(option).get)(), enabled);
    }

    void writesOptions_data()
    {
        QTest::addColumn<int>("option");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("changed");
        QTest::addColumn<QVariant>("stored");

        for (const char *name : {"enable-transparency", "shadow", "vsync", "animations", "fading"}) {
            const QByteArray setting(name);
            QTest::addRow("%s on", name) << optionIndex(name) << setting + " = false;" << true << true << QVariant(true);
            QTest::addRow("%s off", name) << optionIndex(name) << setting + " = true;" << false << true << QVariant(false);
            QTest::addRow("%s already on", name) << optionIndex(name) << setting + " = true;" << true << false << QVariant(true);
            QTest::addRow("%s integer", name) << optionIndex(name) << setting + " = 0;" << true << false << QVariant(0);
            QTest::addRow("%s absent", name) << optionIndex(name) << QByteArray("other = 1;") << true << false << QVariant();
        }
        const int radius = optionIndex("corner-radius");
        QTest::newRow("corner-radius 10 on") << radius << QByteArray("corner-radius = 10;") << true << true << QVariant(7);
        QTest::newRow("corner-radius 10 off") << radius << QByteArray("corner-radius = 10;") << false << true << QVariant(0);
        QTest::newRow("corner-radius 7 on") << radius << QByteArray("corner-radius = 7;") << true << false << QVariant(7);
        QTest::newRow("corner-radius 0 off") << radius << QByteArray("corner-radius = 0;") << false << false << QVariant(0);
        QTest::newRow("corner-radius -3 on") << radius << QByteArray("corner-radius = -3;") << true << true << QVariant(7);
        QTest::newRow("corner-radius boolean") << radius << QByteArray("corner-radius = false;") << true << false << QVariant(false);
        QTest::newRow("corner-radius absent") << radius << QByteArray("other = 1;") << true << false << QVariant();
    }

    void writesOptions()
    {
        QFETCH(int, option);
        QFETCH(QByteArray, content);
        QFETCH(bool, value);
        QFETCH(bool, changed);
        QFETCH(QVariant, stored);

        writeConfig(userPicom, content + "\nkept = \"yes\";\n");
        const QByteArray before = PexoTest::readFile(userPicom);
        ComptonCompositorConfig config;
        QCOMPARE((config.*options.at(option).set)(value), changed);
        QCOMPARE(settingIn(userPicom, options.at(option).name), stored);
        QCOMPARE(settingIn(userPicom, "kept"), QVariant(QStringLiteral("yes")));
        if (!changed) {
            QCOMPARE(PexoTest::readFile(userPicom), before);
        } else {
            QCOMPARE((config.*options.at(option).get)(), value);
        }
    }

    void keepsExternalEditBetweenSetters()
    {
        writeConfig(userPicom, "shadow = false;\nfading = false;\nvsync = false;\n");
        ComptonCompositorConfig config;
        QVERIFY(config.setShadowEnabled(true));

        // Another program turns fading on.
        writeConfig(userPicom, "shadow = true;\nfading = true;\nvsync = false;\n");
        QVERIFY(config.setVerticalSyncronizationEnabled(true));

        QCOMPARE(settingIn(userPicom, "shadow"), QVariant(true));
        QCOMPARE(settingIn(userPicom, "fading"), QVariant(true));
        QCOMPARE(settingIn(userPicom, "vsync"), QVariant(true));
    }

    void settersStartFromTheFile()
    {
        writeConfig(userPicom, "shadow = false;\n");
        ComptonCompositorConfig config;
        // Switched on by hand in the meantime: nothing left to change.
        writeConfig(userPicom, "shadow = true;\n");
        QVERIFY(!config.setShadowEnabled(true));
        QCOMPARE(PexoTest::readFile(userPicom), QByteArray("shadow = true;\n"));
    }

    void gettersFollowTheFile()
    {
        writeConfig(userPicom, "fading = false;\n");
        ComptonCompositorConfig config;
        QVERIFY(!config.windowFadingEnabled());
        writeConfig(userPicom, "fading = true;\n");
        QVERIFY(config.windowFadingEnabled());
    }

    void failedWriteKeepsTheFile()
    {
        writeConfig(userPicom, "shadow = false;\nkept = \"a value longer than the limit\";\n");
        const QByteArray before = PexoTest::readFile(userPicom);
        ComptonCompositorConfig config;
        bool written = true;
        {
            PexoTest::FileSizeLimit fullDisk(16);
            written = config.setShadowEnabled(true);
        }
        QVERIFY(!written);
        QCOMPARE(PexoTest::readFile(userPicom), before);
        QCOMPARE(QDir(configDir).entryList({QStringLiteral("picom.conf*")}, QDir::Files | QDir::Hidden), QStringList{QStringLiteral("picom.conf")});
        QVERIFY(config.setShadowEnabled(true));
        QCOMPARE(settingIn(userPicom, "shadow"), QVariant(true));
    }

    void includesBesideTheFile()
    {
        // Relative to the file's directory, not the working directory; absolute paths stay.
        writeConfig(configDir + QStringLiteral("/picom-shadow.conf"), "shadow = true;\n");
        const QString absolute = PexoTest::sandboxDir() + QStringLiteral("/picom-fading.conf");
        writeConfig(absolute, "fading = true;\n");
        writeConfig(userPicom, "@include \"picom-shadow.conf\"\n  @include \"" + absolute.toUtf8() + "\"\nvsync = false;\n");
        ComptonCompositorConfig config;
        QVERIFY(config.shadowEnabled());
        QVERIFY(config.windowFadingEnabled());
        QVERIFY(config.setVerticalSyncronizationEnabled(true));
        QCOMPARE(settingIn(userPicom, "vsync"), QVariant(true));
    }

    // A fifo or a device, as the file or as an include, reads as missing
    // and is left in place; a hang ends the test run after 10 s.
    void specialFilesReadAsMissing_data()
    {
        QTest::addColumn<QString>("special");
        QTest::addColumn<bool>("fifo");
        QTest::addColumn<QByteArray>("picom");
        QTest::addColumn<bool>("written");

        const QString included = configDir + QStringLiteral("/picom-extra.conf");
        const QByteArray including = "@include \"picom-extra.conf\"\nshadow = false;\n";
        QTest::newRow("user file") << userPicom << true << QByteArray() << false;
        QTest::newRow("included fifo") << included << true << including << false;
        QTest::newRow("included device") << included << false << including << false;
        // The next system file is copied instead.
        QTest::newRow("system file") << systemPicom << true << QByteArray() << true;
    }

    void specialFilesReadAsMissing()
    {
        QFETCH(QString, special);
        QFETCH(bool, fifo);
        QFETCH(QByteArray, picom);
        QFETCH(bool, written);
        QFile::remove(special);
        QVERIFY(fifo ? ::mkfifo(QFile::encodeName(special).constData(), 0600) == 0 : QFile::link(QStringLiteral("/dev/zero"), special));
        if (!picom.isEmpty()) {
            writeConfig(userPicom, picom);
        }
        writeConfig(systemCompton, "shadow = false;\n");

        ::alarm(PexoTest::patienceMs / 1000);
        ComptonCompositorConfig config;
        QVERIFY(!config.shadowEnabled());
        const FailedWrites failed;
        QCOMPARE(config.setShadowEnabled(true), written);
        ::alarm(0);
        // The file may hold the setting: not turning it on is a failed write.
        QCOMPARE(failed.files(), written ? QStringList() : QStringList{userPicom});
        QVERIFY(QFileInfo::exists(special) && !QFileInfo(special).isFile() && QFileInfo(special).isSymLink() != fifo);
        QFile::remove(special);
    }

    void unparsableFileCountsAsEmpty()
    {
        // The first setting parses before the error; it must not be seen.
        const QByteArray content = "shadow = true;\nvsync = ;\n";
        writeConfig(userPicom, content);
        ComptonCompositorConfig config;
        QVERIFY(!config.shadowEnabled());
        QVERIFY(!config.setShadowEnabled(false));
        QVERIFY(!config.setVerticalSyncronizationEnabled(true));
        QCOMPARE(PexoTest::readFile(userPicom), content);
    }
};

QTEST_GUILESS_MAIN(ComptonCompositorConfigTest)

#include "comptoncompositorconfigtest.moc"
