#pragma once

#include "RingtoneReader.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace velmora {

class TuneOutput;
class TuneSource;

// Plays a tune as the phone will (ToneStream) on an output made when
// first needed: a SinkOutput unless another maker is given. One tune at a
// time; play() while playing stops the tune before. Never waits for the
// sound, so it runs on the window's thread.
class TunePlayer : public QObject {
    Q_OBJECT
public:
    using OutputMaker = std::function<std::unique_ptr<TuneOutput>()>;

    explicit TunePlayer(QObject* parent = nullptr, OutputMaker makeOutput = nullptr);
    ~TunePlayer() override;

    bool playing() const { return m_playing; }
    void play(const ReadTune& tune);
    // Stops at once; stopped() follows when a tune was playing.
    void stop();

signals:
    void started();
    // Played to its end, or stopped.
    void stopped();
    // Could not start, or the output failed while playing; nothing plays.
    void failed(const QString& why);

private:
    void outputFinished();
    void outputFailed(const QString& why);
    TuneOutput& output();

    OutputMaker m_makeOutput;
    // The tune being played; declared first, so it outlives the output reading it.
    std::unique_ptr<TuneSource> m_source;
    std::unique_ptr<TuneOutput> m_output;
    bool m_playing = false;
};

} // namespace velmora
