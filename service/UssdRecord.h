#pragma once

// A USSD session as the message store keeps it, for MessageService (which
// records each exchange and tells of it): one outgoing message of kind
// "ussd", the code as its number and the transcript as its text. Recorded as
// the session starts and rewritten at every line, so a program killed in
// the middle loses nothing that was said; left Sending, the next start finds
// it Uncertain (Stopped), as any message cut short.

#include "MessageStore.h"
#include "UssdDialogue.h"

#include <QString>

#include <optional>

namespace velmora {

// How a session ended, for its record: Sent when the network answered (but
// for "not supported", Failed), else Failed or Uncertain with the reason.
struct UssdEnding {
    msg::State state = msg::State::Sent;
    msg::Reason reason = msg::Reason::None;
    std::optional<int> code; // the +CUSD status when the network gave one
};
UssdEnding UssdEndingOf(const UssdAnswer& last, bool cancelled);

class UssdRecord {
public:
    // Records the session's start; with no store (or one that refuses the
    // write), nothing is kept and problem() says why.
    UssdRecord(MessageStore* store, const QString& code, const ModemId& modem);
    // One line more of the transcript ("> *123#", the network's words),
    // committed before it returns.
    void Add(const QString& line);
    void Finish(const UssdEnding& ending);

    qint64 id() const { return m_id; }
    const QString& transcript() const { return m_text; }
    // The store's refusal of the last write; "" when every write was kept.
    const QString& problem() const { return m_problem; }
    // Writes nothing more (a refusal was said once); the transcript and the
    // problem stay.
    void StopKeeping() { m_id = 0; }

private:
    MessageStore* m_store;
    qint64 m_id = 0;
    QString m_text;
    QString m_problem;
};

} // namespace velmora
