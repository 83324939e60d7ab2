#include "Clock.h"

#include <chrono>

namespace velmora {

void RealClock::Sleep(int ms) {
    const auto span = std::chrono::duration<double, std::milli>(ms * m_scale);
    std::unique_lock lock(m_mutex);
    m_wake.wait_for(lock, span, [this] { return m_cancelled; });
    if (m_cancelled)
        throw SessionCancelled();
}

std::int64_t RealClock::NowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void RealClock::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_wake.notify_all();
}

void RealClock::Resume() {
    std::lock_guard lock(m_mutex);
    m_cancelled = false;
}

} // namespace velmora
