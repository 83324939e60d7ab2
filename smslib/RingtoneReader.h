#pragma once

// Reading a received ringtone back: the Smart Messaging content a port-5505
// message carries after its port header, as phones send it, and an RTTTL
// line that EncodeRingtone turns into the same stream again. Pure; what it
// cannot read is refused naming the octet and the field, never guessed.

#include "Result.h"

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct TuneNote {
    int note = 0;      // the 4-bit note code as the stream gives it (0 pause, 1 C, 2 C#, ... 12 B)
    int duration = 0;  // 3-bit code: 0 whole ... 5 thirty-second
    int octave = 0;    // the 2-bit scale code in force: 0 for RTTTL octave 4 ... 3 for 7
    int specifier = 0; // 2-bit: 0 none, 1 dotted, 2 double dotted, 3 2/3 length
    bool operator==(const TuneNote&) const = default;
};

struct ReadTune {
    std::string title; // ISO-8859-1 octets as in the stream
    // Tempo, style and volume are the ones in force at the first note (when
    // a tune sets one only after it, the first value it sets).
    int tempo = 63; // beats per minute, from kRingtoneTempos
    int style = 0;  // 0 natural, 1 continuous, 2 staccato
    int volume = 7;
    int loops = 0;               // the first pattern's loop count as given
    std::vector<TuneNote> notes; // every pattern's, in stream order
    std::string rtttl;           // "title:d=D,o=O,b=B:notes"
};

// `contentHex`: the command-part count, the commands and the command end.
// Octets after the command end are ignored.
Result<ReadTune> ReadRingtone(std::string_view contentHex);

} // namespace velmora
