#pragma once
// Wave files: PCM 8/16/24/32-bit or float 32/64-bit, mono or stereo.
// Anything else is refused rather than played as noise.
#include "sound/pcm.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace sound {

// Cue sounds last seconds; a larger file is none, and holding it would cost
// the memory of minutes of sound.
constexpr qint64 largestWaveFile = 64 * 1024 * 1024;

// What can be told of a file without opening it: an ordinary file (links
// followed) no larger than largestWaveFile. Never blocks, whatever the file is.
bool mayBeWaveFile(const QString &path);

// The samples of a wave file's bytes; nullopt when they are not one we can play.
std::optional<Pcm> decodeWave(const QByteArray &bytes);

// Reads and decodes the file; nullopt when it is no wave file we can play.
// Opens without waiting, so a FIFO or device put in the file's place is
// refused instead of blocking the reader.
std::optional<Pcm> readWave(const QString &path);

} // namespace sound
