#include "Primitives.h"

#include <stdexcept>

namespace velmora {

namespace {

constexpr char kDigits[] = "0123456789ABCDEF";

// Substring that tolerates a start or length past the end, as the packing
// steps read "shorter or empty where the text ends".
std::string_view Slice(std::string_view s, std::size_t start, std::size_t length) {
    if (start >= s.size())
        return {};
    return s.substr(start, length);
}

} // namespace

std::int64_t IntPower(std::int64_t base, int exponent) {
    std::int64_t result = 1;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

std::string ByteToHex(int value) {
    if (value < 0 || value > 255)
        throw std::out_of_range("ByteToHex: " + std::to_string(value) + " does not fit in one octet");
    return {kDigits[value / 16], kDigits[value % 16]};
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool IsHexDigit(char c) { return HexValue(c) >= 0 && !(c >= 'a' && c <= 'f'); }

bool IsHexText(std::string_view s) {
    for (char c : s)
        if (!IsHexDigit(c))
            return false;
    return true;
}

std::string HexToBits(std::string_view hex) {
    std::string bits;
    bits.reserve(hex.size() * 4);
    for (char c : hex) {
        if (!IsHexDigit(c))
            continue;
        const int v = HexValue(c);
        for (int b = 3; b >= 0; --b)
            bits += ((v >> b) & 1) ? '1' : '0';
    }
    return bits;
}

std::uint64_t BitsToInt(std::string_view bits) {
    std::uint64_t value = 0;
    for (char c : bits)
        value = (value << 1) | (c == '1' ? 1u : 0u);
    return value;
}

std::uint64_t HexToInt(std::string_view hex) { return BitsToInt(HexToBits(hex)); }

std::string IntToBits(std::uint64_t value, int width) {
    std::string bits(static_cast<std::size_t>(width > 0 ? width : 0), '0');
    for (int i = 0; i < width && i < 64; ++i)
        if ((value >> i) & 1u)
            bits[static_cast<std::size_t>(width - 1 - i)] = '1';
    return bits;
}

std::string BitsToHex(std::string_view bits) {
    std::string hex;
    const std::size_t octets = bits.size() / 8;
    hex.reserve(octets * 2);
    for (std::size_t k = 0; k < octets; ++k)
        hex += ByteToHex(static_cast<int>(BitsToInt(bits.substr(k * 8, 8))));
    return hex;
}

std::string BitsToHexPadded(std::string_view bits) {
    std::string padded((8 - bits.size() % 8) % 8, '0');
    padded += bits;
    std::string hex;
    hex.reserve(padded.size() / 4);
    for (std::size_t i = 0; i < padded.size(); i += 4)
        hex += kDigits[BitsToInt(std::string_view(padded).substr(i, 4))];
    return hex;
}

std::string CharToBits(unsigned char code, bool sevenBit) {
    std::string bits = IntToBits(code, 8);
    if (sevenBit && bits[0] == '0')
        bits.erase(0, 1);
    return bits;
}

std::string TextToBits(std::string_view codes, bool sevenBit) {
    std::string bits;
    bits.reserve(codes.size() * 8);
    for (char c : codes)
        bits += CharToBits(static_cast<unsigned char>(c), sevenBit);
    return bits;
}

std::string InvertBits(std::string_view bits) {
    std::string out(bits.size(), '1');
    for (std::size_t i = 0; i < bits.size(); ++i)
        if (bits[i] == '1')
            out[i] = '0';
    return out;
}

std::string PackSeptets(std::string_view bits) {
    const std::string text = std::string(bits) + "00000000";
    const std::string_view t(text);
    std::string out;
    out.reserve(text.size());
    int width = 7;
    for (std::size_t q = 1; q <= text.size() / 7; ++q) {
        const auto w = static_cast<std::size_t>(width);
        if (w > 0) {
            out += Slice(t, 7 * q + w - 1, 8 - w); // low part: bits of the next septet
            out += Slice(t, 7 * q - 7, w);         // high part: what is left of this one
        }
        width = width == 0 ? 7 : width - 1;
    }
    out.resize(out.size() - out.size() % 8);
    return out;
}

std::string UnpackSeptets(std::string_view hex, std::size_t count) {
    std::string octets;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        octets += static_cast<char>(HexToInt(hex.substr(i, 2)));
    std::string codes;
    for (std::size_t s = 0; s < count; ++s) {
        const std::size_t bit = s * 7;
        const std::size_t byte = bit / 8;
        const unsigned shift = bit % 8;
        if (byte >= octets.size())
            break;
        unsigned v = static_cast<unsigned char>(octets[byte]) >> shift;
        if (shift > 1 && byte + 1 < octets.size())
            v |= static_cast<unsigned>(static_cast<unsigned char>(octets[byte + 1])) << (8 - shift);
        codes += static_cast<char>(v & 0x7F);
    }
    return codes;
}

std::string SwapSemiOctets(std::string_view number) {
    std::string n(number);
    if (n.size() % 2 != 0)
        n += 'F';
    for (std::size_t i = 0; i < n.size(); i += 2)
        std::swap(n[i], n[i + 1]);
    return n;
}

std::string UnswapSemiOctets(std::string_view semiOctets) {
    std::string n = SwapSemiOctets(semiOctets);
    if (!n.empty() && n.back() == 'F')
        n.pop_back();
    return n;
}

std::optional<std::string> AddressDigits(std::string_view semiOctets, std::size_t count) {
    std::string out;
    // Whole octets only; in each, the second hex digit is the first semi-octet.
    for (std::size_t i = 0; (i | 1) < semiOctets.size() && i < count; ++i) {
        const int v = HexValue(semiOctets[i ^ 1]);
        if (v < 0)
            return std::nullopt;
        if (v < 15)
            out += "0123456789*#abc"[v];
    }
    return out;
}

std::string HexToUCS2(std::string_view hex) {
    std::string out;
    out.reserve(hex.size() * 2);
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        out += "00";
        out += hex.substr(i, 2);
    }
    return out;
}

} // namespace velmora
