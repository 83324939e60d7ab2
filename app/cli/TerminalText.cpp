#include "TerminalText.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace velmora::cli {

namespace {

bool Between(unsigned char c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; }

// The length of the well-formed UTF-8 sequence of two or more bytes at the
// start of `s` (RFC 3629: no overlong forms, no surrogates, nothing above
// U+10FFFF), or 0.
std::size_t Utf8Length(std::string_view s) {
    const auto at = [&](std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; };
    const unsigned char b0 = at(0);
    const auto cont = [&](std::size_t i) { return Between(at(i), 0x80, 0xBF); };
    if (Between(b0, 0xC2, 0xDF))
        return cont(1) ? 2 : 0;
    if (b0 == 0xE0)
        return Between(at(1), 0xA0, 0xBF) && cont(2) ? 3 : 0;
    if (Between(b0, 0xE1, 0xEC) || Between(b0, 0xEE, 0xEF))
        return cont(1) && cont(2) ? 3 : 0;
    if (b0 == 0xED)
        return Between(at(1), 0x80, 0x9F) && cont(2) ? 3 : 0;
    if (b0 == 0xF0)
        return Between(at(1), 0x90, 0xBF) && cont(2) && cont(3) ? 4 : 0;
    if (Between(b0, 0xF1, 0xF3))
        return cont(1) && cont(2) && cont(3) ? 4 : 0;
    if (b0 == 0xF4)
        return Between(at(1), 0x80, 0x8F) && cont(2) && cont(3) ? 4 : 0;
    return 0;
}

void Hex(std::string& out, unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
}

} // namespace

std::string EscapeForTerminal(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\\') {
            out += "\\\\";
            ++i;
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
        } else if (const std::size_t n = Utf8Length(bytes.substr(i)); n > 0) {
            // U+0080..U+009F, encoded C2 80..C2 9F, are controls too.
            const bool c1 = c == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) <= 0x9F;
            for (std::size_t k = 0; k < n; ++k) {
                if (c1)
                    Hex(out, static_cast<unsigned char>(bytes[i + k]));
                else
                    out += bytes[i + k];
            }
            i += n;
        } else {
            Hex(out, c);
            ++i;
        }
    }
    return out;
}

std::optional<std::string> ReadSecretFromTerminal(const std::string& prompt) {
    const int fd = ::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    termios before{};
    const bool canHide = ::tcgetattr(fd, &before) == 0;
    if (canHide) {
        termios hidden = before;
        hidden.c_lflag &= static_cast<tcflag_t>(~ECHO);
        hidden.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &hidden);
    }
    (void)!::write(fd, prompt.data(), prompt.size());
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n' && line.size() < 64)
        line += c;
    if (canHide)
        ::tcsetattr(fd, TCSAFLUSH, &before);
    ::close(fd);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty())
        return std::nullopt;
    return line;
}

} // namespace velmora::cli
