#pragma once

#include "TuneOutput.h"

#include <memory>

class QAudioSink;

namespace velmora {

// The default audio output through QAudioSink, which pulls the samples on
// its own: the caller's thread never waits for the sound.
class SinkOutput : public TuneOutput {
    Q_OBJECT
public:
    explicit SinkOutput(QObject* parent = nullptr);
    ~SinkOutput() override;

    QString start(QIODevice& source, int rate) override;
    void stop() override;

private:
    void stateChanged();

    std::unique_ptr<QAudioSink> m_sink;
};

} // namespace velmora
