#pragma once

// The words a person reads for the names the program keeps: a message's
// state, why it got there, a batch's state, a message's kind, a PDU's type
// and coding. One table, in the user's language, for the window and the
// command line alike; the names themselves (the store, --json, the logs)
// stay as they are. In English the word is the name, so what the command
// line printed before stays byte for byte; the window's labels are the
// capitalised words it shows in its lists.

#include "MessageTypes.h"
#include "StoreProblem.h"

#include <QString>

#include <vector>

namespace velmora::terms {

// The tables, each its own translation context.
enum class Table { State, Reason, BatchState, Kind, Coding, PduType, Indicator };

struct Term {
    Table table;
    // As the store and --json have it ("not-delivered", "gsm7"), and the
    // English word within a sentence.
    const char* name;
    const char* label; // the window's English label ("Not delivered"); null where it has none
};

// Every term of every table, for a test that each is translated.
const std::vector<Term>& All();
// The translation context of a table ("state", "kind", ...).
const char* Context(Table table);

// "terkirim" for Sent in Indonesian, "sent" in English.
QString StateWord(msg::State state);
// "Sent", "Not delivered": what the window's lists show.
QString StateLabel(msg::State state);
// "no-answer" | "tanpa jawaban"; "" for None.
QString ReasonWord(msg::Reason reason);
// "active", "paused", "cancelled"; and "finished" for a batch with nothing
// left to send, whatever its state.
QString BatchStateWord(msg::BatchState state);
QString FinishedWord();

// By name: "text" | "teks". A name not in the table comes back as it is.
QString KindWord(const QString& kind);
// "Text", "Operator logo": the window's label of a kind.
QString KindLabel(const QString& kind);
QString CodingWord(const QString& coding);     // "gsm7", "8bit", "ucs2"
QString PduTypeWord(const QString& type);      // "deliver", "submit", "status-report"
QString IndicatorWord(const QString& waiting); // "voicemail", "fax", "email", "other"

// "The message store /home/ani/.local/share/velmora/messages.sqlite could not
// be written: database is locked": a store's problem as a sentence naming
// the file; "" for none.
QString StoreProblemText(const StoreProblem& problem);

// What a person reads as a message's text: the text it holds, or for a
// message read from a phone with none (a logo, a tune, a waiting indication, a
// compressed text) what it is, made from its kind and content in the
// user's language: "Operator logo for 510 10". A store written before
// these words were made here holds them, in English, as the text, and
// shows them as it always did.
QString MessageText(const MessageRecord& m);

} // namespace velmora::terms
