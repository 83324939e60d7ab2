#include "ComLed.h"

namespace velmora {

bool TComLed::state() const {
    std::lock_guard lock(m_mutex);
    return m_on;
}

bool TComLed::set(bool on) {
    // The listener is called under the lock: changes from two threads reach
    // it in the order they were made, and once setListener() has returned the
    // old listener is never called again.
    std::lock_guard lock(m_mutex);
    if (m_on == on)
        return false;
    m_on = on;
    if (m_listener)
        m_listener(m_signal, on);
    return true;
}

void TComLed::setListener(Listener listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

} // namespace velmora
