#include "sound/pcmplayer.h"

#include "sound/pcmformat.h"

#include <QMediaDevices>

namespace sound {

PcmPlayer::PcmPlayer() = default;

PcmPlayer::~PcmPlayer() { unload(); }

bool PcmPlayer::hasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty() && !QMediaDevices::defaultAudioOutput().isNull();
}

bool PcmPlayer::load(const Samples &samples)
{
    unload();
    if (!hasAudioOutput()) return false;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const QAudioFormat format = outputFormat(device, samples.sampleRate, samples.channels);
    if (!format.isValid()) return false;
    pcm_ = encodePcm(samples, format);
    if (pcm_.isEmpty()) return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    return true;
}

bool PcmPlayer::start()
{
    if (!sink_) return false;
    stop();
    buffer_.setBuffer(&pcm_);
    if (!buffer_.open(QIODevice::ReadOnly)) return false;
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError || sink_->state() == QAudio::StoppedState) {
        stop();
        return false;
    }
    return true;
}

void PcmPlayer::stop()
{
    if (sink_) {
        // reset() drops what the sink has queued, so the sound ends now
        // rather than after its buffer drains.
        sink_->reset();
        sink_->stop();
    }
    buffer_.close();
}

void PcmPlayer::unload()
{
    stop();
    sink_.reset();
    buffer_.setBuffer(nullptr);
    pcm_.clear();
}

} // namespace sound
