#pragma once

// The country code this program dials national numbers ("0812...") with:
// the settings' [Messages] CountryCode=, set once by a program as it starts
// (the window, velmora-cli) and read wherever the service and the store
// read a number, so a number is sent to, kept under and looked up by the
// same digits. smslib's NormaliseDestination applies it.

#include <QString>

namespace velmora {

// "62" until a program sets another.
QString HomeCountryCode();
// Ignored unless `code` is one (IsCountryCode): the settings said so
// already, and kept the default.
void SetHomeCountryCode(const QString& code);

} // namespace velmora
