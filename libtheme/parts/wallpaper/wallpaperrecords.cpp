#include "wallpaperrecords.h"
#include "failedwrites.h"
#include "localfile.h"
#include "settingsreplace.h"
#include "themedefaults.h"
#include "utils.h"
#include "wallpaperpaths.h"
#include "x11support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <SimpleIni.h>

#include <pexodirs.h>

#include <cstring>
#include <string>
#include <vector>

namespace {
const std::string s_desktopRecordFile = GetPexoDir(PexoDesktopDir) + "/.directory";
const std::string s_desktopsDir = GetPexoDir(PexoHomeDir) + "/Desktops";

const char s_recordKey[] = "X-PEXO-WallPaper";
const char s_desktopGroup[] = "Desktop Entry";
const char s_screenGroupPrefix[] = "Monitor::";

QString currentRecordFile()
{
    return QFile::decodeName(s_desktopRecordFile.c_str());
}

// The ".directory" files of the "Desktop*" folders, sorted by name.
QStringList desktopFolderRecordFiles()
{
    const QDir desktops(QFile::decodeName(s_desktopsDir.c_str()));
    const QFileInfoList folders = desktops.entryInfoList({QStringLiteral("Desktop*")}, QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    QStringList files;
    for (const QFileInfo &folder : folders) {
        files.append(desktops.absolutePath() + QLatin1Char('/') + folder.fileName() + QStringLiteral("/.directory"));
    }
    return files;
}

template<class Ini>
void configure(Ini &ini)
{
    ini.SetUnicode(true);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetSpaces(false);
}

// Loads an existing file; a missing or unreadable one, or one that is no
// plain file of settings, counts as not loaded.
template<class Ini>
bool load(Ini &ini, const QString &path)
{
    configure(ini);
    const std::optional<QByteArray> bytes = LocalFile::read(path, LocalFile::Kind::Settings);
    return bytes && ini.LoadData(bytes->constData(), size_t(bytes->size())) >= 0;
}

// Writes the whole file; a failure is noted for the save.
template<class Ini>
bool save(const Ini &ini, const QString &path)
{
    std::string data;
    if (ini.Save(data, false) < 0) {
        FailedWrites::note(path);
        return false;
    }
    return SettingsReplace::write(path, QByteArray::fromStdString(data));
}

// A file that is there but cannot be loaded cannot take the record: a
// failed write. A missing one is never created.
void setRecord(const QString &path, const QByteArray &group, const QByteArray &value)
{
    CSimpleIniA ini;
    if (!load(ini, path)) {
        if (LocalFile::exists(path)) {
            FailedWrites::note(path);
        }
        return;
    }
    ini.SetValue(group.constData(), s_recordKey, value.constData());
    save(ini, path);
}

std::optional<QString> record(const QByteArray &group)
{
    CSimpleIniA ini;
    if (!load(ini, currentRecordFile())) {
        return std::nullopt;
    }
    const char *value = ini.GetValue(group.constData(), s_recordKey, nullptr);
    if (!value || !*value) {
        return std::nullopt;
    }
    return QString::fromUtf8(value);
}

QByteArray screenGroup(const QString &screenName)
{
    return QByteArray(s_screenGroupPrefix) + screenName.toUtf8();
}
} // namespace

QString WallpaperRecords::quoted(const QString &wallpaper)
{
    if (wallpaper.startsWith(QLatin1Char('#'))) {
        return QLatin1Char('"') + wallpaper + QLatin1Char('"');
    }
    return wallpaper;
}

bool WallpaperRecords::isSafeValue(const QString &text)
{
    return PexoWm::isSafeText(text);
}

std::optional<QString> WallpaperRecords::currentScreenName()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        return std::nullopt;
    }
    const QWindowList windows = QGuiApplication::topLevelWindows();
    if (windows.isEmpty() || !windows.first()->screen()) {
        return std::nullopt;
    }
    return windows.first()->screen()->name();
}

void WallpaperRecords::setDesktopRecord(const QString &value)
{
    setRecord(currentRecordFile(), s_desktopGroup, value.toUtf8());
}

void WallpaperRecords::clearDesktopRecords()
{
    const QStringList files = desktopFolderRecordFiles();
    for (const QString &path : files) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        CSimpleIniA ini;
        if (!load(ini, path)) {
            continue;
        }
        // The group stays, even when it becomes empty.
        if (ini.DeleteValue(s_desktopGroup, s_recordKey, nullptr, false)) {
            save(ini, path);
        }
    }
}

void WallpaperRecords::setScreenRecords(const QString &screenName, const QString &value, bool allFolders)
{
    const QByteArray group = screenGroup(screenName);
    const QByteArray bytes = value.toUtf8();
    setRecord(currentRecordFile(), group, bytes);
    if (allFolders) {
        const QStringList files = desktopFolderRecordFiles();
        for (const QString &path : files) {
            setRecord(path, group, bytes);
        }
    }
}

void WallpaperRecords::clearScreenRecords()
{
    const size_t prefixLength = std::strlen(s_screenGroupPrefix);
    const QStringList files = desktopFolderRecordFiles();
    for (const QString &path : files) {
        if (!QFileInfo::exists(path)) {
            continue;
        }
        CSimpleIniCaseA ini;
        if (!load(ini, path)) {
            continue;
        }
        CSimpleIniCaseA::TNamesDepend sections;
        ini.GetAllSections(sections);
        std::vector<std::string> screenGroups;
        for (const auto &section : sections) {
            if (std::strncmp(section.pItem, s_screenGroupPrefix, prefixLength) == 0) {
                screenGroups.emplace_back(section.pItem);
            }
        }
        if (screenGroups.empty()) {
            continue;
        }
        for (const std::string &group : screenGroups) {
            ini.Delete(group.c_str(), nullptr);
        }
        save(ini, path);
    }
}

QStringList WallpaperRecords::files()
{
    QStringList usable;
    const QStringList candidates = QStringList{currentRecordFile()} + desktopFolderRecordFiles();
    for (const QString &path : candidates) {
        if (LocalFile::isUsable(path, LocalFile::Kind::Settings)) {
            usable << path;
        }
    }
    return usable;
}

std::optional<QString> WallpaperRecords::desktopRecord()
{
    return record(s_desktopGroup);
}

std::optional<QString> WallpaperRecords::screenRecord(const QString &screenName)
{
    return record(screenGroup(screenName));
}

bool WallpaperRecords::isUsableRecord(const QString &value)
{
    const QString wallpaper = Utils::stripQuotes(value.trimmed());
    if (WallpaperPaths::isColor(wallpaper)) {
        return true;
    }
    return !wallpaper.isEmpty() && QFileInfo::exists(wallpaper);
}

void WallpaperRecords::sendLocalWallpaper(const QString &value)
{
    if (!isSafeValue(value)) {
        return;
    }
    PexoWm::send(ThemeDefaults::wmUpdateVariableFormat.arg(QStringLiteral("WallPaperLocal"), value), PexoWm::LegacyChannel);
}
