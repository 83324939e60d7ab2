#pragma once

#include "ToneSynth.h"

#include <QIODevice>

namespace velmora {

// A tune's samples as a device the sound card reads, made as it reads them
// (ToneStream): 16-bit mono in the machine's byte order, as QAudioSink takes
// them.
class TuneSource : public QIODevice {
public:
    explicit TuneSource(ReadTune tune, QObject* parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 size() const override;
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* data, qint64 most) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    ToneStream m_stream;
};

} // namespace velmora
