// The sounds page loaded as a settings host does, offscreen, over generated
// sound themes, system sounds and icons.

#include "wavfile.h"

#include <watchedfifo.h>

#include <moduletestsupport.h>

#include <KConfig>
#include <KConfigGroup>
#include <KMessageWidget>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QJsonObject>
#include <QLabel>
#include <QPluginLoader>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTextDocument>
#include <QTimer>

namespace {
const QString systemSounds = QStringLiteral("/usr/share/sounds");

QString calmDir()
{
    return QDir::homePath() + QStringLiteral("/system/sounds/calm");
}

QString currentThemeDir()
{
    return ThemeDefaults::userThemesDir + QStringLiteral("/Mine");
}

void writeCurrentTheme(bool readOnly)
{
    QByteArray index = "[Pexo Theme]\nId=Mine\nName=Mine\n";
    if (readOnly) {
        index += "X-Ulvar-System-Theme=true\n";
    }
    QVERIFY(PexoTest::writeFile(currentThemeDir() + QStringLiteral("/index.theme"), index));
    QVERIFY(PexoTest::writeFile(currentThemeDir() + QStringLiteral("/theme/themerc"), "[Variables]\n"));
    const QString record = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
    QVERIFY(PexoTest::writeFile(record, "[Theme]\nCurrentTheme=Mine\nCurrentThemePath=" + currentThemeDir().toUtf8() + "/index.theme\n"));
}

QString variable(const QString &path, const QString &key)
{
    const KConfig config(path, KConfig::SimpleConfig);
    return config.group("Variables").readEntry(key, QStringLiteral("<missing>"));
}

// The page icons, each a square of its own colour.
const QList<QPair<QString, QColor>> pageIcons{
    {QStringLiteral("edit-reset-symbolic"), Qt::red},
    {QStringLiteral("audio-volume-high-symbolic"), Qt::green},
    {QStringLiteral("media-playback-start-symbolic"), Qt::blue},
    {QStringLiteral("media-playback-stop-symbolic"), Qt::magenta},
};

struct Page
{
    std::unique_ptr<QObject> module;
    QWidget *widget = nullptr;
    QTableWidget *table = nullptr;
    QComboBox *combo = nullptr;
    KMessageWidget *message = nullptr;

    QString file(int row) const
    {
        return table->item(row, 1)->text();
    }
    bool enabled(int row, int column) const
    {
        return table->cellWidget(row, column)->isEnabled();
    }
    QColor icon(int row, int column) const
    {
        const QImage image = static_cast<QLabel *>(table->cellWidget(row, column))->pixmap(Qt::ReturnByValue).toImage();
        return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
    }
    void click(int row, int column) const
    {
        Q_EMIT table->cellClicked(row, column);
    }
    QStringList comboTexts() const
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i) {
            texts << combo->itemText(i);
        }
        return texts;
    }
    // Double-clicks the row's file and picks path in the file dialog.
    void choose(int row, const QString &path) const
    {
        QTimer::singleShot(0, [path]() {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        Q_EMIT table->cellDoubleClicked(row, 1);
    }
    void save() const
    {
        QVERIFY(QMetaObject::invokeMethod(module.get(), "save"));
    }
};

// A page over fresh live settings, loaded and shown.
Page open(const QByteArray &live)
{
    BehaviourTest::resetFiles(live);
    Page page;
    page.module = ModuleTest::create(QStringLiteral("kcm_pexo_sounds"));
    page.widget = qobject_cast<QWidget *>(page.module.get());
    if (!page.widget) {
        return page;
    }
    page.table = page.widget->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    page.combo = page.widget->findChild<QComboBox *>(QStringLiteral("themeCombobox"));
    page.message = page.widget->findChild<KMessageWidget *>(QStringLiteral("kmessagewidget"));
    // As a host does; the first show loads the page once more.
    QMetaObject::invokeMethod(page.module.get(), "load");
    page.widget->resize(900, 700);
    page.widget->show();
    if (QTest::qWaitForWindowExposed(page.widget, PexoTest::patienceMs)) {
        QCoreApplication::processEvents();
    }
    return page;
}
} // namespace

class SoundsModuleTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_DATA_DIRS", QFile::encodeName(QDir::homePath() + QStringLiteral("/system")));
        // Invalid escapes in the files the page reads.
        QVERIFY(PexoTest::writeFile(calmDir() + QStringLiteral("/index.theme"), "[Sound Theme]\nName=Calm\nDirectories=stereo\nComment=\\q\n"));
        for (const char *sound : {"desktop-login", "desktop-logout", "window-attention-active", "dialog-information", "alarm.tar", "sub/nested"}) {
            QVERIFY(SoundTest::writeWav(calmDir() + QStringLiteral("/stereo/") + QLatin1String(sound) + QStringLiteral(".wav"), 20000));
        }
        QVERIFY(PexoTest::writeFile(calmDir() + QStringLiteral("/stereo/dialog-information.desktop"), "[Desktop Entry]\nComment=Information\nName=\\q\n"));
        for (const char *sound : {"x-pexo-wm-chimes.wav", "x-pexo-wm-error.wav", "x-pexo-wm-notify.wav", "x-pexo-wm-tooltip.wav", "sub/deep.wav"}) {
            QVERIFY(SoundTest::writeWav(systemSounds + QLatin1Char('/') + QLatin1String(sound), 200));
        }
        QVERIFY(SoundTest::writeWav(QStringLiteral("/usr/share/sounds-extra/other.wav"), 200));
        QVERIFY(SoundTest::writeWav(QDir::homePath() + QStringLiteral("/custom.wav"), 200));

        const QString icons = QDir::homePath() + QStringLiteral("/.icons/page/");
        QVERIFY(PexoTest::writeFile(icons + QStringLiteral("index.theme"),
                                    "[Icon Theme]\nName=page\nDirectories=22\n[22]\nSize=22\nType=Scalable\nMinSize=8\nMaxSize=64\n"));
        for (const auto &icon : pageIcons) {
            QImage image(22, 22, QImage::Format_ARGB32);
            image.fill(icon.second);
            QVERIFY(QDir().mkpath(icons + QStringLiteral("22")));
            QVERIFY(image.save(icons + QStringLiteral("22/") + icon.first + QStringLiteral(".png")));
        }
        QIcon::setThemeName(QStringLiteral("page"));
        writeCurrentTheme(false);
    }

    void pluginEntry()
    {
        const KPluginMetaData data = ModuleTest::metaData(QStringLiteral("kcm_pexo_sounds"));
        QCOMPARE(QFileInfo(data.fileName()).fileName(), QStringLiteral("kcm_pexo_sounds.so"));
        QVERIFY(data.fileName().contains(QLatin1String("/plasma/kcms/systemsettings_qwidgets/")));
        const QJsonObject entry = QPluginLoader(data.fileName()).metaData();
        QCOMPARE(entry.value(QStringLiteral("IID")).toString(), QStringLiteral("org.kde.KPluginFactory"));
        QCOMPARE(entry.value(QStringLiteral("className")).toString(), QStringLiteral("KCModuleWidgetFactory"));
        QVERIFY(entry.value(QStringLiteral("MetaData")).toObject().isEmpty());
        ModuleTest::verifyParent(QStringLiteral("kcm_pexo_sounds"));
    }

    void tableAfterLoad()
    {
        const QString custom = QDir::homePath() + QStringLiteral("/custom.wav");
        // A fifo named like the sound's description is none: nothing waits on it.
        const PexoTest::WatchedFifo description(QDir::homePath() + QStringLiteral("/custom.desktop"));
        QVERIFY(description.made());
        const PexoTest::ReaderWarnings warnings;
        const Page page = open("EnableSound=true\nSoundTheme=calm\nSystemStartSound=" + custom.toUtf8() +
                               "\nOSDNotifySound=dialog-information\nForceTrayMessageSound=x-pexo-wm-tooltip.wav\n");
        QVERIFY(page.table && page.combo && page.message);
        QCOMPARE(page.table->rowCount(), 17);
        QCOMPARE(page.table->columnCount(), 7);
        QVERIFY(page.table->isColumnHidden(2) && page.table->isColumnHidden(4) && !page.table->isColumnHidden(5));
        QVERIFY(page.table->verticalHeader()->isHidden());
        QCOMPARE(page.table->horizontalHeaderItem(5)->text(), QStringLiteral("Play/Pause"));
        QCOMPARE(page.table->item(4, 0)->text(), QStringLiteral("Restore window (expanded size)"));
        QCOMPARE(page.table->item(14, 2)->text(), QStringLiteral("OSDNotifySound"));
        QCOMPARE(page.comboTexts(), (QStringList{QStringLiteral("Calm"), QStringLiteral("Default"), QStringLiteral("Do not use")}));
        QCOMPARE(page.combo->currentText(), QStringLiteral("Calm"));
        QVERIFY(page.table->isEnabled() && page.combo->isEnabled() && page.message->isHidden());

        // Every row shows what is stored, not the default the page offers.
        QCOMPARE(page.file(8), custom);
        QVERIFY(page.enabled(8, 3) && page.enabled(8, 5));
        QCOMPARE(page.table->item(8, 6)->text(), QString());
        QVERIFY(!description.wasRead());
        QCOMPARE(page.file(13), QStringLiteral("x-pexo-wm-tooltip.wav"));
        QVERIFY(page.enabled(13, 3));
        QCOMPARE(page.file(9), QStringLiteral("x-pexo-wm-chimes.wav"));
        QVERIFY(page.enabled(9, 3));
        QCOMPARE(page.file(14), QStringLiteral("dialog-information"));
        QVERIFY(!page.enabled(14, 3) && page.enabled(14, 5));
        QCOMPARE(page.table->item(14, 6)->text(), QStringLiteral("Information"));
        QCOMPARE(page.file(0), QString());
        QVERIFY(!page.enabled(0, 3) && !page.enabled(0, 5));
        QCOMPARE(page.icon(0, 3), QColor(Qt::red));
        QCOMPARE(page.icon(0, 5), QColor(Qt::blue));

        // The sound theme and the sound's description are read without a
        // word for their invalid escapes; the open page keeps no other quiet.
        QCOMPARE(warnings.count(), 0);
        const QString escapes = QDir::homePath() + QStringLiteral("/escapes.rc");
        QVERIFY(PexoTest::writeFile(escapes, "[G]\nK=\\q\n"));
        const KConfig other(escapes, KConfig::SimpleConfig);
        QCOMPARE(warnings.count(), 1);
    }

    void themeChoices()
    {
        {
            const Page page = open("EnableSound=false\nSoundTheme=calm\n");
            QCOMPARE(page.combo->currentText(), QStringLiteral("Do not use"));
            QVERIFY(!page.table->isEnabled());
        }
        {
            // Not listed: "Default" is shown while the page still tries the theme.
            const Page page = open("EnableSound=true\nSoundTheme=gone\n");
            QCOMPARE(page.combo->currentText(), QStringLiteral("Default"));
            QVERIFY(!page.message->isHidden());
            QCOMPARE(page.message->text(), QStringLiteral("<p>Can't load sound theme 'gone'</p>"));
            QCOMPARE(page.message->messageType(), KMessageWidget::Error);
        }
        const Page page = open("EnableSound=true\nSoundTheme=calm\n");
        QSignalSpy changed(page.module.get(), SIGNAL(changed(bool)));
        Q_EMIT page.combo->activated(2); // "Do not use"
        QVERIFY(!page.table->isEnabled());
        QCOMPARE(changed.last().first().toBool(), true);
        Q_EMIT page.combo->activated(1); // "Default"
        QVERIFY(page.table->isEnabled());
        QVERIFY(!page.enabled(9, 3)); // the stored sound is the default again without a sound theme
        Q_EMIT page.combo->activated(2);
        page.save();
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("EnableSound")), QStringLiteral("false"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("SoundTheme")), QStringLiteral("Default"));
    }

    void chosenFiles()
    {
        const Page page = open("EnableSound=true\nSoundTheme=calm\n");
        // A bare name where it resolves again, else the full path.
        const QList<QPair<QString, QString>> choices{
            {systemSounds + QStringLiteral("/x-pexo-wm-error.wav"), QStringLiteral("x-pexo-wm-error.wav")},
            {systemSounds + QStringLiteral("/sub/deep.wav"), systemSounds + QStringLiteral("/sub/deep.wav")},
            {QStringLiteral("/usr/share/sounds-extra/other.wav"), QStringLiteral("/usr/share/sounds-extra/other.wav")},
            {calmDir() + QStringLiteral("/stereo/desktop-logout.wav"), QStringLiteral("desktop-logout")},
            {calmDir() + QStringLiteral("/stereo/sub/nested.wav"), calmDir() + QStringLiteral("/stereo/sub/nested.wav")},
            // "door" would not find this file again.
            {calmDir() + QStringLiteral("/stereo/door.bell.wav"), calmDir() + QStringLiteral("/stereo/door.bell.wav")},
        };
        QVERIFY(PexoTest::writeFile(calmDir() + QStringLiteral("/stereo/door.bell.wav"), "RIFF"));
        for (const auto &choice : choices) {
            page.choose(0, choice.first);
            QCOMPARE(page.file(0), choice.second);
            QVERIFY(page.enabled(0, 5));
        }
        page.save();
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("MenuPopupSound")), choices.last().second);
    }

    void unacceptedSuffix()
    {
        QTest::ignoreMessage(QtWarningMsg, "Unable to retrieve the audio file for sound \"alarm.tar\" because it is empty or in an unsupported format");
        const Page page = open("EnableSound=true\nSoundTheme=calm\nOpenSound=alarm.tar\n");
        QCOMPARE(page.file(2), QStringLiteral("alarm.tar"));
        QCOMPARE(page.table->item(2, 6)->text(), QString());
        page.click(2, 5); // the player reports an error that the page does not show
        QCOMPARE(page.icon(2, 5), QColor(Qt::blue));
    }

    void integrityLock()
    {
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/trelk-id"), "127\n"));
        const Page page = open("EnableSound=true\nSoundTheme=calm\n");
        QVERIFY(PexoTest::removePath(QStringLiteral("/usr/bin/trelk-id")));
        QVERIFY(!page.combo->isEnabled() && !page.table->isEnabled());
        QVERIFY(!page.message->isHidden());
        QCOMPARE(page.message->text(), QStringLiteral("Your session has high MIC level. Some decoration changes are not applicable."));
        QCOMPARE(page.message->messageType(), KMessageWidget::Error);
    }

    // A message that names what another program chose to be called (here
    // the holder of the session's lock) shows it as the text it is: no
    // markup, no line breaks, and short enough for the page.
    void messageShowsNamesAsText()
    {
        const QString name = QStringLiteral("<h1>Enter your password<font size=7 color=red>NOW\n") + QString(5000, QLatin1Char('x'));
        PexoTest::HeldLock holder(QFile::decodeName(qgetenv("XDG_RUNTIME_DIR")) + QStringLiteral("/pexo-theme-settings.lock"), PexoTest::HeldLock::Flock, name);
        QVERIFY(holder.isHeld());
        const Page page = open("EnableSound=true\nSoundTheme=calm\n");
        page.click(8, 3);
        page.save();
        QVERIFY(!page.message->isHidden());
        const QList<QLabel *> labels = page.message->findChildren<QLabel *>();
        const auto label = std::find_if(labels.cbegin(), labels.cend(), [&page](const QLabel *candidate) {
            return candidate->text() == page.message->text();
        });
        QVERIFY(label != labels.cend());
        QTextDocument shown;
        if ((*label)->textFormat() == Qt::RichText || ((*label)->textFormat() == Qt::AutoText && Qt::mightBeRichText((*label)->text()))) {
            shown.setHtml((*label)->text());
        } else {
            shown.setPlainText((*label)->text());
        }
        QVERIFY2(shown.toPlainText().contains(QStringLiteral("(<h1>Enter your password<font size=7 color=red>NOW xxx")), qPrintable(shown.toPlainText()));
        QVERIFY2(shown.toPlainText().size() < 300 && !shown.toPlainText().contains(QLatin1Char('\n')), qPrintable(shown.toPlainText()));
        // The page keeps the width it was given.
        QVERIFY2(page.widget->minimumSizeHint().width() < 900, qPrintable(QString::number(page.widget->minimumSizeHint().width())));
    }

    void playback()
    {
        Page page = open("EnableSound=true\nSoundTheme=calm\nOSDNotifySound=desktop-login\nOpenSound=desktop-login\n");
        page.click(14, 5);
        QCOMPARE(page.icon(14, 5), QColor(Qt::magenta));
        page.click(14, 5);
        QCOMPARE(page.icon(14, 5), QColor(Qt::blue));

        // A new value stops the sound of its row.
        page.click(14, 5);
        QCOMPARE(page.icon(14, 5), QColor(Qt::magenta));
        page.click(14, 3);
        QCOMPARE(page.file(14), QStringLiteral("dialog-information"));
        QCOMPARE(page.icon(14, 5), QColor(Qt::blue));

        // Destroyed while playing, the page hears nothing more from its player.
        page.click(2, 5);
        QCOMPARE(page.icon(2, 5), QColor(Qt::magenta));
        QObject *player = nullptr;
        for (QObject *child : page.module->children()) {
            if (qstrcmp(child->metaObject()->className(), "PlayerController") == 0) {
                player = child;
            }
        }
        QVERIFY(player);
        QSignalSpy finished(player, SIGNAL(finished(QString)));
        page.module.reset();
        QCOMPARE(finished.count(), 0);
    }

    void saving()
    {
        {
            const Page page = open("EnableSound=true\nSoundTheme=calm\nSystemStartSound=/nowhere.wav\n");
            QSignalSpy changed(page.module.get(), SIGNAL(changed(bool)));
            page.click(8, 3);
            QCOMPARE(page.file(8), QStringLiteral("desktop-login"));
            QCOMPARE(changed.last().first().toBool(), true);
            page.save();
            QCOMPARE(variable(currentThemeDir() + QStringLiteral("/theme/themerc"), QStringLiteral("SystemStartSound")), QStringLiteral("desktop-login"));
            QCOMPARE(BehaviourTest::liveValue(QStringLiteral("SystemStartSound")), QStringLiteral("desktop-login"));
            QVERIFY(PexoTest::takeWmCommands().contains(BehaviourTest::variableCommand(QStringLiteral("SystemStartSound"), QStringLiteral("desktop-login"))));

            // defaults() resets the sounds: off, no theme, the shipped sounds.
            QVERIFY(QMetaObject::invokeMethod(page.module.get(), "defaults"));
            QCOMPARE(changed.last().first().toBool(), true);
            QCOMPARE(page.combo->currentText(), QStringLiteral("Do not use"));
            QCOMPARE(page.file(8), QStringLiteral("x-pexo-wm-chimes.wav"));
            page.save();
            QCOMPARE(BehaviourTest::liveValue(QStringLiteral("EnableSound")) + BehaviourTest::liveValue(QStringLiteral("SoundTheme")), QStringLiteral("false"));
            QCOMPARE(BehaviourTest::liveValue(QStringLiteral("SystemStartSound")), QStringLiteral("x-pexo-wm-chimes.wav"));
        }
        // A read-only current theme is saved as a new one.
        writeCurrentTheme(true);
        QVERIFY(PexoTest::installCommandRecorder(QStringLiteral("/usr/bin/pexo-dialog"), "Quiet\n"));
        const Page page = open("EnableSound=true\nSoundTheme=calm\n");
        Q_EMIT page.combo->activated(2);
        page.save();
        QCOMPARE(variable(ThemeDefaults::userThemesDir + QStringLiteral("/Quiet/theme/themerc"), QStringLiteral("EnableSound")), QStringLiteral("false"));
        QCOMPARE(variable(currentThemeDir() + QStringLiteral("/theme/themerc"), QStringLiteral("EnableSound")), QStringLiteral("<missing>"));
        QCOMPARE(BehaviourTest::liveValue(QStringLiteral("EnableSound")), QStringLiteral("false"));
        QVERIFY(PexoTest::removePath(QStringLiteral("/usr/bin/pexo-dialog")));
        writeCurrentTheme(false);
    }
};

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SoundsModuleTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "soundsmoduletest.moc"
