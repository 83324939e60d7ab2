#pragma once

// What the programs say to a person, in the user's language, for the parts
// that hand their texts on as std::string (the command line, the link's
// events). Fill (Words.h) puts in what a text names, in one pass: a value
// that holds "%2" stays as it is, and a value's bytes go in unchanged (what
// the phone sends is Latin-1, which QString::arg would turn into
// replacement signs). The texts are the English ones until a catalog is installed
// (Translations.h), so English output stays byte for byte what it was.

#include "Words.h"

#include <QCoreApplication>

#include <initializer_list>
#include <string>

namespace velmora {

// QCoreApplication::translate as UTF-8. Named as Qt's own, so that lupdate
// (tools/update-translations.sh) takes in the texts given to it.
inline std::string translate(const char* context, const char* source, const char* disambiguation = nullptr,
                             int n = -1) {
    return QCoreApplication::translate(context, source, disambiguation, n).toStdString();
}

} // namespace velmora
