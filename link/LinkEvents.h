#pragma once

// The words the phone link reports in: what became of a submitted PDU, which
// lamp changed, where the link stands and what went wrong. Shared by the
// session, the worker's signals and their listeners, and known to Qt so the
// signals can carry them across threads.

#include <QObject>

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

// The text an outcome is shown and printed as.
const char* SubmitOutcomeText(SubmitOutcome outcome);

enum class LedSignal { Conn, Tx, Rx };
Q_ENUM_NS(LedSignal)

// Where the session stands with the phone.
enum class SessionState {
    PortOpen,     // the phone answered on the open port; it is being identified
    Connected,    // identified: the phone can be used
    Disconnected, // the port is closed
};
Q_ENUM_NS(SessionState)

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
