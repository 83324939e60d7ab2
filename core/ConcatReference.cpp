#include "ConcatReference.h"

#include <map>
#include <mutex>
#include <random>

namespace velmora {

ConcatReferences::ConcatReferences() : m_next(std::random_device{}() % 256) {}

int ConcatReferences::Next() {
    const auto reference = static_cast<int>(m_next);
    m_next = (m_next + 1) % 256;
    return reference;
}

int NextConcatReference(const std::string& modem) {
    static std::mutex lock;
    static std::map<std::string, ConcatReferences> references;
    const std::lock_guard<std::mutex> held(lock);
    return references[modem].Next();
}

} // namespace velmora
