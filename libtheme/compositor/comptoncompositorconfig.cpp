#include "comptoncompositorconfig.h"
#include "failedwrites.h"
#include "localfile.h"
#include "settingsreplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVector>

#include <libconfig.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {
const QString userConfigDir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
const QString userPicomFile = userConfigDir + QStringLiteral("/picom.conf");
const QString userComptonFile = userConfigDir + QStringLiteral("/compton.conf");
const QStringList systemFiles = {
    QStringLiteral("/etc/xdg/picom.conf"),
    QStringLiteral("/etc/xdg/picom/picom.conf"),
    QStringLiteral("/etc/xdg/compton.conf"),
};

// A top-level setting: a boolean, or the corner radius (an integer).
struct Option
{
    const char *name;
    bool isRadius;
};

const Option transparency{"enable-transparency", false};
const Option shadow{"shadow", false};
const Option cornerRadius{"corner-radius", true};
const Option vsync{"vsync", false};
const Option animations{"animations", false};
const Option fading{"fading", false};

constexpr int RoundedCornerRadius = 7;

// What tells a file apart from the copy read last.
struct FileStamp
{
    bool exists = false;
    qint64 seconds = 0;
    qint64 nanoseconds = 0;
    qint64 size = 0;
    qint64 inode = 0;

    bool operator==(const FileStamp &other) const
    {
        return exists == other.exists && seconds == other.seconds && nanoseconds == other.nanoseconds && size == other.size && inode == other.inode;
    }
};

FileStamp stampOf(const QString &path)
{
    FileStamp stamp;
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        stamp.exists = true;
        stamp.seconds = st.st_mtim.tv_sec;
        stamp.nanoseconds = st.st_mtim.tv_nsec;
        stamp.size = st.st_size;
        stamp.inode = qint64(st.st_ino);
    }
    return stamp;
}

// libconfig opens the files of "@include" lines itself, and would wait on a
// fifo or read a device for ever: each such line is replaced here by the
// file's text, read by the local-file rule. A relative name is taken from
// the directory of the compositor's file. Nothing when a file is not usable,
// as libconfig fails on an include that it cannot open, or when the
// includes nest too deep or add up to more than a settings file may hold.
std::optional<QByteArray> withIncludes(const QByteArray &text, const QString &dir, int depth, qint64 &room)
{
    // Latin-1 keeps every byte as it is.
    QString expanded = QString::fromLatin1(text);
    static const QRegularExpression include(QStringLiteral("^[ \\t]*@include[ \\t]+\"((?:[^\"\\\\]|\\\\.)*)\""), QRegularExpression::MultilineOption);
    // The last line first, so that the earlier matches keep their place.
    QVector<QRegularExpressionMatch> matches;
    QRegularExpressionMatchIterator it = include.globalMatch(expanded);
    while (it.hasNext()) {
        matches.prepend(it.next());
    }
    if (!matches.isEmpty() && depth >= 10) {
        return std::nullopt;
    }
    for (const QRegularExpressionMatch &match : qAsConst(matches)) {
        QString name = match.captured(1);
        name.replace(QRegularExpression(QStringLiteral("\\\\(.)")), QStringLiteral("\\1"));
        const QString path = QDir(dir).absoluteFilePath(QFile::decodeName(name.toLatin1()));
        const std::optional<QByteArray> included = LocalFile::read(path, LocalFile::Kind::Settings);
        if (!included || (room -= included->size()) < 0) {
            return std::nullopt;
        }
        const std::optional<QByteArray> inner = withIncludes(*included, dir, depth + 1, room);
        if (!inner) {
            return std::nullopt;
        }
        // The line break ends a comment on the included file's last line.
        expanded.replace(match.capturedStart(), match.capturedLength(), QString::fromLatin1(*inner) + QLatin1Char('\n'));
    }
    return expanded.toLatin1();
}

// The compositor's file with its includes in place, or nothing.
std::optional<QByteArray> readConfigText(const QString &path)
{
    const std::optional<QByteArray> text = LocalFile::read(path, LocalFile::Kind::Settings);
    if (!text) {
        return std::nullopt;
    }
    qint64 room = LocalFile::sizeLimit(LocalFile::Kind::Settings) - text->size();
    return withIncludes(*text, QFileInfo(path).absolutePath(), 0, room);
}

// The user's file; without one, the system file it would be copied from
// (read as it is), or, when make is true, that copy or a new empty file.
QString chooseFile(bool make)
{
    if (QFile::exists(userPicomFile)) {
        return userPicomFile;
    }
    if (QFile::exists(userComptonFile)) {
        return userComptonFile;
    }
    if (!make) {
        for (const QString &systemFile : systemFiles) {
            if (LocalFile::isUsable(systemFile, LocalFile::Kind::Settings)) {
                return systemFile;
            }
        }
        return QString();
    }
    // A new home may not have its configuration directory yet.
    QDir().mkpath(userConfigDir);
    // A system file that is no usable settings file counts as missing.
    for (const QString &systemFile : systemFiles) {
        if (const std::optional<QByteArray> text = LocalFile::read(systemFile, LocalFile::Kind::Settings)) {
            if (LocalFile::writeNew(userPicomFile, *text)) {
                return userPicomFile;
            }
            break;
        }
    }
    return LocalFile::writeNew(userPicomFile, QByteArray()) ? userPicomFile : QString();
}
} // namespace

class ComptonCompositorConfigPrivate
{
public:
    ComptonCompositorConfigPrivate()
    {
        config_init(&config);
    }

    ~ComptonCompositorConfigPrivate()
    {
        config_destroy(&config);
    }

