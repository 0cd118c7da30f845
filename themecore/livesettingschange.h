/*
    Internal: one whole change of the live settings, a switch or a save.
    It runs under the session lock, taken where the change started (a
    tool's run, a page's save), and while it lives a mark beside the live
    settings says that a change is under way and
    which theme it leads to: a change cut off half way (the process killed)
    or that could not write a file leaves the mark, and the next session
    sync then finishes it instead of taking the half-made mix for the
    user's own settings. A change that can tell before its first write that
    it would fail, because a file that every change writes is no file it
    can write or has no room, or a record file is no usable file, is
    refused and writes nothing. Changes nest within a process: the
    outermost one owns the mark.
*/
#ifndef LIVESETTINGSCHANGE_H
#define LIVESETTINGSCHANGE_H

#include <QString>
#include <QStringList>

#include <memory>

class LiveSettingsChangePrivate;

class LiveSettingsChange
{
public:
    enum class Files {
        // The live settings and the palette file.
        Live,
        // Those and the current-theme record: a switch.
        LiveAndRecord,
    };

    // The target is the id of the theme the change leads to; empty for
    // the recorded one. A save names the settings file of the theme it
    // writes too: it is checked with the others.
    explicit LiveSettingsChange(Files files, const QString &target = QString(), const QStringList &themeFiles = QStringList());
    ~LiveSettingsChange();
    LiveSettingsChange(const LiveSettingsChange &) = delete;
    LiveSettingsChange &operator=(const LiveSettingsChange &) = delete;

    // Why the change may not go ahead; empty when it may.
    const QString &refusal() const;

    // True when an earlier change was cut off before it ended.
    static bool wasCutOff();
    // The theme an unfinished change led to; empty when it named none.
    static QString unfinishedTarget();
    // The mark of a change under way.
    static QString markPath();

private:
    std::unique_ptr<LiveSettingsChangePrivate> const d;
};

#endif
