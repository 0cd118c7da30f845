#ifndef MODULEHOST_H
#define MODULEHOST_H

#include <KPluginMetaData>

#include <QMetaProperty>
#include <QObject>
#include <QString>
#include <QVector>

#include <memory>

class ModuleHostPrivate;
class QWidget;

// One settings module as a settings application holds it: created by the
// plug-in's factory with its metadata and no arguments, then loaded, saved
// and reset on request. The module is reached through its meta-object only.
class ModuleHost : public QObject
{
    Q_OBJECT
public:
    // The plug-in of a module id in or below the first of firstDirs that holds it,
    // else among the installed settings plug-ins; or of a plug-in file path.
    // Invalid when there is none.
    static KPluginMetaData find(const QString &module, const QStringList &firstDirs = QStringList());

    explicit ModuleHost(const KPluginMetaData &data);
    ~ModuleHost() override;

    // Null when the factory failed; error() says why.
    QObject *module() const;
    QString error() const;
    const KPluginMetaData &metaData() const;
    // The page of a widget module, null for a QML module.
    QWidget *widget() const;

    // The properties the module's own class declares.
    QVector<QMetaProperty> properties() const;
    QMetaProperty property(const QString &name) const;
    // The value as text: true/false, a number, an enumeration key or the text.
    QString text(const QMetaProperty &property) const;
    QVariant value(const QMetaProperty &property) const;
    // True when two values of the property are one setting in any of the forms
    // a module may read it back in: the same enumeration value, the same colour
    // ("red", "#FF0000", "#ff0000"), or the same file (links and "." / ".."
    // followed, "~/", a file URL, a relative path or a trailing slash).
    static bool same(const QMetaProperty &property, const QVariant &a, const QVariant &b);
    // Sets the value given as text; false and *error on a bad name or value,
    // or when another value was asked for and the module still reads the old one.
    bool setText(const QString &name, const QString &text, QString *error);

    // The messages of the module's error signal since the last call.
    QStringList takeErrors();

    void load();
    void save();
    void defaults();
    bool needsSave() const;

Q_SIGNALS:
    void needsSaveChanged(bool needsSave);

private Q_SLOTS:
    void moduleChanged(bool changed);
    void qmlModuleChanged();
    void moduleError(const QString &message);

private:
    std::unique_ptr<ModuleHostPrivate> const d;
};

#endif
