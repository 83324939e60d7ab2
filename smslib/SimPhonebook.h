#pragma once

// Writing the SIM's phone book: what its places hold, how a name goes in
// the character set the phone speaks, and which numbers it takes. Pure; the
// session asks the phone and the front ends word the outcome.

#include <string>
#include <string_view>

namespace velmora {

// The SIM's phone book as the phone describes it (AT+CPBR=?).
struct SimBookLimits {
    int first = 1;
    int last = 0;
    int numberLength = 0; // the longest number in digits; 0: the phone did not say
    int nameLength = 0;   // the longest name in octets; 0: the phone did not say
    bool Holds(int index) const { return index >= first && index <= last; }
    bool operator==(const SimBookLimits&) const = default;
};

// The character sets Velmora writes names in (AT+CSCS); any other is taken
// as IRA, the one every phone must take.
enum class SimCharset { Gsm, Ira, Latin1, Ucs2 };
SimCharset CharsetNamed(std::string_view name);
// The name AT+CSCS gives the set: "GSM", "IRA", "8859-1", "UCS2".
const char* CharsetName(SimCharset charset);

// A name as it goes on the command line in `charset`: the GSM codes, ASCII
// or Latin-1 octets, or four hex digits a character in UCS2. `unholdable`
// lists, in order of first use, the characters the set cannot carry on a
// command line (a double quote or a control character never can).
struct SimName {
    std::string bytes;
    std::u32string unholdable;
    bool ok() const { return unholdable.empty(); }
};
SimName EncodeSimName(std::u16string_view name, SimCharset charset);

// The characters a name may have in `charset`: the phone's length in octets,
// or in UCS2 one octet for the coding and two a character. 0 when the phone
// gave no length.
int NameCapacity(const SimBookLimits& limits, SimCharset charset);

// How a name is written: in the phone's own set when it holds it, else in
// UCS2 when the phone takes that, else not at all (`name.unholdable` says
// which characters stop it). `tooLong` when it has more characters than the
// set chosen holds.
struct NamePlan {
    SimCharset charset = SimCharset::Ira;
    SimName name;
    int capacity = 0; // NameCapacity of the set chosen
    bool tooLong = false;
};
NamePlan PlanSimName(std::u16string_view name, SimCharset current, bool ucs2Offered,
                     const SimBookLimits& limits);

// The name cut to `capacity` characters, trailing blanks dropped; as it is
// when it fits or the capacity is 0.
std::u16string CutName(std::u16string_view name, int capacity);

// A number for the SIM: kept as typed, with its "+", only the blanks and
// "-", "(", ")", "." and "/" people write between digits taken out; checked
// as a destination is (1 to 20 digits once "+" is dropped and a leading 0
// stands for 62) and against the SIM's length. Type 145 with "+", else 129.
enum class SimNumberProblem { None, Empty, NotANumber, TooLong };
struct SimNumber {
    std::string number;
    int type = 129;
    SimNumberProblem problem = SimNumberProblem::None;
    bool ok() const { return problem == SimNumberProblem::None; }
};
SimNumber CheckSimNumber(std::string_view typed, const SimBookLimits& limits);

} // namespace velmora

namespace velmora {

// Why an entry was not written or deleted; the front ends word it.
enum class SimBookProblem {
    None,
    NeedsFast,      // the classic dialogue does not write
    NotConnected,   // no phone, or the link went while writing
    NoBook,         // the phone did not describe its phone book (AT+CPBR=?)
    IndexOutside,   // `index` is not one of the book's places (`limits`)
    PlaceFilled,    // `index` holds `detail` (its name), and overwriting was not agreed
    PlaceEmpty,     // nothing to delete at `index`
    NumberEmpty,    // no number given
    NotANumber,     // `detail` is not a number for the SIM
    NumberTooLong,  // `detail` has more than `limits.numberLength` digits
    NameUnholdable, // `detail` lists the characters (UTF-8) the phone cannot take
    NameTooLong,    // more than `capacity` characters in the set it would go in
    CharsetRefused, // the phone would not switch to UCS2 for the name
    PhoneRefused,   // the phone's answer to the write or delete is `detail`
};

struct SimBookOutcome {
    SimBookProblem problem = SimBookProblem::None;
    int index = 0;
    std::string detail;
    int capacity = 0;
    SimBookLimits limits;
    bool ok() const { return problem == SimBookProblem::None; }
};

// An entry ready for AT+CPBW, or why it cannot be written: the place, the
// number and the name checked in that order against the book's limits and
// the sets the phone takes.
struct SimEntry {
    int index = 0;
    std::string number; // as typed
    std::u16string name;
};
struct PreparedEntry {
    SimBookOutcome outcome;
    SimNumber number;
    NamePlan name;
};
PreparedEntry PrepareSimEntry(const SimEntry& entry, const SimBookLimits& limits, SimCharset current,
                              bool ucs2Offered);

} // namespace velmora
