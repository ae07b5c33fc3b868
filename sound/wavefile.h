#pragma once
// Reads a RIFF/WAVE file's bytes: PCM 8/16/24/32-bit or float 32/64-bit,
// mono or stereo. Anything else is refused rather than played as noise.
#include "sound/samples.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace sound {

// nullopt when the bytes are not a wave file we can play; why goes to *error.
std::optional<Samples> decodeWave(const QByteArray &bytes, QString *error = nullptr);

} // namespace sound
