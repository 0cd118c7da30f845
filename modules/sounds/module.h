#ifndef MODULE_H
#define MODULE_H

#include <soundsthemepart.h>
#include <themedecorator.h>

#include <KCModule>

#include <memory>

class ModulePrivate;

// The sounds page: whether desktop event sounds are on, the sound theme and
// the sound of each event, with playback.
class Module
    : public KCModule
    , public ThemeDecorator
{
    Q_OBJECT

public:
    Module(QWidget *parent, const QVariantList &args);
    ~Module() override;

    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void error(const QString &message);

public Q_SLOTS:
    void updateNeedSave() override;
    void onSoundThemeEnabledChanged();
    void onSoundThemeChanged();
    void onSoundChanged(SoundsThemePart::Sounds sound, const QString &value);
    void onSoundThemeActivated(int index);
    void onDoubleClicked(int row, int column);
    void onCellClicked(int row, int column);

private:
    void initThemes();
    void initTable();
    void populateFiles();
    void populateComments();
    QString getPathForSound(const QString &sound);
    QString getCommentForSound(const QString &sound);
    QString defaultSoundForParam(SoundsThemePart::Sounds sound);
    bool isAcceptableFormat(const QString &path);
    SoundsThemePart::Sounds soundFromString(const QString &key);
    void resetSound(int row);
    void resetSoundTheme();
    void playSound(int row);
    void stopSound(int row);

    std::unique_ptr<ModulePrivate> const d;
};

#endif
