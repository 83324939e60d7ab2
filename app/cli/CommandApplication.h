#pragma once

#include <QCoreApplication>

#include <optional>

namespace velmora::cli {

// A Qt application for the length of one command, unless one runs already
// (the tests', or the drawing one main made): Qt loads its plugins, such as
// the SQLite driver and the sound output, only inside one.
class CommandApplication {
public:
    CommandApplication() {
        if (!QCoreApplication::instance())
            m_app.emplace(m_argc, m_argv);
    }
    CommandApplication(const CommandApplication&) = delete;
    CommandApplication& operator=(const CommandApplication&) = delete;

private:
    // Qt keeps these by reference for the application's life.
    int m_argc = 1;
    char m_name[12] = "velmora-cli";
    char* m_argv[2] = {m_name, nullptr};
    std::optional<QCoreApplication> m_app;
};

} // namespace velmora::cli
