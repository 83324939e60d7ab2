#pragma once

// The reference that ties the parts of one long message together (3GPP
// TS 23.040 clause 9.2.3.24.1). A receiving phone joins parts by sender
// and reference, so two long messages sent one after the other must not
// share it, nor two runs started in the same second: the counter starts
// at a random value and moves on by one per message.

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

// The counter of this run, shared by the window and velmora-cli. Only the
// thread that builds messages calls it.
int NextConcatReference();

} // namespace velmora
