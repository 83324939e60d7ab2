#pragma once

// What the programs say to a person, in the user's language, for the parts
// that hand their texts on as std::string (the command line, the link's
// events). The texts are the English ones until a catalog is installed
// (Translations.h), so English output stays byte for byte what it was.

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

// `text` with %1..%9 replaced by `args` in one pass. A value that holds
// "%2" stays as it is, and a value's bytes go in unchanged: what the phone
// sends is Latin-1, which QString::arg would turn into replacement signs.
inline std::string Fill(const std::string& text, std::initializer_list<std::string> args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace velmora
