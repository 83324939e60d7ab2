#include "SinkOutput.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace velmora {

SinkOutput::SinkOutput(QObject* parent) : TuneOutput(parent) {}

SinkOutput::~SinkOutput() { stop(); }

QString SinkOutput::start(QIODevice& source, int rate) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return tr("No audio output: the tune cannot be played here.");
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return tr("The audio output \"%1\" cannot play 16-bit mono sound.").arg(device.description());
    m_sink = std::make_unique<QAudioSink>(device, format);
    connect(m_sink.get(), &QAudioSink::stateChanged, this, &SinkOutput::stateChanged);
    m_sink->start(&source);
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState) {
        m_sink.reset();
        return tr("The audio output \"%1\" cannot be opened.").arg(device.description());
    }
    return {};
}

void SinkOutput::stop() {
    if (!m_sink)
        return;
    m_sink->disconnect(this);
    m_sink->stop();
    m_sink.reset();
}

// The sink goes idle when the source has no more samples, and stops by
// itself only when the device failed.
void SinkOutput::stateChanged() {
    const QAudio::State state = m_sink->state();
    const QAudio::Error error = m_sink->error();
    if (state == QAudio::IdleState) {
        m_sink->disconnect(this);
        m_sink->stop();
        m_sink.release()->deleteLater(); // it is emitting this signal
        emit finished();
    } else if (state == QAudio::StoppedState && error != QAudio::NoError) {
        m_sink->disconnect(this);
        m_sink.release()->deleteLater();
        emit failed(error == QAudio::OpenError ? tr("The audio output cannot be opened.")
                                               : tr("The audio output stopped playing the tune."));
    }
}

} // namespace velmora
