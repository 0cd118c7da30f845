/*
    Tests of the settings modules: each loads the built plug-in through its
    metadata and factory, as a settings host does, and drives the module
    through its meta-object only.
*/
#ifndef MODULETESTSUPPORT_H
#define MODULETESTSUPPORT_H

#include <behaviourtestsupport.h>

#include <KPluginMetaData>

#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

#include <memory>

class Personalization;

namespace ModuleTest {
// The built plug-in of that id (for example "kcm_pexo_wm"), QML or widget module.
KPluginMetaData metaData(const QString &id);

// A new Module made by the plug-in's factory with its metadata and an empty
// argument list; null (and a failed test) when that fails.
std::unique_ptr<QObject> create(const QString &id);

// The Personalization the module owns.
Personalization *personalization(QObject *module);

// One row of the table of plug-ins.
struct MetaDataRow
{
    QString name;
    QString nameRu;
    QString description;
    QString descriptionRu;
    QString icon;
    QString weight;
    QString parentCategory = QStringLiteral("personalization");
    // "X-KDE-Weight"; 0 for none.
    int kdeWeight = 0;
};

// The embedded metadata, the plug-in interface and the factory class of a
// QML module, and verifyParent.
void verifyMetaData(const QString &id, const MetaDataRow &row);

// The factory makes the module also for a parent that is no widget, as a
// host may ask: a QML module takes that parent, a widget page gets none and
// takes a widget parent only.
void verifyParent(const QString &id);

// The names of the properties the module's own class declares, in order;
// each has a change signal named after it.
QStringList propertyNames(const QObject *module);

// Every writable property: set to what it holds, it emits nothing; set to
// another value and back, it emits its signal each time and the
// need-to-save state follows. updateNeedSave announces the state on every call.
void verifyProperties(QObject *module);

// Over live settings off the defaults in every part: save() with no change
// touches no file and sends nothing; defaults() resets the module's own part
// only and writes nothing.
void verifySaveAndDefaults(const QString &id);

// Sets the property, saves, and expects the key's new text in the live
// settings and its update command among those the window manager received.
void verifySavedValue(QObject *module, const char *property, const QVariant &value, const QString &key, const QString &text);

// With the keys in the master file, isImmutable is true for each property
// and false for notFixed; without the master file it is false for all.
void verifyImmutability(const QString &id, const QList<QPair<QString, QString>> &propertyKeys, const QString &notFixed);

// Puts a command recorder (PexoTest::installCommandRecorder) called
// ulvar-systemsettings first in PATH, ahead of the built stand-in, and
// forgets the commands recorded so far. Returns the recorder's path.
QString recordSettingsApplication();

// Live settings with a value off its default in every behaviour part.
QByteArray offDefaultSettings();
} // namespace ModuleTest

#endif
