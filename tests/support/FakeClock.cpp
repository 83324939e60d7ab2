#include "FakeClock.h"

#include <numeric>

namespace velmora {

void FakeClock::Sleep(int ms) {
    m_sleeps.push_back(ms);
    m_now += ms;
}

std::int64_t FakeClock::total() const {
    return std::accumulate(m_sleeps.begin(), m_sleeps.end(), std::int64_t{0});
}

} // namespace velmora
