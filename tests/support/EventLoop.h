#pragma once

// The event loop as the tests that wait on sockets, processes and timers
// turn it: one application per test program, and waits that end as soon as
// what they wait for is there.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <functional>
#include <string>

namespace velmora::testing {

// The program's one application, made by the first call (named `name`).
inline QCoreApplication& TestApp(const char* name) {
    static std::string program = name;
    static int argc = 1;
    static char* argv[] = {program.data(), nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `done` or `ms` have passed; whether it is done.
inline bool Until(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

// The event loop for `ms`, whatever happens.
inline void Spin(int ms) {
    Until([] { return false; }, ms);
}

} // namespace velmora::testing
