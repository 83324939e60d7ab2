#include "DaemonLog.h"

#include <QByteArray>
#include <QCoreApplication>

#include <sys/stat.h>

namespace velmora::daemon {

namespace {

// The log that Qt's messages go to; one at a time.
const DaemonLog* g_qtLog = nullptr;

Level LevelOf(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return Level::Debug;
    case QtInfoMsg:
        return Level::Info;
    case QtWarningMsg:
        return Level::Warning;
    case QtCriticalMsg:
    case QtFatalMsg:
        return Level::Error;
    }
    return Level::Warning;
}

void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (g_qtLog)
        g_qtLog->write(LevelOf(type), text);
}

QString LevelWord(Level level) {
    switch (level) {
    case Level::Error:
        return QCoreApplication::translate("velmorad", "error");
    case Level::Warning:
        return QCoreApplication::translate("velmorad", "warning");
    case Level::Notice:
        return QCoreApplication::translate("velmorad", "notice");
    case Level::Info:
        return QCoreApplication::translate("velmorad", "info");
    case Level::Debug:
        return QCoreApplication::translate("velmorad", "debug");
    }
    return {};
}

} // namespace

bool IsJournalStream(const char* journalStream, int fd) {
    if (!journalStream || !*journalStream)
        return false;
    const QList<QByteArray> parts = QByteArray(journalStream).split(':');
    if (parts.size() != 2)
        return false;
    bool deviceOk = false, inodeOk = false;
    const qulonglong device = parts[0].toULongLong(&deviceOk);
    const qulonglong inode = parts[1].toULongLong(&inodeOk);
    struct stat st {};
    if (!deviceOk || !inodeOk || ::fstat(fd, &st) != 0)
        return false;
    return static_cast<qulonglong>(st.st_dev) == device && static_cast<qulonglong>(st.st_ino) == inode;
}

DaemonLog::DaemonLog(std::FILE* out, bool journal, std::function<QDateTime()> now)
    : m_out(out), m_journal(journal), m_now(std::move(now)) {}

DaemonLog::~DaemonLog() {
    if (m_catching && g_qtLog == this) {
        qInstallMessageHandler(nullptr);
        g_qtLog = nullptr;
    }
}

QString DaemonLog::line(Level level, const QString& text) const {
    // One event, one line: a line break inside would start a line the
    // journal files at the default level, or a reader takes for another.
    QString flat = text;
    flat.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    if (m_journal)
        return QStringLiteral("<%1>").arg(static_cast<int>(level)) + flat;
    return m_now().toString(Qt::ISODate) + ' ' + LevelWord(level) + ": " + flat;
}

void DaemonLog::write(Level level, const QString& text) const {
    const QByteArray bytes = (line(level, text) + '\n').toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), m_out);
    std::fflush(m_out);
}

void DaemonLog::catchQtMessages() {
    g_qtLog = this;
    m_catching = true;
    qInstallMessageHandler(QtMessage);
}

} // namespace velmora::daemon
