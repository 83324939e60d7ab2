#include "ComLed.h"

namespace velmora {

bool TComLed::state() const {
    std::lock_guard lock(m_mutex);
    return m_on;
}

bool TComLed::set(bool on) {
    Listener listener;
    {
        std::lock_guard lock(m_mutex);
        if (m_on == on)
            return false;
        m_on = on;
        listener = m_listener;
    }
    if (listener)
        listener(m_signal, on);
    return true;
}

void TComLed::setListener(Listener listener) {
    std::lock_guard lock(m_mutex);
    m_listener = std::move(listener);
}

} // namespace velmora
