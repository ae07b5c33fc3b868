#pragma once
// The media device the program plays its wave files with: the whole file is
// read and decoded on open(), then played from memory on the default audio
// output without blocking. Use it from the UI thread.
#include "sound/mediadevice.h"
#include "sound/pcmplayer.h"

#include <QString>

namespace sound {

class QtMediaDevice : public MediaDevice
{
public:
    QtMediaDevice();
    ~QtMediaDevice() override;

    void setFileName(const QString &name) override;
    bool open() override;
    bool play() override;
    void close() override;

    // Why the last open() or play() failed, for logs.
    QString errorString() const { return error_; }

private:
    bool failed(const QString &why);

    QString fileName_;
    QString error_;
    PcmPlayer player_;
};

} // namespace sound
