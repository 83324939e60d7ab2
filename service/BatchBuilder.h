#pragma once

// From what the user gave (a typed list, a contacts table) to the
// recipients of a batch, each with the request as it goes to them, and the
// ones left out with why. The command line and the window both go through
// here, so a list reads the same in either.

#include "MessageStore.h"
#include "Outbox.h"
#include "Recipients.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace velmora {

struct BatchRecipients {
    std::vector<BatchRecipient> recipients;
    std::vector<RecipientProblem> problems;
    // Placeholders of the text no column is named for (for a typed list,
    // every one): they would go out as written, so a batch with any is not
    // to be queued.
    QStringList unknown;
};

// How a batch treats what each recipient's text turns out to be.
struct BatchOptions {
    // A text that needs characters outside the GSM alphabet: Auto sends that
    // recipient's message as UCS2 (in parts when it is longer than one), Never
    // leaves the text as the kind's options build it (refused when it cannot
    // be GSM 7-bit), Always sends every text as UCS2 (as the kind's
    // --unicode).
    enum class Unicode { Never, Auto, Always } unicode = Unicode::Never;
    // A row whose cell for a placeholder is empty is sent with nothing in its
    // place; else it is left out and named.
    bool allowEmpty = true;
};

// Numbers are taken as people write them: spaces, "-", "(" and ")" are
// dropped before the number is checked as CheckDestination does.
//
// A typed list: each word a number (checked as CheckDestination does), a
// group's name (MessageStore::GroupNamed: its members), or a phone-book
// name (MessageStore::NumbersNamed: refused when none or more than one
// number). `store` may be null (numbers only). The same number twice (after
// normalising as CheckDestination does) is queued once; the second is a
// problem "already in the list". A problem's index is the word's position
// in `words` (0-based); a group member's is its group's.
BatchRecipients RecipientsFromList(const QStringList& words, MessageStore* store,
                                   const MessageRequest& message, const BatchOptions& options = {});

// A contacts table: each row's number from `numberColumn`; {column}
// placeholders in message.text filled from the row (FillPlaceholders); the
// recipient's name from a column named "name" (any case) when there is one.
// A row without a number or with a bad one, a number already in the list,
// or whose filled text does not build (BuildMessage refuses it), is a
// problem naming its file line (index) and why, not fatal. Unknown
// placeholders are a problem of the whole table: they are named in
// `unknown`, and the rows are still given filled as far as they go.
// With options.allowEmpty false, a row whose cell for a placeholder is
// empty is a problem too.
BatchRecipients RecipientsFromTable(const CsvTable& table, int numberColumn, const MessageRequest& message,
                                    const BatchOptions& options = {});

// One row of a table as RecipientsFromTable reads it, but for the numbers
// of the rows before it (so a row can be shown without reading them all):
// the recipient with its text filled, its destination checked when it is
// a number (else as written), and what is given as `who` and the problem
// when the row is left out (empty when it is not).
struct TableRow {
    BatchRecipient recipient;
    int line = 0;
    QString who, problem;
};
TableRow RecipientFromRow(const CsvTable& table, std::size_t row, int numberColumn,
                          const MessageRequest& message, const BatchOptions& options = {});

// What the preview shows for one recipient: its own text, the coding ("GSM
// 7-bit", "UCS2", "8-bit" for data and content kinds, "—" for kinds with no
// user text) and how many parts it makes (BuildMessage's PDU count), or why
// it is refused (a lower-case sentence; parts 0 then).
struct RecipientPreview {
    QString number, name, text, coding;
    int parts = 0;
    QString problem;
    bool madeUnicode = false; // BatchOptions::Unicode::Auto made it UCS2
};
RecipientPreview PreviewRecipient(const BatchRecipient& recipient);

// The members a contacts file gives a group: each row's number (from the
// column NumberColumn finds, or the one `numberColumn` names) and its name
// (NameColumn). A row without a number is left out; a file with no number
// column is refused with NumberColumn's sentence.
Result<std::vector<GroupMember>, QString> MembersFromTable(const CsvTable& table,
                                                           const QString& numberColumn = {});

} // namespace velmora
