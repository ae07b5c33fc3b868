#include "sound/qtmediadevice.h"

#include "sound/wavefile.h"

#include <QFile>

namespace sound {
namespace {
// Cue sounds last seconds; a file this large is not one, and decoding it would
// hold the UI thread.
constexpr qint64 largestFile = 64 * 1024 * 1024;
} // namespace

QtMediaDevice::QtMediaDevice() = default;

QtMediaDevice::~QtMediaDevice() = default;

void QtMediaDevice::setFileName(const QString &name) { fileName_ = name; }

bool QtMediaDevice::open()
{
    close();
    error_.clear();
    if (!PcmPlayer::hasAudioOutput()) return failed(QStringLiteral("no audio output"));
    QFile file(fileName_);
    if (!file.open(QIODevice::ReadOnly)) return failed(fileName_ + QStringLiteral(": ") + file.errorString());
    if (file.size() > largestFile) return failed(fileName_ + QStringLiteral(": too large"));
    const QByteArray bytes = file.readAll();
    QString why;
    const std::optional<Samples> samples = decodeWave(bytes, &why);
    if (!samples) return failed(fileName_ + QStringLiteral(": ") + why);
    if (!player_.load(*samples)) return failed(QStringLiteral("the audio output takes no format for ") + fileName_);
    return true;
}

bool QtMediaDevice::play()
{
    if (!player_.isLoaded()) return failed(QStringLiteral("nothing open to play"));
    if (!player_.start()) return failed(QStringLiteral("the audio output did not start"));
    return true;
}

void QtMediaDevice::close() { player_.unload(); }

bool QtMediaDevice::failed(const QString &why)
{
    error_ = why;
    return false;
}

} // namespace sound
