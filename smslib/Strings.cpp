#include "Strings.h"

#include <algorithm>

namespace velmora {

std::u16string Utf8ToUtf16(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    while (i < s.size()) {
        const unsigned char b = byte(i);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        std::size_t need = 0;
        char32_t min = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            need = 1, cp = b & 0x1F, min = 0x80;
        } else if ((b & 0xF0) == 0xE0) {
            need = 2, cp = b & 0x0F, min = 0x800;
        } else if ((b & 0xF8) == 0xF0) {
            need = 3, cp = b & 0x07, min = 0x10000;
        }
        if (need > 0) {
            bool good = true;
            for (std::size_t k = 1; good && k <= need; ++k) {
                if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80)
                    good = false;
                else
                    cp = (cp << 6) | (byte(i + k) & 0x3F);
            }
            if (good && cp >= min && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF))
                len = need + 1;
            else
                cp = 0xFFFD;
        } else if (b >= 0x80) {
            cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += len;
    }
    return out;
}

std::string CodePointToUtf8(char32_t cp) {
    std::string out;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        }
        out += CodePointToUtf8(cp);
    }
    return out;
}

bool IsUtf8(std::string_view bytes) { return Utf16ToUtf8(Utf8ToUtf16(bytes)) == bytes; }

std::u16string Latin1ToUtf16(std::string_view latin1) {
    std::u16string out;
    for (unsigned char c : latin1)
        out += static_cast<char16_t>(c);
    return out;
}

std::string Utf8ToLatin1(std::string_view utf8, char replacement) {
    std::string out;
    const std::u16string units = Utf8ToUtf16(utf8);
    for (std::size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size())
            ++i; // one character outside the BMP, one replacement
        out += u <= 0xFF ? static_cast<char>(u) : replacement;
    }
    return out;
}

std::string Upper(std::string_view text) {
    std::string u(text);
    for (char& c : u)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return u;
}

std::string StripAll(std::string_view text, std::string_view what) {
    if (what.empty())
        return std::string(text);
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, what.size()) == what) {
            i += what.size();
        } else {
            out += text[i++];
        }
    }
    return out;
}

std::string PadLeft(std::string_view text, std::size_t width, char fill) {
    std::string out(text);
    if (out.size() < width)
        out.insert(0, width - out.size(), fill);
    return out;
}

std::string PadRight(std::string_view text, std::size_t width, char fill) {
    std::string out(text);
    if (out.size() < width)
        out.append(width - out.size(), fill);
    return out;
}

std::string NormaliseDestination(std::string_view typed, std::string_view countryCode) {
    std::string n;
    n.reserve(typed.size());
    bool digits = false;
    for (char c : typed) {
        // "-" and "." part digits; before any they are no layout ("-5" is
        // no number).
        if (c == ' ' || c == '\t' || c == '(' || c == ')' || c == '+' || ((c == '-' || c == '.') && digits))
            continue;
        digits = digits || (c >= '0' && c <= '9');
        n += c;
    }
    if (n.size() > 2 && n[0] == '0' && n[1] == '0')
        n.erase(0, 2);
    return WithCountryCode(n, countryCode);
}

bool IsCountryCode(std::string_view code) {
    return !code.empty() && code.size() <= 3 &&
           std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WithCountryCode(std::string_view number, std::string_view countryCode) {
    std::string n(number);
    // "00" alone is no prefix of anything: it stays a national number.
    const bool international = n.size() > 2 && n[0] == '0' && n[1] == '0';
    if (!n.empty() && n[0] == '0' && !international)
        n.replace(0, 1, countryCode);
    return n;
}

bool IsValidDestination(std::string_view number) {
    if (number.empty() || number.size() > 20)
        return false;
    for (char c : number)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace velmora
