#pragma once

// The text logs, written from the service's events and nothing else: each
// part's outcome goes to the transmit or the failed log, each PDU read for
// the first time to the received log, in the lines they have always had.

#include "AppPaths.h"
#include "LinkEvents.h"
#include "MessageService.h"

#include <QObject>
#include <QString>

namespace velmora {

class LogObserver : public QObject {
    Q_OBJECT
public:
    // The logs of one service (a program with one modem)...
    LogObserver(MessageService& service, const AppPaths& paths, QObject* parent = nullptr);
    // ... or of each service given to watch(): every modem of a program
    // writes to the same logs.
    explicit LogObserver(const AppPaths& paths, QObject* parent = nullptr);
    void watch(MessageService& service);

signals:
    // A log entry could not be written: kind LogFailed, the reason in words.
    void problem(velmora::ProblemKind kind, const QString& text);

private:
    void Append(const std::string& path, const std::string& entry);
    void PartDone(const PartOutcome& part);
    void Received(const MessageService& service, const StoredMessage& stored, bool firstTime);

    AppPaths m_paths;
};

} // namespace velmora
