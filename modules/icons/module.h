#ifndef MODULE_H
#define MODULE_H

#include <themedecorator.h>

#include <KQuickAddons/ConfigModule>

class QAbstractProxyModel;
class ProxyModel;

// The icon theme page: the offered icon themes, the selected one and the
// two monochrome icon switches.
class Module
    : public KQuickAddons::ConfigModule
    , public ThemeDecorator
{
    Q_OBJECT
    Q_PROPERTY(QAbstractProxyModel *themes READ themes CONSTANT)
    Q_PROPERTY(QString currentTheme READ currentTheme WRITE setCurrentTheme NOTIFY currentThemeChanged)
    Q_PROPERTY(bool isToolbarMonochrome READ isToolbarMonochrome WRITE setIsToolbarMonochrome NOTIFY isToolbarMonochromeChanged)
    Q_PROPERTY(bool isTaskbarMonochrome READ isTaskbarMonochrome WRITE setIsTaskbarMonochrome NOTIFY isTaskbarMonochromeChanged)
    Q_PROPERTY(bool mandatoryIntegrityControl READ mandatoryIntegrityControl CONSTANT)

public:
    Module(QObject *parent, const KPluginMetaData &data, const QVariantList &args);
    ~Module() override;

    QAbstractProxyModel *themes() const;
    QString currentTheme() const;
    void setCurrentTheme(const QString &theme);
    bool isToolbarMonochrome() const;
    void setIsToolbarMonochrome(bool monochrome);
    bool isTaskbarMonochrome() const;
    void setIsTaskbarMonochrome(bool monochrome);

    // True when the administrator's master file fixes the property's key.
    Q_INVOKABLE bool isImmutable(const QString &property) const;

public:
    // Slots of the configuration-module base, kept out of this meta-object.
    void load() override;
    void save() override;
    void defaults() override;

public Q_SLOTS:
    void updateNeedSave() override;

Q_SIGNALS:
    void currentThemeChanged();
    void isToolbarMonochromeChanged();
    void isTaskbarMonochromeChanged();
    void error(const QString &message);

private:
    ProxyModel *const m_themes;
};

#endif
