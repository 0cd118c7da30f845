/*
    Internal: one whole change of the live settings, a switch or a save.
    While it lives it holds the session lock, so that other writers wait,
    and a mark beside the live settings says that a change is under way: a
    change cut off half way (the process killed) leaves the mark, and the
    next session sync then applies the recorded theme again instead of
    taking the half-made mix for the user's own settings. A change that can
    tell before its first write that it would fail, because a file that
    every change writes is no file it can write, is refused and writes
    nothing. Changes nest within a process: the outermost one owns the mark.
*/
#ifndef LIVESETTINGSCHANGE_H
#define LIVESETTINGSCHANGE_H

#include <QString>

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

    explicit LiveSettingsChange(Files files);
    ~LiveSettingsChange();
    LiveSettingsChange(const LiveSettingsChange &) = delete;
    LiveSettingsChange &operator=(const LiveSettingsChange &) = delete;

    // Why the change may not go ahead; empty when it may.
    const QString &refusal() const;

    // True when an earlier change was cut off before it ended.
    static bool wasCutOff();
    // The mark of a change under way.
    static QString markPath();

private:
    std::unique_ptr<LiveSettingsChangePrivate> const d;
};

#endif
