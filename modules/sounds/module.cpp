#include "module.h"
#include "modulelog.h"
#include "playercontroller.h"
#include "ui_modulewidget.h"

#include <appearanceframe.h>
#include <localfile.h>
#include <theme.h>
#include <themeicon.h>
#include <widgetpagefactory.h>

#include <pexodesktopentry.h>
#include <pexodirs.h>
#include <pexointegration.h>
#include <pexosoundtheme.h>

#include <KLocalizedString>
#include <KPluginFactory>

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QTextDocument>

K_PLUGIN_FACTORY(KCModuleWidgetFactory, registerPlugin<Module>(&WidgetPage::create<Module>);)

namespace {
// True when both name the same existing file.
bool resolvesTo(const QString &path, const QString &file)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(file).canonicalFilePath();
}

enum Column { EventColumn = 0, FileColumn = 1, KeyColumn = 2, ResetColumn = 3, OnOffColumn = 4, PlayColumn = 5, CommentColumn = 6 };

const int rowCount = SoundsThemePart::AltKb + 1;

// The system sound directory, read once when the plug-in is loaded.
const QString systemSoundsDir = QString::fromUtf8(GetPexoDir(PexoSystemSoundsDir).c_str());

const QStringList acceptedSuffixes{QStringLiteral("wav"), QStringLiteral("au"), QStringLiteral("ogg"), QStringLiteral("oga")};

const QString defaultThemeName = QStringLiteral("Default");

// Page defaults of the events that have one, without and with a sound theme.
struct DefaultSound
{
    SoundsThemePart::Sounds sound;
    const char *file;
    const char *themeSound;
};
const DefaultSound defaultSounds[] = {
    {SoundsThemePart::SystemStart, "x-pexo-wm-chimes.wav", "desktop-login"},
    {SoundsThemePart::SystemExit, "x-pexo-wm-chimes.wav", "desktop-logout"},
    {SoundsThemePart::SystemLock, "x-pexo-wm-chimes.wav", "desktop-screen-lock"},
    {SoundsThemePart::LockerBell, "x-pexo-wm-error.wav", "dialog-error"},
    {SoundsThemePart::ErrorDialog, "x-pexo-wm-error.wav", "dialog-error"},
    {SoundsThemePart::ForceTrayMessage, "x-pexo-wm-notify.wav", "window-attention-active"},
    {SoundsThemePart::OSDNotify, "x-pexo-wm-tooltip.wav", "dialog-information"},
};
} // namespace

class ModulePrivate
{
public:
    QLabel *label(int row, int column) const
    {
        return qobject_cast<QLabel *>(ui->tableWidget->cellWidget(row, column));
    }

    QString key(int row) const
    {
        const QTableWidgetItem *item = ui->tableWidget->item(row, KeyColumn);
        return item ? item->text() : QString();
    }

    QString file(int row) const
    {
        const QTableWidgetItem *item = ui->tableWidget->item(row, FileColumn);
        return item ? item->text() : QString();
    }

    QPixmap pixmap(const char *icon) const
    {
        return ThemeIcon::pixmap(QLatin1String(icon), iconSide);
    }

    std::shared_ptr<SoundsThemePart> sounds(ThemeController *controller) const
    {
        return controller->systemTheme()->soundsThemePart();
    }

    Ui_ModuleWidget *ui = nullptr;
    PlayerController *player = nullptr;
    PexoSoundTheme *soundTheme = nullptr;
    int iconSide = 22;
    // A high integrity level keeps the page read-only for its whole life.
    bool integrityLock = false;
};

