#include "TunePlayer.h"

#include "SinkOutput.h"
#include "TuneSource.h"

namespace velmora {

TunePlayer::TunePlayer(QObject* parent, OutputMaker makeOutput)
    : QObject(parent), m_makeOutput(std::move(makeOutput)) {}

TunePlayer::~TunePlayer() {
    if (m_playing)
        m_output->stop();
}

TuneOutput& TunePlayer::output() {
    if (!m_output) {
        m_output = m_makeOutput ? m_makeOutput() : std::make_unique<SinkOutput>();
        connect(m_output.get(), &TuneOutput::finished, this, &TunePlayer::outputFinished);
        connect(m_output.get(), &TuneOutput::failed, this, &TunePlayer::outputFailed);
    }
    return *m_output;
}

void TunePlayer::play(const ReadTune& tune) {
    stop();
    if (tune.notes.empty()) {
        emit failed(tr("The tune has no notes to play."));
        return;
    }
    // Kept until the next tune: the output may still hold it while it stops.
    m_source = std::make_unique<TuneSource>(tune);
    m_source->open(QIODevice::ReadOnly);
    const QString refused = output().start(*m_source, kToneRate);
    if (!refused.isEmpty()) {
        emit failed(refused);
        return;
    }
    m_playing = true;
    emit started();
}

void TunePlayer::stop() {
    if (!m_playing)
        return;
    m_playing = false;
    m_output->stop();
    emit stopped();
}

void TunePlayer::outputFinished() {
    if (!m_playing)
        return;
    m_playing = false;
    emit stopped();
}

void TunePlayer::outputFailed(const QString& why) {
    const bool was = m_playing;
    m_playing = false;
    if (was)
        emit failed(why);
}

} // namespace velmora
