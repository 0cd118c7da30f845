#ifndef MODULE_H
#define MODULE_H

#include <behaviourframe.h>
#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

// The desktop page: the drag-and-drop indication, adaptive caption colours
// and the trash and computer icons.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(bool dndIndicator READ dndIndicator WRITE setDndIndicator NOTIFY dndIndicatorChanged)
    Q_PROPERTY(bool autoColor READ autoColor WRITE setAutoColor NOTIFY autoColorChanged)
    Q_PROPERTY(bool showTrash READ showTrash WRITE setShowTrash NOTIFY showTrashChanged)
    Q_PROPERTY(bool showComputer READ showComputer WRITE setShowComputer NOTIFY showComputerChanged)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    bool dndIndicator() const;
    void setDndIndicator(bool value);
    bool autoColor() const;
    void setAutoColor(bool value);
    bool showTrash() const;
    void setShowTrash(bool value);
    bool showComputer() const;
    void setShowComputer(bool value);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;
    // Starts the settings application with the page named settings.
    Q_INVOKABLE void openSettings(const QString &settings);

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

Q_SIGNALS:
    void dndIndicatorChanged();
    void autoColorChanged();
    void showTrashChanged();
    void showComputerChanged();
    // A file of the settings could not be written on save.
    void error(const QString &message);

private Q_SLOTS:
    void updateNeedSave() override;

private:
    BehaviourFrame frame;
};

#endif