Module::Module(QWidget *parent, const QVariantList &args)
    : KCModule(parent, args)
    , ThemeDecorator()
    , d(new ModulePrivate)
{
    d->ui = new Ui_ModuleWidget;
    d->player = new PlayerController(this);

    d->ui->setupUi(this);
    initThemes();
    initTable();

    QComboBox *combo = d->ui->themeCombobox;
    d->ui->kmessagewidget->hide();
    d->ui->kmessagewidget->setWordWrap(true);
    combo->setCurrentIndex(combo->count() - 1);
    combo->setToolTip(i18n("Select one of the sound themes or the “Do not use” option to disable the sound theme entirely."));

    d->integrityLock = mandatoryIntegrityControl();
    if (d->integrityLock) {
        combo->setEnabled(false);
        d->ui->tableWidget->setEnabled(false);
        d->ui->kmessagewidget->setMessageType(KMessageWidget::Error);
        d->ui->kmessagewidget->setText(i18n("Your session has high MIC level. Some decoration changes are not applicable."));
        d->ui->kmessagewidget->show();
    }

    connect(combo, QOverload<int>::of(&QComboBox::activated), this, &Module::onSoundThemeActivated);
    connect(d->ui->tableWidget, &QTableWidget::cellDoubleClicked, this, &Module::onDoubleClicked);
    connect(d->ui->tableWidget, &QTableWidget::cellClicked, this, &Module::onCellClicked);
    connect(this, &Module::error, this, [this](const QString &message) {
        d->ui->kmessagewidget->setMessageType(KMessageWidget::Error);
        // Shown as the text it is: it may name what other programs chose to be called.
        d->ui->kmessagewidget->setText(Qt::convertFromPlainText(message, Qt::WhiteSpaceNormal));
        d->ui->kmessagewidget->show();
    });
    const std::shared_ptr<Theme> live = controller->systemTheme();
    const std::shared_ptr<SoundsThemePart> sounds = live->soundsThemePart();
    connect(sounds.get(), &SoundsThemePart::soundThemeEnabledChanged, this, &Module::onSoundThemeEnabledChanged);
    connect(sounds.get(), &SoundsThemePart::soundThemeChanged, this, &Module::onSoundThemeChanged);
    connect(sounds.get(), &SoundsThemePart::soundChanged, this, &Module::onSoundChanged);
    connect(live.get(), &Theme::changed, this, &Module::updateNeedSave);
    connect(controller, &ThemeController::error, this, &Module::error);

    const auto setPlayIcon = [this](const QString &key, const char *icon) {
        const SoundsThemePart::Sounds row = soundFromString(key);
        if (QLabel *label = row == SoundsThemePart::UndefinedSound ? nullptr : d->label(row, PlayColumn)) {
            label->setPixmap(d->pixmap(icon));
            label->setAlignment(Qt::AlignCenter);
        }
    };
    connect(d->player, &PlayerController::started, this, [setPlayIcon](const QString &key) {
        setPlayIcon(key, "media-playback-stop-symbolic");
    });
    connect(d->player, &PlayerController::finished, this, [setPlayIcon](const QString &key) {
        setPlayIcon(key, "media-playback-start-symbolic");
    });
}

Module::~Module()
{
    // Sounds still playing stop here, before the form goes, and tell nobody.
    d->player->disconnect(this);
    delete d->player;
    d->player = nullptr;
    delete d->ui;
    d->ui = nullptr;
    resetSoundTheme();
}

void Module::load()
{
    controller->currentTheme()->read();
    controller->systemTheme()->read();
    onSoundThemeEnabledChanged();
}

void Module::save()
{
    AppearanceFrame::save(this, controller);
}

void Module::defaults()
{
    d->sounds(controller)->defaults();
}

void Module::updateNeedSave()
{
    Q_EMIT changed(AppearanceFrame::hasChanges(controller));
}

void Module::initThemes()
{
    QComboBox *combo = d->ui->themeCombobox;
    combo->clear();
    const std::vector<std::string> names = PexoSoundTheme::getThemesNames();
    for (const std::string &name : names) {
        PexoSoundTheme theme(name, std::string());
        if (!theme.load()) {
            continue;
        }
        const QString localName = QString::fromLocal8Bit(theme.localName().c_str());
        const QString themeName = QString::fromUtf8(name.c_str());
        combo->addItem(localName.isEmpty() ? themeName : localName, themeName);
    }
    combo->addItem(i18n("Default"), defaultThemeName);
    combo->addItem(i18n("Do not use"), QVariant());
}

