// The phone book a program may write: at+cpbr=? describes it, at+cpbw=
// writes and deletes, at+cscs names and changes the character set names go
// in. It lives as long as the run; the --phonebook file is only its start.

#include "SimulatedPhone.h"

#include "Strings.h"

#include <algorithm>
#include <charconv>

namespace velmora::phonesim {

namespace {

// CME errors of 3GPP TS 27.007 9.2.
constexpr const char* kNotSupported = "+CME ERROR: 4";
constexpr const char* kMemoryFull = "+CME ERROR: 20";
constexpr const char* kInvalidIndex = "+CME ERROR: 21";
constexpr const char* kTextTooLong = "+CME ERROR: 24";
constexpr const char* kInvalidText = "+CME ERROR: 25";
constexpr const char* kDialTooLong = "+CME ERROR: 26";
constexpr const char* kInvalidDial = "+CME ERROR: 27";

struct Field {
    std::string text;
    bool quoted = false;
};

// At commas outside quotes, blanks around each field dropped.
std::vector<Field> Fields(const std::string& text) {
    std::vector<Field> fields(1);
    bool inQuotes = false;
    for (char c : text) {
        if (c == '"') {
            inQuotes = !inQuotes;
            fields.back().quoted = true;
        } else if (c == ',' && !inQuotes) {
            fields.emplace_back();
        } else if (inQuotes || (c != ' ' && c != '\t')) {
            fields.back().text += c;
        }
    }
    return fields;
}

bool ToInt(const std::string& s, int& value) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return !s.empty() && ec == std::errc() && end == s.data() + s.size();
}

bool SameSet(const std::string& a, const std::string& b) { return Upper(a) == Upper(b); }

// A UCS2 name's hex as the octets the phone book keeps and reads back in the
// other sets: a character past Latin-1 reads as "?". None when it is no
// UCS2 hex.
std::optional<std::string> FromUcs2(const std::string& hex) {
    if (hex.size() % 4 != 0 || hex.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
        return std::nullopt;
    std::string octets;
    for (std::size_t at = 0; at < hex.size(); at += 4) {
        const unsigned long unit = std::stoul(hex.substr(at, 4), nullptr, 16);
        octets += unit <= 0xFF ? static_cast<char>(unit) : '?';
    }
    return octets;
}

} // namespace

bool SimulatedPhone::PhonebookCommand(const std::string& cmd, const std::string& line,
                                      std::vector<Output>& out) {
    if (cmd == "at+cpbr=?") {
        AnswerLines({"+CPBR: (1-" + std::to_string(m_opt.phonebookSize) + ")," +
                     std::to_string(m_opt.numberLength) + "," + std::to_string(m_opt.nameLength)},
                    "OK", out);
    } else if (cmd == "at+cscs?") {
        AnswerLines({"+CSCS: \"" + m_charset + "\""}, "OK", out);
    } else if (cmd == "at+cscs=?") {
        std::string list;
        for (const std::string& set : m_opt.charsets)
            list += (list.empty() ? "\"" : ",\"") + set + "\"";
        AnswerLines({"+CSCS: (" + list + ")"}, "OK", out);
    } else if (cmd.rfind("at+cscs=", 0) == 0) {
        const std::vector<Field> fields = Fields(line.substr(8));
        const auto taken = std::find_if(m_opt.charsets.begin(), m_opt.charsets.end(),
                                        [&](const std::string& set) { return SameSet(set, fields[0].text); });
        if (fields.size() != 1 || taken == m_opt.charsets.end()) {
            Answer(kNotSupported, out);
        } else {
            m_charset = *taken;
            Answer("OK", out);
        }
    } else if (cmd.rfind("at+cpbw=", 0) == 0) {
        WritePhonebook(line.substr(8), out);
    } else {
        return false;
    }
    return true;
}

void SimulatedPhone::WritePhonebook(const std::string& args, std::vector<Output>& out) {
    const std::vector<Field> fields = Fields(args);
    auto& book = m_opt.phonebook;
    int index = 0;
    if (!fields[0].text.empty() &&
        (!ToInt(fields[0].text, index) || index < 1 || index > m_opt.phonebookSize)) {
        Answer(kInvalidIndex, out);
        return;
    }
    const auto at = [&](int i) {
        return std::find_if(book.begin(), book.end(), [i](const PhonebookEntry& e) { return e.index == i; });
    };
    // "at+cpbw=5": the place is emptied, whether it held anything or not.
    if (fields.size() == 1) {
        if (index == 0) {
            Answer(kInvalidIndex, out);
            return;
        }
        if (const auto found = at(index); found != book.end())
            book.erase(found);
        Answer("OK", out);
        return;
    }
    const std::string& number = fields[1].text;
    const std::string digits = !number.empty() && number[0] == '+' ? number.substr(1) : number;
    if (digits.empty() || digits.find_first_not_of("0123456789*#") != std::string::npos) {
        Answer(kInvalidDial, out);
        return;
    }
    if (static_cast<int>(digits.size()) > m_opt.numberLength) {
        Answer(kDialTooLong, out);
        return;
    }
    int type = 0;
    if (fields.size() > 2 && !fields[2].text.empty() &&
        (!ToInt(fields[2].text, type) || type < 128 || type > 255)) {
        Answer("ERROR", out);
        return;
    }
    std::string name = fields.size() > 3 ? fields[3].text : "";
    const bool ucs2 = SameSet(m_charset, "UCS2");
    if (ucs2) {
        const auto octets = FromUcs2(name);
        if (!octets) {
            Answer(kInvalidText, out);
            return;
        }
        // One octet says UCS2, two carry each character.
        if (1 + 2 * static_cast<int>(octets->size()) > m_opt.nameLength) {
            Answer(kTextTooLong, out);
            return;
        }
        name = *octets;
    } else if (static_cast<int>(name.size()) > m_opt.nameLength) {
        Answer(kTextTooLong, out);
        return;
    }
    if (index == 0) {
        // No index: the first free place.
        for (int i = 1; i <= m_opt.phonebookSize && index == 0; ++i)
            if (at(i) == book.end())
                index = i;
        if (index == 0) {
            Answer(kMemoryFull, out);
            return;
        }
    }
    if (const auto found = at(index); found != book.end())
        book.erase(found);
    book.push_back(PhonebookEntry{index, number, name});
    std::sort(book.begin(), book.end(),
              [](const PhonebookEntry& a, const PhonebookEntry& b) { return a.index < b.index; });
    Answer("OK", out);
}

} // namespace velmora::phonesim
