#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace velmora::testing {

// Ticks every 5 ms on the window's thread and keeps the longest gap: how
// long the window went without answering.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this,
                [this] { m_longest = std::max(m_longest, m_since.restart()); });
    }
    void start() {
        m_longest = 0;
        m_since.start();
        m_timer.start(5);
    }
    qint64 stop() {
        m_timer.stop();
        return m_longest;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_since;
    qint64 m_longest = 0;
};

// Runs the event loop itself until `done` holds or `ms` have passed:
// QTest::qWaitFor sleeps 10 ms between rounds, which the meter would count
// as stalls of the window.
inline bool RunUntil(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    check.start(1);
    loop.exec();
    return done();
}

} // namespace velmora::testing