void Module::initTable()
{
    QTableWidget *table = d->ui->tableWidget;
    table->hideColumn(KeyColumn);
    table->hideColumn(OnOffColumn);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->iconSide = int(pexoDpiScaled(22.0));
    for (int row = 0; row < rowCount; ++row) {
        table->setItem(row, FileColumn, new QTableWidgetItem);
        const std::pair<int, const char *> icons[] = {
            {ResetColumn, "edit-reset-symbolic"},
            {OnOffColumn, "audio-volume-high-symbolic"},
            {PlayColumn, "media-playback-start-symbolic"},
        };
        for (const auto &icon : icons) {
            auto *label = new QLabel;
            label->setPixmap(d->pixmap(icon.second));
            label->setAlignment(Qt::AlignCenter);
            label->setEnabled(false);
            table->setCellWidget(row, icon.first, label);
        }
        table->setItem(row, CommentColumn, new QTableWidgetItem);
    }
    table->resizeColumnToContents(EventColumn);
}

void Module::onSoundThemeEnabledChanged()
{
    if (!d->sounds(controller)->soundThemeEnabled()) {
        resetSoundTheme();
        d->ui->tableWidget->setEnabled(false);
        d->ui->themeCombobox->setCurrentIndex(d->ui->themeCombobox->count() - 1);
        return;
    }
    d->ui->tableWidget->setEnabled(!d->integrityLock);
    onSoundThemeChanged();
}

