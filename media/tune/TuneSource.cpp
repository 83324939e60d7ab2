#include "TuneSource.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace velmora {

TuneSource::TuneSource(ReadTune tune, QObject* parent) : QIODevice(parent), m_stream(std::move(tune)) {}

qint64 TuneSource::size() const { return static_cast<qint64>(m_stream.total() * sizeof(std::int16_t)); }

qint64 TuneSource::bytesAvailable() const {
    const auto left = static_cast<qint64>((m_stream.total() - m_stream.position()) * sizeof(std::int16_t));
    return left + QIODevice::bytesAvailable();
}

// Whole samples only: a reader asking for an odd count gets one byte less.
qint64 TuneSource::readData(char* data, qint64 most) {
    const auto samples = static_cast<std::size_t>(most) / sizeof(std::int16_t);
    if (samples == 0)
        return 0;
    std::vector<std::int16_t> piece(samples);
    const std::size_t given = m_stream.Read(piece.data(), samples);
    std::memcpy(data, piece.data(), given * sizeof(std::int16_t));
    return static_cast<qint64>(given * sizeof(std::int16_t));
}

} // namespace velmora
