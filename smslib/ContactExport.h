#pragma once

#include <string>
#include <vector>

namespace velmora {

// One entry of the SIM's phone book, texts as the phone sent them.
struct PhonebookEntry {
    bool found = false; // the reply holds "+CPBR: "
    std::string index, number, type, name;
};

// The text export of the phone book ("Contact.Txt"): a dated header line, a
// rule of 50 "-", one line per entry (name padded to 25, number to 15, index
// right-aligned in 5), the rule again; each line ends in "\r\n". Texts go out
// byte for byte as the phone sent them. `stamp` is the "dd mmmm yyyy, hh:mm"
// time.
std::string FormatContactExport(const std::vector<PhonebookEntry>& entries, const std::string& stamp);

// The outcome of writing the export, with its status text: "Save to file
// <path> !" or "Unable to save to file <path> (<reason>) !".
struct ExportResult {
    bool ok;
    std::string status;
};

// Writes the export to `path` whole or not at all, so a failure leaves the
// old file; a missing directory above it is made first.
ExportResult WriteContactExport(const std::string& path, const std::vector<PhonebookEntry>& entries,
                                const std::string& stamp);

// The phone book as vCard 3.0 cards, one an entry, as desktop address books
// import them: FN, N and TEL, the phone's Latin-1 names in UTF-8, commas,
// semicolons, backslashes and line breaks escaped, lines ending in "\r\n" and
// folded after 75 octets (never inside a character). An entry without a name
// is named by its number.
std::string FormatVCards(const std::vector<PhonebookEntry>& entries);
// Writes the cards to `path` whole or not at all, with the export's status texts.
ExportResult WriteVCards(const std::string& path, const std::vector<PhonebookEntry>& entries);

} // namespace velmora
