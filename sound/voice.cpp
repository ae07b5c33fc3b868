#include "sound/voice.h"

#include "sound/player.h"
#include "sound/wavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace sound {

Voice::Voice() = default;
Voice::~Voice() = default;

void Voice::say(const QString &phrase)
{
    if (!player_) player_ = std::make_unique<Player>();
    const QString own = QDir::current().filePath(QStringLiteral("voice/") + phrase + QStringLiteral(".wav"));
    if (QFileInfo(own).isFile()) player_->playFile(own, {});
    else if (auto pcm = builtIn(phrase)) player_->playPcm(std::move(pcm), {});
    else player_->stop();
}

void Voice::standBy()
{
    if (!player_) player_ = std::make_unique<Player>();
    player_->holdServer(true);
}

void Voice::hush()
{
    if (!player_) return;
    player_->stop();
    player_->holdServer(false);
}

std::shared_ptr<const Pcm> Voice::builtIn(const QString &phrase)
{
    const auto known = pack_.constFind(phrase);
    if (known != pack_.constEnd()) return *known;
    QFile file(QStringLiteral(":/voice/") + phrase + QStringLiteral(".wav"));
    std::shared_ptr<const Pcm> pcm;
    if (file.open(QIODevice::ReadOnly))
        if (auto decoded = decodeWave(file.readAll())) pcm = std::make_shared<const Pcm>(std::move(*decoded));
    pack_.insert(phrase, pcm);
    return pcm;
}

} // namespace sound
