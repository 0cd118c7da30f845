#ifndef MODULE_H
#define MODULE_H

#include <behaviourframe.h>
#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

// The taskbar page: button labels, the pager, combined buttons, one taskbar
// per screen, the switcher's scope and flags for the keyboard layout.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(bool labelsOnTaskbar READ labelsOnTaskbar WRITE setLabelsOnTaskbar NOTIFY labelsOnTaskbarChanged)
    Q_PROPERTY(bool usePager READ usePager WRITE setUsePager NOTIFY usePagerChanged)
    Q_PROPERTY(bool buttonCombine READ buttonCombine WRITE setButtonCombine NOTIFY buttonCombineChanged)
    Q_PROPERTY(bool multiTaskbar READ multiTaskbar WRITE setMultiTaskbar NOTIFY multiTaskbarChanged)
    Q_PROPERTY(bool switcherAllPages READ switcherAllPages WRITE setSwitcherAllPages NOTIFY switcherAllPagesChanged)
    Q_PROPERTY(bool useNationalFlags READ useNationalFlags WRITE setUseNationalFlags NOTIFY useNationalFlagsChanged)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    bool labelsOnTaskbar() const;
    void setLabelsOnTaskbar(bool value);
    bool usePager() const;
    void setUsePager(bool value);
    bool buttonCombine() const;
    void setButtonCombine(bool value);
    bool multiTaskbar() const;
    void setMultiTaskbar(bool value);
    bool switcherAllPages() const;
    void setSwitcherAllPages(bool value);
    bool useNationalFlags() const;
    void setUseNationalFlags(bool value);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void labelsOnTaskbarChanged();
    void usePagerChanged();
    void buttonCombineChanged();
    void multiTaskbarChanged();
    void switcherAllPagesChanged();
    void useNationalFlagsChanged();
    // A file of the settings could not be written on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    BehaviourFrame frame;
};

#endif
