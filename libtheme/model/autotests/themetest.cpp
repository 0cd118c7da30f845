// Theme over stored themes: identity, the order in which parts are visited,
// comparison, copying and the description file.

#include "theme.h"
#include "basesettingsprovider.h"
#include "colorsthemepart.h"
#include "cursorthemepart.h"
#include "iconthemepart.h"
#include "ithemesettings.h"
#include "soundsthemepart.h"
#include "valuechanges.h"
#include "wallpaperthemepart.h"

#include <pexotestsupport.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>

namespace {
// Records which helpers a Theme asks for, and counts syncs.
class RecordingSettings : public IThemeSettings
{
public:
    explicit RecordingSettings(IThemeSettings *real)
        : m_real(real)
    {
    }
    bool isOverriddenByMaster(const QString &key) const override
    {
        return m_real->isOverriddenByMaster(key);
    }
    QVariant read(const QString &key, const QVariant &defaultValue) const override
    {
        return m_real->read(key, defaultValue);
    }
    int write(const QString &key, const QVariant &value) override
    {
        return m_real->write(key, value);
    }
    bool sync() override
    {
        ++syncs;
        return m_real->sync();
    }
    int resolveLayerForRead(const QString &key) const override
    {
        return m_real->resolveLayerForRead(key);
    }
    int resolveLayerForWrite(const QString &key) const override
    {
        return m_real->resolveLayerForWrite(key);
    }
    int syncs = 0;

private:
    IThemeSettings *m_real;
};

class RecordingProvider : public ISettingsProvider
{
    BaseSettingsProvider m_real;

public:
    explicit RecordingProvider(const QString &themerc, bool *destroyed = nullptr)
        : m_real(themerc)
        , m_settings(m_real.settings())
        , m_destroyed(destroyed)
    {
    }
    ~RecordingProvider() override
    {
        if (m_destroyed) {
            *m_destroyed = true;
        }
    }
    IThemeSettings *settings() const override
    {
        return &m_settings;
    }
#define PEXO_RECORD(name, type)                                                                                                                                \
    type *name() const override                                                                                                                                \
    {                                                                                                                                                          \
        calls.append(QStringLiteral(#name));                                                                                                                   \
        return m_real.name();                                                                                                                                  \
    }
    PEXO_RECORD(colorsApplyHelper, IApplyHelper)
    PEXO_RECORD(colorsReadHelper, IReadHelper)
    PEXO_RECORD(cursorApplyHelper, IApplyHelper)
    PEXO_RECORD(cursorReadHelper, IReadHelper)
    PEXO_RECORD(iconApplyHelper, IApplyHelper)
    PEXO_RECORD(iconReadHelper, IReadHelper)
    PEXO_RECORD(soundsApplyHelper, IApplyHelper)
    PEXO_RECORD(soundsReadHelper, IReadHelper)
    PEXO_RECORD(wallpaperApplyHelper, IApplyHelper)
    PEXO_RECORD(wallpaperReadHelper, IReadHelper)
#undef PEXO_RECORD

    mutable QStringList calls;
    mutable RecordingSettings m_settings;

private:
    bool *m_destroyed;
};
} // namespace

class ThemeTest : public QObject
{
    Q_OBJECT

private:
    // A stored theme directory under the user themes directory.
    QString makeTheme(const QString &dir, const QByteArray &index, const QByteArray &themerc = QByteArray("[Variables]\n"))
    {
        const QString root = QDir::homePath() + QStringLiteral("/.local/share/pexothemes/") + dir;
        PexoTest::writeFile(root + QStringLiteral("/index.theme"), index);
        PexoTest::writeFile(root + QStringLiteral("/theme/themerc"), themerc);
        return root;
    }

    std::shared_ptr<Theme> open(const QString &root, std::shared_ptr<ISettingsProvider> provider = nullptr)
    {
        if (!provider) {
            provider = std::make_shared<BaseSettingsProvider>(root + QStringLiteral("/theme/themerc"));
        }
        const auto config = KSharedConfig::openConfig(root + QStringLiteral("/index.theme"), KConfig::SimpleConfig);
        return std::make_shared<Theme>(config, provider);
    }

private Q_SLOTS:
    void identityAndValidity()
    {
        const QString valid = makeTheme(QStringLiteral("valid"), "[Pexo Theme]\nId=valid\nName=Valid\n");
        const auto theme = open(valid);
        QCOMPARE(theme->id(), QStringLiteral("valid"));
        QCOMPARE(theme->name(), QStringLiteral("Valid"));
        QVERIFY(theme->comment().isEmpty());
        QCOMPARE(theme->desktopPath(), valid + QStringLiteral("/index.theme"));
        QVERIFY(!theme->isReadOnly());
        QVERIFY(theme->isValid());
        QFile::remove(valid + QStringLiteral("/index.theme"));
        QVERIFY(!theme->isValid()); // the file is looked at on every call
        QCOMPARE(theme->id(), QStringLiteral("valid"));

        QVERIFY(!open(makeTheme(QStringLiteral("noname"), "[Pexo Theme]\nId=noname\n"))->isValid());
        QVERIFY(!open(makeTheme(QStringLiteral("nogroup"), "[Other]\nId=x\nName=y\n"))->isValid());
        QVERIFY(open(makeTheme(QStringLiteral("system"), "[Pexo Theme]\nId=s\nName=S\nX-Ulvar-System-Theme=true\n"))->isReadOnly());

        const Theme live(std::make_shared<BaseSettingsProvider>(valid + QStringLiteral("/theme/themerc")));
        QVERIFY(live.id().isEmpty() && live.desktopPath().isEmpty());
        QVERIFY(!live.isValid());
    }

