#pragma once

// What velmorad says about itself goes to standard error, one line each with
// its level. Under systemd (JOURNAL_STREAM names the stream standard error
// is) each line begins with the priority the journal files it under, "<4>"
// for a warning, and the journal adds the time; elsewhere the line carries
// the time and the level in words, for a terminal or a file.

#include <QDateTime>
#include <QString>

#include <cstdio>
#include <functional>

namespace velmora::daemon {

// syslog's priorities, as the journal reads them.
enum class Level { Error = 3, Warning = 4, Notice = 5, Info = 6, Debug = 7 };

// Whether `fd` is the stream JOURNAL_STREAM ("DEVICE:INODE") names: a
// daemon started by systemd keeps the variable even when its standard
// error is sent elsewhere later, so the variable alone is not enough.
bool IsJournalStream(const char* journalStream, int fd);

class DaemonLog {
public:
    // `out` is written and flushed a line at a time; `journal` chooses the
    // "<N>" form; `now` gives the time of the plain form.
    DaemonLog(
        std::FILE* out, bool journal,
        std::function<QDateTime()> now = [] { return QDateTime::currentDateTimeUtc(); });

    void write(Level level, const QString& text) const;
    void error(const QString& text) const { write(Level::Error, text); }
    void warning(const QString& text) const { write(Level::Warning, text); }
    void notice(const QString& text) const { write(Level::Notice, text); }
    void info(const QString& text) const { write(Level::Info, text); }

    // The line as written, without its newline: what a test compares.
    QString line(Level level, const QString& text) const;

    // Sends Qt's own messages (qWarning() and the like, from the layers
    // below) here too, each at its level, for the log's life.
    void catchQtMessages();
    ~DaemonLog();

    DaemonLog(const DaemonLog&) = delete;
    DaemonLog& operator=(const DaemonLog&) = delete;

private:
    std::FILE* m_out;
    bool m_journal;
    std::function<QDateTime()> m_now;
    bool m_catching = false;
};

} // namespace velmora::daemon