void Module::onSoundThemeChanged()
{
    const std::shared_ptr<SoundsThemePart> sounds = d->sounds(controller);
    QComboBox *combo = d->ui->themeCombobox;
    const QString theme = sounds->soundTheme();
    if (sounds->soundThemeEnabled()) {
        int index = combo->findData(theme, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (index < 0) {
            index = combo->findData(defaultThemeName, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
        }
        combo->setCurrentIndex(index);
    } else {
        combo->setCurrentIndex(combo->count() - 1);
    }

    resetSoundTheme();
    if (!theme.isEmpty() && theme != defaultThemeName) {
        d->soundTheme = new PexoSoundTheme(theme.toStdString(), std::string());
        if (!d->soundTheme->load()) {
            Q_EMIT error(i18n("Can't load sound theme '%1'", theme));
        }
    }
    populateFiles();
    populateComments();
}

void Module::onSoundChanged(SoundsThemePart::Sounds sound, const QString &value)
{
    const QString comment = getCommentForSound(value);
    const QString key = d->key(sound);
    const QString defaultSound = defaultSoundForParam(sound);
    if (d->player->isPlaying(key)) {
        stopSound(sound);
    }
    d->ui->tableWidget->item(sound, FileColumn)->setText(value);
    d->ui->tableWidget->item(sound, CommentColumn)->setText(comment);
    d->label(sound, ResetColumn)->setEnabled(value != defaultSound);
    d->label(sound, PlayColumn)->setEnabled(!value.isEmpty());
    d->ui->tableWidget->resizeColumnToContents(FileColumn);
}

void Module::onSoundThemeActivated(int index)
{
    const QVariant data = d->ui->themeCombobox->itemData(index);
    const std::shared_ptr<SoundsThemePart> sounds = d->sounds(controller);
    if (data.isNull()) {
        sounds->setSoundThemeEnabled(false);
        return;
    }
    sounds->setSoundThemeEnabled(true);
    sounds->setSoundTheme(data.toString());
}

void Module::onDoubleClicked(int row, int column)
{
    if (column == ResetColumn || column == OnOffColumn || column == PlayColumn) {
        return;
    }
    const QString current = d->file(row);
    const QString start = current.isEmpty() ? systemSoundsDir : getPathForSound(current);
    const QString chosen = QFileDialog::getOpenFileName(this, i18n("Open File"), start, i18n("Sounds (*.wav *.au *.ogg *.oga)"));
    if (chosen.isEmpty()) {
        return;
    }
    // A bare name is stored only where it resolves again: directly in the
    // system sound directory, or in the loaded theme's "stereo" directory.
    const QFileInfo info(chosen);
    const QString directory = QDir::cleanPath(info.absolutePath());
    const QString themePath = d->soundTheme ? QString::fromUtf8(d->soundTheme->path().c_str()) : QString();
    QString value = chosen;
    if (directory == systemSoundsDir) {
        value = info.fileName();
    } else if (!themePath.isEmpty() && directory == themePath + QStringLiteral("/stereo") && resolvesTo(getPathForSound(info.baseName()), chosen)) {
        value = info.baseName();
    }
    d->sounds(controller)->setSound(static_cast<SoundsThemePart::Sounds>(row), value);
}

void Module::onCellClicked(int row, int column)
{
    if (column != ResetColumn && column != OnOffColumn && column != PlayColumn) {
        return;
    }
    const QLabel *label = d->label(row, column);
    if (!label || !label->isEnabled()) {
        return;
    }
    if (column == ResetColumn) {
        resetSound(row);
    } else if (column == PlayColumn) {
        if (d->player->isPlaying(d->key(row))) {
            stopSound(row);
        } else {
            playSound(row);
        }
    }
}

void Module::populateFiles()
{
    // Every row shows the stored value; its Reset label offers the page default.
    for (int row = 0; row < rowCount; ++row) {
        const QString value = d->file(row);
        const QString defaultSound = defaultSoundForParam(static_cast<SoundsThemePart::Sounds>(row));
        d->label(row, ResetColumn)->setEnabled(!value.isEmpty() && value != defaultSound);
        d->label(row, PlayColumn)->setEnabled(!value.isEmpty());
    }
}

void Module::populateComments()
{
    for (int row = 0; row < rowCount; ++row) {
        d->ui->tableWidget->item(row, CommentColumn)->setText(getCommentForSound(d->file(row)));
    }
}

QString Module::getPathForSound(const QString &sound)
{
    if (sound.isEmpty()) {
        return QString();
    }
    if (LocalFile::isUsable(sound, LocalFile::Kind::Sound) || sound.startsWith(QLatin1Char('/'))) {
        return sound;
    }
    const QString systemPath = systemSoundsDir + QLatin1Char('/') + sound;
    if (LocalFile::isUsable(systemPath, LocalFile::Kind::Sound)) {
        return systemPath;
    }
    if (d->soundTheme) {
        const QString path = QString::fromUtf8(d->soundTheme->getSoundFilePath(sound.toLocal8Bit().toStdString(), std::string(), std::string()).c_str());
        if (isAcceptableFormat(path)) {
            return path;
        }
        qCWarning(MODULE_LOG) << "Unable to retrieve the audio file for sound" << sound << "because it is empty or in an unsupported format";
        return QString();
    }
    qCWarning(MODULE_LOG) << "Unable to retrieve the audio file for sound" << sound;
    return QString();
}

QString Module::getCommentForSound(const QString &sound)
{
    // Links followed; empty when no sound file is there.
    const QString path = QFileInfo(getPathForSound(sound)).canonicalFilePath();
    if (!LocalFile::isUsable(path, LocalFile::Kind::Sound)) {
        return QString();
    }
    const QFileInfo info(path);
    const QString entryPath = info.absolutePath() + QLatin1Char('/') + info.baseName() + QStringLiteral(".desktop");
    if (!LocalFile::isUsable(entryPath, LocalFile::Kind::Settings)) {
        return QString();
    }
    return PexoDesktopEntry(entryPath).localCommentOrFallback();
}

QString Module::defaultSoundForParam(SoundsThemePart::Sounds sound)
{
    for (const DefaultSound &entry : defaultSounds) {
        if (entry.sound == sound) {
            return QString::fromUtf8(d->soundTheme ? entry.themeSound : entry.file);
        }
    }
    return QString();
}

bool Module::isAcceptableFormat(const QString &path)
{
    return LocalFile::isUsable(path, LocalFile::Kind::Sound) && acceptedSuffixes.contains(QFileInfo(path).completeSuffix());
}

SoundsThemePart::Sounds Module::soundFromString(const QString &key)
{
    for (int row = 0; row < rowCount; ++row) {
        if (d->key(row) == key) {
            return static_cast<SoundsThemePart::Sounds>(row);
        }
    }
    return SoundsThemePart::UndefinedSound;
}

void Module::resetSound(int row)
{
    const auto sound = static_cast<SoundsThemePart::Sounds>(row);
    d->sounds(controller)->setSound(sound, defaultSoundForParam(sound));
}

void Module::resetSoundTheme()
{
    delete d->soundTheme;
    d->soundTheme = nullptr;
}

void Module::playSound(int row)
{
    d->player->start(d->key(row), getPathForSound(d->file(row)));
}

void Module::stopSound(int row)
{
    d->player->stop(d->key(row));
}

#include "module.moc"
