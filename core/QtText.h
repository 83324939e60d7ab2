#pragma once

// Texts between Qt and the standard library, in the two ways the programs
// hand them over: their own texts (messages, paths) are UTF-8; what the phone
// sends is kept byte for byte as Latin-1, so no byte is lost or turned into
// a replacement sign.

#include <QString>

#include <string>

namespace velmora {

inline QString Q(const std::string& utf8) { return QString::fromStdString(utf8); }
inline std::string S(const QString& text) { return text.toStdString(); }

inline QString FromUtf16(const std::u16string& text) { return QString::fromStdU16String(text); }

inline QString FromPhone(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace velmora
