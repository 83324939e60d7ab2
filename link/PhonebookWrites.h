#pragma once

#include "ContactExport.h"
#include "SimPhonebook.h"

#include <QMetaType>

#include <string>
#include <vector>

namespace velmora {

// What the phone said of its phone book before a write: the places and
// lengths, the character set it speaks and those it takes, and every place
// that holds an entry (texts as the phone sent them).
struct PhonebookSurvey {
    SimBookOutcome outcome; // NeedsFast, NotConnected or NoBook when it could not be read
    SimBookLimits limits;
    std::string charset; // as the phone named it; "IRA" when it would not say
    std::vector<std::string> charsets;
    std::vector<PhonebookEntry> entries;
    bool ok() const { return outcome.ok(); }
    bool Ucs2Offered() const;
    SimCharset Current() const { return CharsetNamed(charset); }
    // The entry at `index`, or null when the place is free.
    const PhonebookEntry* At(int index) const;
    // The free places, lowest first.
    std::vector<int> FreePlaces() const;
};

} // namespace velmora

Q_DECLARE_METATYPE(velmora::PhonebookSurvey)
Q_DECLARE_METATYPE(velmora::SimBookOutcome)
Q_DECLARE_METATYPE(velmora::SimEntry)
