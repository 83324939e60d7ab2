#pragma once

// Contacts to put on the SIM, from a vCard file (2.1 or 3.0) or a CSV table,
// and the plan of where each goes: which free place, which name is cut to
// the SIM's length, and which do not fit. Pure reading and planning; the
// link writes.

#include "Result.h"
#include "SimPhonebook.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

namespace velmora {

struct ImportedContact {
    QString name;
    QStringList numbers; // each as written, in the file's order
    int line = 0;        // where its card or row starts (1-based)
};

struct ContactFile {
    std::vector<ImportedContact> contacts;
    // Cards or rows left out, each in a sentence with its line: "line 12:
    // the card has no number".
    QStringList skipped;
};

// The largest contacts file read, the most contacts taken from one, and the
// longest line of a card once unfolded: a photo in a card is what makes
// lines long, and a card's photo is not read.
inline constexpr qint64 kMaxContactFileBytes = 8 * 1024 * 1024;
inline constexpr int kMaxContacts = 10000;
inline constexpr int kMaxCardLine = 256 * 1024;

// vCard 2.1 and 3.0: folded lines; in 2.1 QUOTED-PRINTABLE values (with
// their soft line breaks) and CHARSET (UTF-8, ISO-8859-1, Windows-1252,
// US-ASCII); in 3.0 the escaped "\,", "\;", "\n" and "\\". The name is FN,
// else N as "Given Family"; every TEL is a number. Refused with a sentence:
// no card at all, more than kMaxContacts, a line past kMaxCardLine.
Result<ContactFile, QString> ParseVCards(const QByteArray& bytes);
// A CSV table (Recipients' reader): the numbers from the column that holds
// them, the names from the one headed "name" (any case), else the first
// other column.
Result<ContactFile, QString> ParseContactCsv(const QByteArray& bytes);
// Either, by what the file holds: cards when it has "BEGIN:VCARD", else a
// table. Refused also when the file cannot be read or is larger than
// kMaxContactFileBytes; the sentence names the file.
Result<ContactFile, QString> ReadContactFile(const QString& path);

// The SIM as the phone described it before an import.
struct ImportTarget {
    SimBookLimits limits;
    SimCharset charset = SimCharset::Ira;
    bool ucs2Offered = false;
    std::vector<int> freePlaces; // lowest first
    // Every number the SIM holds now, as the phone gave it, with its place.
    std::vector<std::pair<int, std::string>> numbersThere;
};

struct PlannedEntry {
    int index = 0;
    QString name; // as it will be written: cut when `cut`
    QString fullName;
    QString number;
    bool cut = false;
    int line = 0;
};

enum class UnfitReason {
    NoPlace,   // every free place went to an earlier one
    Number,    // `outcome` says what is wrong with it
    Name,      // a character the SIM cannot hold, or too long when names are not cut
    AlreadyOn, // the SIM holds the number already (at `place`)
};
struct UnfitEntry {
    QString name, number;
    UnfitReason reason = UnfitReason::NoPlace;
    SimBookOutcome outcome; // for Number and Name
    int place = 0;          // for AlreadyOn
    int line = 0;
};

struct ImportPlan {
    std::vector<PlannedEntry> entries;
    std::vector<UnfitEntry> unfit;
    int cutCount() const;
};

// Each contact's numbers in turn to the free places, lowest first. With
// `cutNames` a name longer than the SIM holds is cut to fit, else it does
// not fit.
ImportPlan PlanImport(const std::vector<ImportedContact>& contacts, const ImportTarget& target,
                      bool cutNames);

} // namespace velmora
