#ifndef PLAYERCONTROLLER_H
#define PLAYERCONTROLLER_H

#include <QObject>
#include <QString>

#include <memory>

class QMediaPlayer;
class QMediaPlaylist;
class PlayerControllerPrivate;

// Plays one sound file per key (an event's settings key); different keys
// sound at once, a second start of a key restarts it.
class PlayerController : public QObject
{
    Q_OBJECT

public:
    struct PlayerData
    {
        QMediaPlayer *player = nullptr;
        QMediaPlaylist *playlist = nullptr;
        QString path;
    };

    explicit PlayerController(QObject *parent);
    // Stops every sound without emitting finished().
    ~PlayerController() override;

    void start(const QString &id, const QString &path);
    void stop(const QString &id);
    bool isPlaying(const QString &id);

Q_SIGNALS:
    void error(const QString &id, const QString &message);
    void started(const QString &id);
    // May come twice for one end of a sound.
    void finished(const QString &id);

private:
    void ensurePlayer(const QString &id);
    void cleanupPlayer(const QString &id);

    std::unique_ptr<PlayerControllerPrivate> const d;
};

#endif
