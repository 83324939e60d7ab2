// A contacts file for the SIM is whatever a phone, an address book or a
// person left in it. Reading it must never crash, and what it gives must
// hold together: each contact with a number, on a line of the file, within
// the limits; and the plan of an import over any of it gives each free place
// at most once, in order, to names that fit the SIM as it was described.

#include "../FuzzCheck.h"
#include "ContactImport.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <set>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the reader and the SIM's name length.
    const int pick = data[0];
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const auto read = pick % 2 ? velmora::ParseContactCsv(bytes) : velmora::ParseVCards(bytes);
    if (!read) {
        FUZZ_CHECK(!read.error().isEmpty());
        return 0;
    }
    // A lone CR ends a row of a table too: at most this many lines.
    const int lines = static_cast<int>(bytes.count('\n') + bytes.count('\r')) + 1;
    FUZZ_CHECK(static_cast<int>(read->contacts.size()) <= velmora::kMaxContacts);
    for (const velmora::ImportedContact& c : read->contacts) {
        FUZZ_CHECK(!c.numbers.isEmpty());
        FUZZ_CHECK(c.line >= 1 && c.line <= lines);
        for (const QString& n : c.numbers)
            FUZZ_CHECK(!n.isEmpty());
    }
    velmora::ImportTarget target;
    target.limits = {1, 20, 12, 1 + pick % 20};
    target.charset = pick & 4 ? velmora::SimCharset::Gsm : velmora::SimCharset::Latin1;
    target.ucs2Offered = pick & 8;
    for (int place = 2; place <= 20; place += 2)
        target.freePlaces.push_back(place);
    const bool cut = pick & 16;
    const velmora::ImportPlan plan = velmora::PlanImport(read->contacts, target, cut);
    std::set<int> used;
    int last = 0;
    for (const velmora::PlannedEntry& e : plan.entries) {
        FUZZ_CHECK(e.index > last && used.insert(e.index).second);
        last = e.index;
        const auto name =
            velmora::PlanSimName(e.name.toStdU16String(), target.charset, target.ucs2Offered, target.limits);
        FUZZ_CHECK(name.name.ok() && !name.tooLong);
        FUZZ_CHECK(cut || !e.cut);
        FUZZ_CHECK(velmora::CheckSimNumber(e.number.toStdString(), target.limits).ok());
    }
    FUZZ_CHECK(plan.entries.size() <= target.freePlaces.size());
    return 0;
}
