#pragma once

// The words the phone link reports in: what became of a submitted PDU, which
// lamp changed, where the link stands and what went wrong. Shared by the
// session, the worker's signals and their listeners, and known to Qt so the
// signals can carry them across threads.

#include <QObject>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velmora {

// The one meta-object namespace of Velmora.
Q_NAMESPACE

enum class SubmitOutcome {
    NoPduMode, // no "OK" to "at+cmgf=0": nothing logged
    NoPrompt,  // no ">" after "at+cmgs=": nothing logged
    Failed,    // "ERROR" in the answer: "Fail (1)"
    Sent,      // "Message Sent"
    Unknown,   // neither word: "Unknown"
    LinkLost,  // the link failed before the PDU was written: nothing logged
};
Q_ENUM_NS(SubmitOutcome)

// The text an outcome is shown and printed as, in the user's language.
std::string SubmitOutcomeText(SubmitOutcome outcome);

// What one part's submission ended in, as the session judged it.
struct PartEnded {
    std::string destination;
    SubmitOutcome outcome = SubmitOutcome::Unknown;
    std::optional<int> reference; // TP-MR, when the phone gave one ("+CMGS: n")
    // The answer a refusal was judged on, byte for byte as it came (the
    // failed log keeps a refused PDU's): to the PDU, or to at+cmgf=0 or
    // at+cmgs= where the phone answered them without PDU mode or a prompt;
    // empty for any other outcome.
    std::string answer;
    bool stopped = false; // the program ended in the middle, after the PDU left
};

// Which log an entry goes to.
enum class SubmitLog { Transmit, Failed };
// The entries a part's outcome makes in the logs, in order: the destination
// in the transmit log when sent; the destination and the answer in the
// failed log when refused; the destination and " (?)" there when it is not
// known; nothing when the PDU never left.
std::vector<std::pair<SubmitLog, std::string>> SubmitLogEntries(const PartEnded& part);

enum class LedSignal { Conn, Tx, Rx };
Q_ENUM_NS(LedSignal)

// Where the session stands with the phone.
enum class SessionState {
    PortOpen,     // the phone answered on the open port; it is being identified
    Connected,    // identified: the phone can be used
    Disconnected, // the port is closed
};
Q_ENUM_NS(SessionState)

// Where a modem stands for whoever hands it work (the message centre): it
// takes a message only when Ready.
enum class ModemState {
    Ready, // connected and idle
    Busy,  // connected, serving a request
    Away,  // no device: never found, unplugged, or its device name gone
    Stuck, // the device is there but the modem does not answer
};
Q_ENUM_NS(ModemState)

// What went wrong, beside the progress texts.
enum class ProblemKind {
    PhoneRefused,  // the phone refused a step and said why ("+CMS ERROR: 500 (...)")
    LinkError,     // the platform's reason behind a link failure
    LogFailed,     // a log entry could not be written; the text says why
    ConnectFailed, // the device and speed a failed connect tried, and why when known
    AnswerTooLong, // an answer, or a line of it, past what is read: the text says which
};
Q_ENUM_NS(ProblemKind)

} // namespace velmora
