#pragma once
// Fitting decoded samples to what an audio output accepts.
#include "sound/samples.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>

namespace sound {

// The sound's own rate and channel count in 16-bit or another sample type
// where the device takes them, else the device's preferred format (the
// caller then converts). Invalid when the device takes nothing at all.
QAudioFormat outputFormat(const QAudioDevice &device, int sampleRate, int channels);

// samples resampled and remixed to format's rate and channels, packed in its
// sample type. Empty for an invalid format.
QByteArray encodePcm(const Samples &samples, const QAudioFormat &format);

} // namespace sound