    void partOrders()
    {
        const QString root = makeTheme(QStringLiteral("orders"), "[Pexo Theme]\nId=orders\nName=Orders\n");
        auto provider = std::make_shared<RecordingProvider>(root + QStringLiteral("/theme/themerc"));
        const auto theme = open(root, provider);

        theme->read();
        QCOMPARE(provider->calls,
                 QStringList({QStringLiteral("wallpaperReadHelper"),
                              QStringLiteral("colorsReadHelper"),
                              QStringLiteral("cursorReadHelper"),
                              QStringLiteral("iconReadHelper"),
                              QStringLiteral("soundsReadHelper")}));

        provider->calls.clear();
        QVERIFY(!theme->hasChanges());
        QCOMPARE(provider->calls.size(), 5);

        // A difference in the colours part ends the test there.
        provider->calls.clear();
        theme->colorsThemePart()->setPrimaryColor(QStringLiteral("#123456"));
        QVERIFY(theme->hasChanges());
        QCOMPARE(provider->calls, QStringList{QStringLiteral("colorsReadHelper")});

        // Every part is applied, changed or not, and the settings are synced once.
        provider->calls.clear();
        PexoTest::FileWriteCounter writes(root + QStringLiteral("/theme"));
        theme->apply();
        QCOMPARE(writes.count(QStringLiteral("themerc")), 1); // all keys at once: nobody examines them
        QCOMPARE(provider->calls,
                 QStringList({QStringLiteral("colorsApplyHelper"),
                              QStringLiteral("cursorApplyHelper"),
                              QStringLiteral("iconApplyHelper"),
                              QStringLiteral("soundsApplyHelper"),
                              QStringLiteral("wallpaperApplyHelper")}));
        QCOMPARE(provider->m_settings.syncs, 1);
        const QByteArray written = PexoTest::readFile(root + QStringLiteral("/theme/themerc"));
        QVERIFY(written.contains("PrimaryColor=#123456"));
        QVERIFY(written.contains("IconTheme=ulvar-tornel"));
        QVERIFY(written.contains("WallPaperPos=Crop"));
        QVERIFY(!theme->hasChanges());
    }

    void readEmitsWallpaperFirst()
    {
        const QString root =
            makeTheme(QStringLiteral("signals"), "[Pexo Theme]\nId=signals\nName=Signals\n", "[Variables]\nPrimaryColor=#00ff00\nWallPaperPos=Center\n");
        const auto theme = open(root);
        theme->defaults();
        QStringList order;
        connect(theme->wallpaperThemePart().get(), &IThemePart::changed, this, [&order] {
            order.append(QStringLiteral("wallpaper"));
        });
        connect(theme->colorsThemePart().get(), &IThemePart::changed, this, [&order] {
            order.append(QStringLiteral("colors"));
        });
        QSignalSpy changed(theme.get(), &Theme::changed);
        theme->read();
        QCOMPARE(order, QStringList({QStringLiteral("wallpaper"), QStringLiteral("colors")}));
        QCOMPARE(changed.count(), 2);
    }

    void equalityAndCopy()
    {
        const auto first = open(makeTheme(QStringLiteral("first"), "[Pexo Theme]\nId=first\nName=First\n", "[Variables]\nIconTheme=icons\n"));
        const auto second = open(makeTheme(QStringLiteral("second"), "[Pexo Theme]\nId=second\nName=Second\n", "[Variables]\nIconTheme=icons\n"));
        first->read();
        second->read();
        QVERIFY(*first == *second); // identity is not compared

        QSignalSpy changed(first.get(), &Theme::changed);
        first->copyFrom(second);
        QCOMPARE(changed.count(), 0);

        second->cursorThemePart()->setCurrentTheme(QStringLiteral("big"));
        second->soundsThemePart()->setSoundTheme(QStringLiteral("chimes"));
        QVERIFY(!(*first == *second));
        first->copyFrom(second);
        QCOMPARE(changed.count(), 2);
        QVERIFY(*first == *second);
        QCOMPARE(first->id(), QStringLiteral("first"));

        second->wallpaperThemePart()->setLogoPosition(QStringLiteral("TopLeft"));
        QVERIFY(!(*first == *second));
    }

