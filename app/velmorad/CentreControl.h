#pragma once

// The daemon's one hold on the message centre: everything velmorad asks of
// it goes through these calls, so the signals, the reloads and the way out
// are the daemon's and what runs the modems is the centre's.

#include "DaemonConfig.h"
#include "Result.h"

#include <QString>

#include <chrono>
#include <functional>

namespace velmora {
class MessageCentre;
}

namespace velmora::daemon {

class CentreControl {
public:
    virtual ~CentreControl() = default;
    // Opens the store and what every modem shares. A refusal says why.
    virtual Result<bool, QString> start(const DaemonConfig& config) = 0;
    // Opens a modem and starts taking its messages.
    virtual void addModem(const ModemConfig& modem) = 0;
    // Closes a modem as stop() does, but only that one.
    virtual void removeModem(const QString& name) = 0;
    // Starts nothing new; what is in flight finishes or, after `deadline`,
    // is marked uncertain. `done` runs (in the event loop) once every modem
    // is closed.
    virtual void stop(std::chrono::milliseconds deadline, std::function<void()> done) = 0;
    // The centre other programs reach through the daemon's doors (D-Bus...),
    // once started; null for one that has none to offer.
    virtual MessageCentre* messageCentre() const { return nullptr; }
    // Whether it will offer one: the daemon then looks, before it opens any
    // modem, whether another program already answers for Velmora.
    virtual bool servesApi() const { return false; }
};

} // namespace velmora::daemon
