#pragma once

// Where a tune's samples are played: the sound card through Qt Multimedia
// (SinkOutput), or in tests a stand-in that plays nothing.

#include <QObject>
#include <QString>

class QIODevice;

namespace velmora {

class TuneOutput : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~TuneOutput() override = default;

    // Starts reading 16-bit mono samples at `rate` from `source`, without
    // waiting for them to be played. Empty when it started, else why not
    // (no audio device, for one), worded for the status bar.
    virtual QString start(QIODevice& source, int rate) = 0;
    // Stops at once; nothing is emitted for it.
    virtual void stop() = 0;

signals:
    // Every sample of the source has been played.
    void finished();
    // The device failed while playing; it has stopped.
    void failed(const QString& why);
};

} // namespace velmora