    // An edit made on values read before is made again on other values:
    // every value the parts compare is carried, and only what was edited.
    void editsAreCarried()
    {
        QByteArray themerc = "[Variables]\nColorScheme=/x.colors\nPrimaryColor=#010203\nBackgroundColor=#040506\nSchemeType=Custom\n"
                             "CustomSchemeDark=true\nWallPaperColorScheme=Dark\nCursorTheme=big\nCursorSize=48\nIconTheme=mine\n"
                             "useSymbolicIconsForToolBar=true\nUseTrayIconTheme=true\nEnableSound=true\nSoundTheme=chimes\nLogoPixmap=/l.png\n"
                             "LogoPosition=TopLeft\nWallPaper=#123456\nWallPaperPos=Center\nWallPaperForCurrentDesktop=true\n"
                             "WallPaperForCurrentScreen=true\nWallPaperPeriod=30\n";
        for (const char *key : {"MenuPopupSound",
                                "MenuCommandSound",
                                "OpenSound",
                                "CloseSound",
                                "RestoreUpSound",
                                "RestoreDownSound",
                                "MinimizeSound",
                                "MaximizeSound",
                                "SystemStartSound",
                                "SystemExitSound",
                                "SystemLockSound",
                                "LockerBellSound",
                                "ErrorDialogSound",
                                "ForceTrayMessageSound",
                                "OSDNotifySound",
                                "BaseKbSound",
                                "AltKbSound"}) {
            themerc += key + QByteArray("=/s/") + key + ".oga\n";
        }
        const auto edited = open(makeTheme(QStringLiteral("edited"), "[Pexo Theme]\nId=edited\nName=Edited\n", themerc));
        edited->read();
        const auto before = open(makeTheme(QStringLiteral("before"), "[Pexo Theme]\nId=before\nName=Before\n"));
        before->read();
        const auto target = open(makeTheme(QStringLiteral("target"), "[Pexo Theme]\nId=target\nName=Target\n", "[Variables]\nIconTheme=other\n"));
        target->read();
        QVERIFY(!(*before == *edited));
        ValueChanges::carry(*before, *edited, *target);
        QVERIFY(*target == *edited);

        // A value the edit left alone keeps the target's own.
        target->read();
        edited->copyFrom(before);
        edited->wallpaperThemePart()->setLogo(QStringLiteral("/mine.png"));
        ValueChanges::carry(*before, *edited, *target);
        QCOMPARE(target->iconThemePart()->currentTheme(), QStringLiteral("other"));
        QCOMPARE(target->wallpaperThemePart()->logo(), QStringLiteral("/mine.png"));
    }

    void descriptionFile()
    {
        const QString root = makeTheme(QStringLiteral("named"), "[Pexo Theme]\nId=named\nName=Old\nComment=Old comment\n");
        const auto theme = open(root);
        QSignalSpy changed(theme.get(), &Theme::changed);
        const QByteArray before = PexoTest::readFile(root + QStringLiteral("/index.theme"));

        theme->setName(QStringLiteral("Old"));
        QCOMPARE(PexoTest::readFile(root + QStringLiteral("/index.theme")), before);

        theme->setName(QStringLiteral("New"));
        theme->setComment(QStringLiteral("New comment"));
        QCOMPARE(theme->name(), QStringLiteral("New"));
        const QByteArray after = PexoTest::readFile(root + QStringLiteral("/index.theme"));
        QVERIFY(after.contains("Name=New"));
        QVERIFY(after.contains("Comment=New comment"));
        QVERIFY(after.contains("Id=named"));
        QCOMPARE(changed.count(), 0);
    }

    void immutability()
    {
        PexoTest::writeFile(QStringLiteral("/usr/share/pexo/theme.master/themerc"), "[Variables]\nIconTheme=fixed\n");
        const QString root = makeTheme(QStringLiteral("fixed"), "[Pexo Theme]\nId=fixed\nName=Fixed\n", "[Variables]\nIconTheme=mine\n");
        const auto theme = open(root);
        QVERIFY(theme->isPropertyImmutable(QStringLiteral("IconTheme")));
        QVERIFY(!theme->isPropertyImmutable(QStringLiteral("CursorTheme")));
        theme->read();
        QCOMPARE(theme->iconThemePart()->currentTheme(), QStringLiteral("fixed"));
        QFile::remove(QStringLiteral("/usr/share/pexo/theme.master/themerc"));
    }

    void ownership()
    {
        const QString root = makeTheme(QStringLiteral("owned"), "[Pexo Theme]\nId=owned\nName=Owned\n");
        bool destroyed = false;
        std::shared_ptr<IconThemePart> icons;
        {
            auto provider = std::make_shared<RecordingProvider>(root + QStringLiteral("/theme/themerc"), &destroyed);
            QCOMPARE(provider->colorsReadHelper(), provider->colorsReadHelper());
            const auto theme = open(root, provider);
            provider.reset();
            icons = theme->iconThemePart();
            QCOMPARE(icons, theme->iconThemePart());
            QVERIFY(!destroyed);
        }
        QVERIFY(destroyed); // the last Theme released its provider
        icons->setCurrentTheme(QStringLiteral("still alive"));
        QCOMPARE(icons->currentTheme(), QStringLiteral("still alive"));
    }
};

QTEST_GUILESS_MAIN(ThemeTest)

#include "themetest.moc"
