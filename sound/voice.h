#pragma once
// The voice the program speaks with: each phrase from voice/NAME.wav in the
// working folder where there is one (a club's own recording), else from the
// pack built into the program. A phrase that cannot be played is silence:
// never a beep, never a notice during a game. Its Player comes into being
// when the first phrase is due; from then until it is hushed, it keeps its
// connection to the sound server, so that each phrase starts on its second
// without connecting first.
#include "sound/pcm.h"
#include "sound/speaker.h"

#include <QHash>
#include <memory>

namespace sound {

class Player;

class Voice : public Speaker
{
public:
    Voice();
    ~Voice() override;
    void say(const QString &phrase) override;
    void standBy() override;
    void hush() override;

private:
    std::shared_ptr<const Pcm> builtIn(const QString &phrase);

    std::unique_ptr<Player> player_;
    QHash<QString, std::shared_ptr<const Pcm>> pack_; // decoded once; a null: not in the pack
};

} // namespace sound