    void reload();
    void reloadIfChanged();
    config_setting_t *lookup(const Option &option);
    bool get(const Option &option);
    bool set(const Option &option, bool on);
    bool write();

    config_t config;
    QString path;
    // Whether path is the user's own file: the user's file is made only when
    // a setter writes, not by reading.
    bool own = false;
    FileStamp stamp;
    // Whether the file (with its includes) was read, or is missing.
    bool readable = false;
};

void ComptonCompositorConfigPrivate::reload()
{
    config_destroy(&config);
    config_init(&config);
    if (path.isEmpty()) {
        // No file anywhere: every option is off.
        readable = true;
        return;
    }
    stamp = stampOf(path);
    const std::optional<QByteArray> text = readConfigText(path);
    readable = text.has_value() || !LocalFile::exists(path);
    if (!text) {
        return;
    }
    if (config_read_string(&config, text->constData()) != CONFIG_TRUE) {
        // A file that does not parse counts as empty: drop what was read of it.
        config_destroy(&config);
        config_init(&config);
    }
}

void ComptonCompositorConfigPrivate::reloadIfChanged()
{
    if (!path.isEmpty() && !(stampOf(path) == stamp)) {
        reload();
    }
}

config_setting_t *ComptonCompositorConfigPrivate::lookup(const Option &option)
{
    config_setting_t *setting = config_setting_get_member(config_root_setting(&config), option.name);
    if (!setting || config_setting_type(setting) != (option.isRadius ? CONFIG_TYPE_INT : CONFIG_TYPE_BOOL)) {
        return nullptr;
    }
    return setting;
}

bool ComptonCompositorConfigPrivate::get(const Option &option)
{
    reloadIfChanged();
    config_setting_t *setting = lookup(option);
    if (!setting) {
        return false;
    }
    return option.isRadius ? config_setting_get_int(setting) > 0 : config_setting_get_bool(setting) != 0;
}

bool ComptonCompositorConfigPrivate::set(const Option &option, bool on)
{
    // No file could be had: every option reads as off, and cannot be turned on.
    if (path.isEmpty() && own) {
        if (on) {
            FailedWrites::note(userPicomFile);
        }
        return false;
    }
    // Start from the file as it is now, not from an older copy.
    reload();
    config_setting_t *setting = lookup(option);
    if (!setting) {
        // A file that could not be read (no usable file, or an include that
        // is none) may hold the setting: turning it on is a failed write.
        if (on && !readable) {
            FailedWrites::note(path);
        }
        return false;
    }
    const int target = option.isRadius ? (on ? RoundedCornerRadius : 0) : int(on);
    const int previous = option.isRadius ? config_setting_get_int(setting) : config_setting_get_bool(setting);
    if (previous == target) {
        return false;
    }
    const auto store = [&](int value) {
        if (option.isRadius) {
            config_setting_set_int(setting, value);
        } else {
            config_setting_set_bool(setting, value);
        }
    };
    if (!own) {
        path = chooseFile(true);
        own = true;
        if (path.isEmpty()) {
            FailedWrites::note(userPicomFile);
            return false;
        }
        // The copy, as the user's file now holds it.
        reload();
        setting = lookup(option);
        if (!setting) {
            return false;
        }
    }
    store(target);
    if (!write()) {
        // Not written (and noted): keep what the file holds, so the change
        // is tried again.
        store(previous);
        return false;
    }
    stamp = stampOf(path);
    return true;
}

// Through the settings writer, which notes a failure.
bool ComptonCompositorConfigPrivate::write()
{
    char *buffer = nullptr;
    size_t size = 0;
    FILE *stream = open_memstream(&buffer, &size);
    if (!stream) {
        return false;
    }
    config_write(&config, stream);
    const bool complete = std::fclose(stream) == 0;
    const QByteArray text(buffer, int(size));
    std::free(buffer);
    return complete && SettingsReplace::write(path, text);
}

ComptonCompositorConfig *ComptonCompositorConfig::instance()
{
    static ComptonCompositorConfig config;
    return &config;
}

ComptonCompositorConfig::ComptonCompositorConfig()
    : d(new ComptonCompositorConfigPrivate)
{
    d->path = chooseFile(false);
    d->own = d->path == userPicomFile || d->path == userComptonFile;
    d->reload();
}

ComptonCompositorConfig::~ComptonCompositorConfig() = default;

bool ComptonCompositorConfig::transparencyEnabled() const
{
    return d->get(transparency);
}

bool ComptonCompositorConfig::setTransparencyEnabled(bool enabled)
{
    return d->set(transparency, enabled);
}

bool ComptonCompositorConfig::shadowEnabled() const
{
    return d->get(shadow);
}

bool ComptonCompositorConfig::setShadowEnabled(bool enabled)
{
    return d->set(shadow, enabled);
}

bool ComptonCompositorConfig::roundedCornersEnabled() const
{
    return d->get(cornerRadius);
}

bool ComptonCompositorConfig::setRoundedCornersEnabled(bool enabled)
{
    return d->set(cornerRadius, enabled);
}

bool ComptonCompositorConfig::verticalSyncronizationEnabled() const
{
    return d->get(vsync);
}

bool ComptonCompositorConfig::setVerticalSyncronizationEnabled(bool enabled)
{
    return d->set(vsync, enabled);
}

bool ComptonCompositorConfig::windowAnimationsEnabled() const
{
    return d->get(animations);
}

bool ComptonCompositorConfig::setWindowAnimationsEnabled(bool enabled)
{
    return d->set(animations, enabled);
}

bool ComptonCompositorConfig::windowFadingEnabled() const
{
    return d->get(fading);
}

bool ComptonCompositorConfig::setWindowFadingEnabled(bool enabled)
{
    return d->set(fading, enabled);
}
