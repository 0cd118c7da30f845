#include "playercontroller.h"

#include <localfile.h>

#include <QFile>
#include <QHash>
#include <QMediaPlayer>
#include <QMediaPlaylist>
#include <QUrl>

class PlayerControllerPrivate
{
public:
    QHash<QString, PlayerController::PlayerData> players;
};

PlayerController::PlayerController(QObject *parent)
    : QObject(parent)
    , d(new PlayerControllerPrivate)
{
}

PlayerController::~PlayerController()
{
    for (const PlayerData &data : std::as_const(d->players)) {
        // The owner may be half destroyed by now: no signal reaches it.
        data.player->disconnect(this);
        data.playlist->disconnect(this);
        data.player->stop();
        data.player->deleteLater();
        data.playlist->deleteLater();
    }
    d->players.clear();
}

void PlayerController::start(const QString &id, const QString &path)
{
    if (path.isEmpty()) {
        Q_EMIT error(id, QStringLiteral("no file path provided"));
        return;
    }
    // Only a regular file: the media framework would wait on a fifo for good.
    // It is given the file opened here, not the path (which a playlist would
    // open again, whatever is there by then).
    std::unique_ptr<QFile> file = LocalFile::open(path, LocalFile::Kind::Sound);
    if (!file) {
        Q_EMIT error(id, QStringLiteral("file not found: %1").arg(path));
        return;
    }
    ensurePlayer(id);
    PlayerData &data = d->players[id];
    data.path = path;
    const QList<QFile *> played = data.player->findChildren<QFile *>(QString(), Qt::FindDirectChildrenOnly);
    file->setParent(data.player);
    data.player->setMedia(QMediaContent(QUrl::fromLocalFile(path)), file.release());
    for (QFile *stream : played) {
        stream->deleteLater();
    }
    data.player->play();
}

void PlayerController::stop(const QString &id)
{
    const auto it = d->players.constFind(id);
    if (it == d->players.constEnd()) {
        return;
    }
    QMediaPlayer *player = it->player;
    // Out of the table first, so that isPlaying() is false when finished() comes.
    cleanupPlayer(id);
    player->stop();
}

bool PlayerController::isPlaying(const QString &id)
{
    const auto it = d->players.constFind(id);
    return it != d->players.constEnd() && it->player && it->player->state() == QMediaPlayer::PlayingState;
}

void PlayerController::ensurePlayer(const QString &id)
{
    if (d->players.contains(id)) {
        return;
    }
    PlayerData data;
    data.player = new QMediaPlayer(this, QMediaPlayer::Flags());
    data.playlist = new QMediaPlaylist(this);
    data.player->setPlaylist(data.playlist);
    connect(data.player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this, [this, id, player = data.player]() {
        Q_EMIT error(id, player->errorString());
    });
    connect(data.player, &QMediaPlayer::stateChanged, this, [this, id](QMediaPlayer::State state) {
        if (state == QMediaPlayer::PlayingState) {
            Q_EMIT started(id);
        } else if (state == QMediaPlayer::StoppedState) {
            Q_EMIT finished(id);
        }
    });
    connect(data.playlist, &QMediaPlaylist::currentIndexChanged, this, [this, id](int index) {
        if (index == -1) {
            Q_EMIT finished(id);
        }
    });
    d->players.insert(id, data);
}

void PlayerController::cleanupPlayer(const QString &id)
{
    const PlayerData data = d->players.take(id);
    if (data.player) {
        data.player->deleteLater();
    }
    if (data.playlist) {
        data.playlist->deleteLater();
    }
}
