#pragma once
// The voice's phrases, heard on an output of their own beside the cues: a
// phrase never cuts a cue off, nor a cue a phrase.
#include <QString>

namespace sound {

class Speaker
{
public:
    virtual ~Speaker() = default;
    // Plays the phrase (a file name without ".wav"), cutting off the one before.
    virtual void say(const QString &phrase) = 0;
    // A phrase is due soon: be ready to speak it at once.
    virtual void standBy() {}
    // Cuts off the phrase being spoken; none is due.
    virtual void hush() = 0;
};

} // namespace sound
