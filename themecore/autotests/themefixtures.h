/*
    Theme directories, record files and helper programs for the control core tests.
*/
#ifndef THEMEFIXTURES_H
#define THEMEFIXTURES_H

#include "pexotestsupport.h"
#include "themedefaults.h"

#include <KConfig>
#include <KConfigGroup>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QStandardPaths>
#include <QString>

namespace Fixtures {
inline bool writeFile(const QString &path, const QByteArray &bytes, bool executable = false)
{
    if (!PexoTest::writeFile(path, bytes)) {
        return false;
    }
    return !executable || QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther);
}

using PexoTest::readFile;

inline QString userTheme(const QString &directory)
{
    return ThemeDefaults::userThemesDir + QLatin1Char('/') + directory;
}

inline QString systemTheme(const QString &directory)
{
    return ThemeDefaults::systemThemesDir + QLatin1Char('/') + directory;
}

inline QByteArray index(const QString &id, const QString &name, bool readOnly = false)
{
    QByteArray text = "[Pexo Theme]\nId=" + id.toUtf8() + "\nName=" + name.toUtf8() + "\n";
    if (readOnly) {
        text += "X-Ulvar-System-Theme=true\n";
    }
    return text;
}

inline QByteArray themerc(const QString &iconTheme, const QString &primaryColor)
{
    return "[Variables]\nIconTheme=" + iconTheme.toUtf8() + "\nPrimaryColor=" + primaryColor.toUtf8() + "\n";
}

// A theme directory with its index.theme and, when given, its theme/themerc.
inline void writeTheme(const QString &directory, const QByteArray &indexText, const QByteArray &themercText = QByteArray())
{
    writeFile(directory + QStringLiteral("/index.theme"), indexText);
    if (!themercText.isNull()) {
        writeFile(directory + QStringLiteral("/theme/themerc"), themercText);
    }
}

inline QString recordPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/pexo-admin-themerc");
}

inline void writeRecord(const QString &id, const QString &indexPath)
{
    writeFile(recordPath(), "[Theme]\nCurrentTheme=" + id.toUtf8() + "\nCurrentThemePath=" + indexPath.toUtf8() + "\n");
}

inline QString entry(const QString &path, const QString &group, const QString &key)
{
    KConfig config(path, KConfig::SimpleConfig);
    return config.group(group).readEntry(key, QStringLiteral("<missing>"));
}

} // namespace Fixtures

#endif
