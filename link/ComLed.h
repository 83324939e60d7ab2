#pragma once

#include "LinkEvents.h"

#include <functional>
#include <mutex>

namespace velmora {

// One lamp of the link: Connect while the port is open, Tx from the start of
// a write until it has drained, Rx from the arrival of bytes until a read
// empties the input queue. It only reports changes; the link may switch it
// from its watcher thread, so the state is guarded and the listener must be
// safe to call from any thread; it must not call back into the lamp.
class TComLed {
public:
    using Listener = std::function<void(LedSignal, bool)>;

    explicit TComLed(LedSignal signal) : m_signal(signal) {}

    LedSignal signal() const { return m_signal; }
    bool state() const;
    // Gives true when the state changed (and the listener was told).
    bool set(bool on);
    void setListener(Listener listener);

private:
    LedSignal m_signal;
    mutable std::mutex m_mutex;
    bool m_on = false;
    Listener m_listener;
};

} // namespace velmora
