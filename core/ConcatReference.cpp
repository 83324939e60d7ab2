#include "ConcatReference.h"

#include <random>

namespace velmora {

ConcatReferences::ConcatReferences() : m_next(std::random_device{}() % 256) {}

int ConcatReferences::Next() {
    const auto reference = static_cast<int>(m_next);
    m_next = (m_next + 1) % 256;
    return reference;
}

int NextConcatReference() {
    static ConcatReferences references;
    return references.Next();
}

} // namespace velmora
