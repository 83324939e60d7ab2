#pragma once

// The reference that ties the parts of one long message together (3GPP
// TS 23.040 clause 9.2.3.24.1). A receiving phone joins parts by sender
// and reference, so two long messages sent one after the other must not
// share it, nor two runs started in the same second: the counter starts
// at a random value and moves on by one per message.

#include <string>

namespace velmora {

class ConcatReferences {
public:
    ConcatReferences(); // from std::random_device
    explicit ConcatReferences(unsigned start) : m_next(start % 256) {}

    // This message's reference, 0..255; the next message gets the one after,
    // 255 followed by 0.
    int Next();

private:
    unsigned m_next;
};

// The counter of this run for the modem called `modem` ("" the program's one
// modem, or a message not yet given to one): the parts a recipient joins
// are those from one sender, so each modem counts on its own. Any thread
// may call it.
int NextConcatReference(const std::string& modem = {});

} // namespace velmora
