#pragma once

#include "Clock.h"

#include <cstdint>
#include <vector>

namespace velmora {

// Never sleeps: it records each interval and moves its own time on by it.
class FakeClock : public Clock {
public:
    void Sleep(int ms) override;
    std::int64_t NowMs() const override { return m_now; }
    void Advance(int ms) { m_now += ms; }

    const std::vector<int>& sleeps() const { return m_sleeps; }
    std::int64_t total() const;
    void clear() { m_sleeps.clear(); }

private:
    std::int64_t m_now = 0;
    std::vector<int> m_sleeps;
};

} // namespace velmora
