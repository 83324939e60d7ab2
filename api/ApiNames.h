#pragma once

// The names other programs find Velmora by on D-Bus, and the words its
// refusals carry there. They are part of what scripts rely on: changed,
// every caller breaks.

namespace velmora::api {

inline constexpr char kBusName[] = "org.velmora.Velmora1";
inline constexpr char kObjectPath[] = "/org/velmora/Velmora1";
inline constexpr char kMessagesInterface[] = "org.velmora.Velmora1.Messages";
// An error's name is this and the ApiError's code ("...Error.Refused").
inline constexpr char kErrorPrefix[] = "org.velmora.Velmora1.Error.";

} // namespace velmora::api
