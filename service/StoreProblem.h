#pragma once

// Why the message store could not take a step, in parts: what kind of
// failure, the store's file, and SQLite's own words (or what it found). The
// store, the service and the outbox hand it on as it is; the window and the
// command line put it into their words (terms::StoreProblemText), as they
// do a message's state and reason.

#include <QMetaType>
#include <QString>

namespace velmora {

struct StoreProblem {
    enum class Reason {
        None,
        // There is no store: it could not be opened. `detail` is the whole
        // sentence the opening gave (it names the file).
        Unopened,
        // Opened only to be read.
        ReadOnly,
        // SQLite found the file damaged (`detail`: what it found): nothing
        // more is written to it.
        Damaged,
        // A change could not be committed (`detail`: "database is locked",
        // "attempt to write a readonly database", "database or disk is full").
        WriteFailed,
        // A read broke off (`detail`: SQLite's words).
        ReadFailed,
        // The store turned the step down itself (`detail`: why, a sentence).
        Refused,
    };
    Reason reason = Reason::None;
    QString file; // the store's file; "" when not known
    QString detail;

    bool isNull() const { return reason == Reason::None; }
    // The sentence in the user's language (terms::StoreProblemText); a
    // problem reads as it where a QString is wanted, so what only shows it
    // needs nothing more.
    QString text() const;
    operator QString() const { return text(); }
};

} // namespace velmora

Q_DECLARE_METATYPE(velmora::StoreProblem)
