#pragma once

// How the Messages window says what the history holds: a message's state,
// kind, time and correspondent in words. The store speaks in states and
// typed reasons; these are the window's own sentences for them.

#include "MessageTypes.h"

#include <QString>

namespace velmora {

// "Sent", "Delivered", "Not delivered (TP-ST 69)", "Failed: the phone
// refused it (+CMS ERROR 500)", "Uncertain: the phone took the PDU but never
// answered", "Received", "Queued", "Sending".
QString StateWords(msg::State state, msg::Reason reason, std::optional<int> code);
inline QString StateWords(const MessageRecord& m) { return StateWords(m.state, m.reason, m.reasonCode); }
// Why one failed or is uncertain, as StateWords says it after "Failed: " or
// "Uncertain: "; "" for any other state or a failure without a reason.
QString StateWhy(msg::State state, msg::Reason reason, std::optional<int> code);

// "Text", "Flash", "Operator logo", ... for the store's kind names; an
// unknown name as it is.
QString KindWords(const QString& kind);

// A message's kind as the content reader names it ("indicator") within a
// sentence: the same word in English, the language's own word otherwise.
QString KindInSentence(const char* kind);

// The time that places the message: when it came, for one received; when it
// went, else when it was written, for one sent.
QDateTime MessageTime(const MessageRecord& m);
// In the user's own zone, "2026-12-08 21:00"; "" for none.
QString ShownTime(const QDateTime& utc);

// As a list of conversations says when: the time alone today ("21:00"),
// the day within the year ("8 Dec", "8 Des" in Indonesian), else the date
// ("2025-12-08"); `now` in the user's zone.
QString ShortTime(const QDateTime& utc, const QDateTime& now);

// "Budi (+628569999999)", or the number alone when the phone book has no name.
QString Correspondent(const QString& name, const QString& number);

// Whether the user may hand an outgoing message to the phone again: only
// one that failed, was cancelled or whose fate is not known, and that no
// later message has replaced already.
bool CanResend(const MessageRecord& m);

} // namespace velmora
