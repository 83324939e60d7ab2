#pragma once

#include <optional>
#include <string_view>

namespace velmora {

// Every kind of message the programs send; the content files and readers go
// by it too (a logo file, a picture message's picture).
enum class MessageKind { Text, Logo, Group, Picture, Ringtone, Ems, Void, Indicator };

// "text", "logo", "group", "picture", "ringtone", "ems", "void", "indicator".
std::optional<MessageKind> MessageKindFromName(std::string_view name);
const char* MessageKindName(MessageKind kind);

} // namespace velmora
