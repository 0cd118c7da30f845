/*
    Shared by the tests of the behaviour parts: the live settings and master
    files, and the window-manager commands they cause.
*/
#ifndef BEHAVIOURTESTSUPPORT_H
#define BEHAVIOURTESTSUPPORT_H

#include "themedefaults.h"

#include <pexotestsupport.h>

#include <KConfig>
#include <KConfigGroup>

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTest>

namespace BehaviourTest {
// Replaces a settings file with the given lines of the group "Variables";
// null removes the file.
inline void writeSettings(const QString &path, const QByteArray &variables)
{
    if (variables.isNull()) {
        QFile::remove(path);
        return;
    }
    QVERIFY(PexoTest::writeFile(path, "[Variables]\n" + variables));
}

// Fresh live settings and master files, of no noted change; drops the
// commands sent so far.
inline void resetFiles(const QByteArray &live = QByteArray(), const QByteArray &master = QByteArray())
{
    writeSettings(ThemeDefaults::currentThemeConfigPath, live);
    writeSettings(ThemeDefaults::masterThemeConfigPath, master);
    QFile::remove(QFileInfo(ThemeDefaults::currentThemeConfigPath).path() + QStringLiteral("/.theme-applied"));
    PexoTest::takeWmCommands();
}

// The text of a key in the live settings file on disk; null when absent.
inline QString liveValue(const QString &key)
{
    KConfig config(ThemeDefaults::currentThemeConfigPath, KConfig::SimpleConfig);
    const KConfigGroup group(&config, ThemeDefaults::themeVariablesGroup);
    return group.hasKey(key) ? group.readEntry(key, QString()) : QString();
}

inline QString variableCommand(const QString &key, const QString &value)
{
    return ThemeDefaults::wmUpdateVariableFormat.arg(key, value);
}

// The update commands of (key, value) pairs, in order.
inline QStringList variableCommands(const QList<QPair<QString, QString>> &values)
{
    QStringList commands;
    for (const auto &value : values) {
        commands << variableCommand(value.first, value.second);
    }
    return commands;
}
} // namespace BehaviourTest

#endif
