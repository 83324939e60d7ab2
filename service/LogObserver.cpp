#include "LogObserver.h"

#include "FileIo.h"
#include "Logs.h"
#include "PduDecoder.h"
#include "QtText.h"
#include "Strings.h"

#include <set>

namespace velmora {

namespace {

// The received log is read whole to know what it holds, when there is no
// store to ask; past this size only its start is looked at.
constexpr std::size_t kReceivedLogLimit = 64u << 20;

// The PDUs a received log holds: the last word of each entry, in capitals.
std::set<std::string> LoggedPdus(const std::string& path) {
    std::set<std::string> pdus;
    const auto read = ReadFilePrefix(path, kReceivedLogLimit);
    if (!read)
        return pdus; // missing: nothing logged yet
    const std::string& text = read->bytes;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (const auto space = line.rfind(' '); space != std::string::npos)
            pdus.insert(Upper(line.substr(space + 1)));
        start = end + 1;
    }
    return pdus;
}

} // namespace

LogObserver::LogObserver(MessageService& service, const AppPaths& paths, QObject* parent)
    : LogObserver(paths, parent) {
    watch(service);
}

LogObserver::LogObserver(const AppPaths& paths, QObject* parent) : QObject(parent), m_paths(paths) {}

void LogObserver::watch(MessageService& service) {
    connect(&service, &MessageService::partDone, this, &LogObserver::PartDone);
    connect(&service, &MessageService::pduReceived, this,
            [this, s = &service](qint64, const StoredMessage& stored, bool firstTime) {
                Received(*s, stored, firstTime);
            });
}

void LogObserver::Append(const std::string& path, const std::string& entry) {
    if (const auto appended = AppendLogLine(path, entry); !appended)
        emit problem(ProblemKind::LogFailed, Q(appended.error()));
}

void LogObserver::PartDone(const PartOutcome& part) {
    PartEnded ended;
    ended.destination = part.destination.toStdString();
    ended.outcome = part.outcome;
    ended.reference = part.reference;
    ended.answer = part.answer.toLatin1().toStdString(); // the phone's bytes, as they came
    ended.stopped = part.stopped;
    for (const auto& [log, entry] : SubmitLogEntries(ended))
        Append(log == SubmitLog::Transmit ? m_paths.transmitLog : m_paths.failedLog, entry);
}

void LogObserver::Received(const MessageService& service, const StoredMessage& stored, bool firstTime) {
    // Without a store the log itself says what was logged before.
    if (!service.store() && LoggedPdus(m_paths.receivedLog).count(Upper(stored.pdu)))
        return;
    if (service.store() && !firstTime)
        return;
    const auto decoded = DecodePdu(stored.pdu);
    const std::string number = decoded && !decoded->number.empty() ? decoded->number : "?";
    Append(m_paths.receivedLog, number + " " + stored.pdu);
}

} // namespace velmora
