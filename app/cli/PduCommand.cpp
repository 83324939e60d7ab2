#include "Cli.h"

#include "ArgList.h"
#include "SMSLibU.h"

#include <cctype>
#include <ostream>

namespace velmora::cli {

namespace {

Failure Usage(const std::string& why) { return {kExitUsage, why}; }
Failure Refused(const std::string& why) { return {kExitRefused, why}; }

bool AllDigits(const std::string& s, std::size_t length) {
    if (s.size() != length)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Every kind takes its number first and, for content kinds, its hex after it.
struct Positionals {
    std::string number;
    std::vector<std::string> rest;
};

std::variant<Positionals, Failure> Split(const ArgList& args, const std::string& kind, std::size_t count) {
    if (auto unknown = args.unknownOption())
        return Usage("pdu " + kind + ": unknown option " + *unknown);
    if (args.missingValue())
        return Usage("pdu " + kind + ": " + args.missingValueOf() + " needs a value");
    auto words = args.positional();
    if (words.size() != count)
        return Usage("pdu " + kind + ": expected " + std::to_string(count) + " argument" +
                     (count == 1 ? "" : "s") + ", got " + std::to_string(words.size()));
    auto number = ParseDestination(words[0]);
    if (auto* f = std::get_if<Failure>(&number))
        return *f;
    return Positionals{std::get<std::string>(number), {words.begin() + 1, words.end()}};
}

template <class T> std::variant<PduJob, Failure> Finish(const std::string& kind, const std::string& number,
                                                        const Result<T>& built) {
    if (!built)
        return Refused(built.error());
    PduJob job{kind, number, {}};
    if constexpr (std::is_same_v<T, std::string>)
        job.pdus.push_back(built.value());
    else
        job.pdus.assign(built.value().begin(), built.value().end());
    return job;
}

} // namespace

const char* PduUsage() {
    return "usage: velmora-cli pdu text [--flash] [--blink] NUMBER TEXT\n"
           "       velmora-cli pdu logo --mcc MCC --nc NC NUMBER (HEX | --file PATH)\n"
           "       velmora-cli pdu group NUMBER (HEX | --file PATH)\n"
           "       velmora-cli pdu picture NUMBER (HEX | --file PATH)   (the three parts, one per line)\n"
           "       velmora-cli pdu ringtone NUMBER (HEX | --file PATH)\n"
           "       velmora-cli pdu ems NUMBER TAGGED_TEXT\n"
           "       velmora-cli pdu ems NUMBER --picture BMP [TEXT]\n"
           "       velmora-cli pdu void NUMBER\n"
           "       velmora-cli pdu indicator --kind voicemail|fax|email (--active|--inactive) NUMBER\n"
           "\n"
           "NUMBER: \"+\" signs are dropped and a leading 0 becomes 62; then 1 to 20 digits.\n"
           "HEX: content as hex digits; case and white space do not matter.\n"
           "PATH: a file read as the tab reads it (BMP, NOL, NGG or content file; RTTTL text\n"
           "for a ringtone). --picture puts the EMS picture tag of a BMP in front of TEXT.\n"
           "TEXT and TAGGED_TEXT are UTF-8.\n";
}

std::variant<std::string, Failure> ParseDestination(const std::string& typed) {
    const std::string number = NormaliseDestination(typed);
    if (!IsValidDestination(number))
        return Refused("invalid destination number \"" + typed +
                       "\": it must be 1 to 20 digits (after \"+\" " +
                       "is dropped and a leading 0 becomes 62)");
    return number;
}

std::variant<std::string, Failure> ParseContentHex(const std::string& typed) {
    std::string hex;
    for (char c : typed) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isspace(u))
            continue;
        if (!std::isxdigit(u))
            return Refused(std::string("invalid content: '") + c + "' is not a hex digit");
        hex += static_cast<char>(std::toupper(u));
    }
    if (hex.empty())
        return Refused("invalid content: no hex digits");
    if (hex.size() % 2 != 0)
        return Refused("invalid content: an odd number of hex digits (" + std::to_string(hex.size()) + ")");
    return hex;
}

std::variant<PduJob, Failure> BuildPduJob(std::vector<std::string> words) {
    if (words.empty())
        return Usage("pdu: which kind of message?");
    const std::string kind = words.front();
    ArgList args({words.begin() + 1, words.end()});

    if (kind == "text") {
        const bool flash = args.takeFlag("--flash");
        const bool blink = args.takeFlag("--blink");
        auto split = Split(args, kind, 2);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        const auto& p = std::get<Positionals>(split);
        return Finish(kind, p.number, BuildTextPDU(p.number, Utf8ToUtf16(p.rest[0]), flash, blink));
    }
    if (kind == "logo" || kind == "group" || kind == "picture" || kind == "ringtone") {
        std::optional<std::string> mcc, nc;
        if (kind == "logo") {
            mcc = args.takeOption("--mcc");
            nc = args.takeOption("--nc");
        }
        const auto file = args.takeOption("--file");
        auto split = Split(args, kind, file ? 1 : 2);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        const auto& p = std::get<Positionals>(split);
        auto hex = file ? ContentFromFile(kind, *file) : ParseContentHex(p.rest[0]);
        if (auto* f = std::get_if<Failure>(&hex))
            return *f;
        const auto& content = std::get<std::string>(hex);
        if (kind == "group")
            return Finish(kind, p.number, BuildGroupGraphicPDU(p.number, content));
        if (kind == "picture")
            return Finish(kind, p.number, BuildPictureMessagePDUs(p.number, content));
        if (kind == "ringtone")
            return Finish(kind, p.number, BuildRingtonePDU(p.number, content));
        if (!mcc || !nc)
            return Usage("pdu logo: --mcc and --nc are required");
        if (!AllDigits(*mcc, 3))
            return Refused("invalid MCC \"" + *mcc + "\": it must be 3 digits");
        if (!AllDigits(*nc, 2))
            return Refused("invalid NC \"" + *nc + "\": it must be 2 digits");
        return Finish(kind, p.number, BuildOperatorLogoPDU(p.number, content, MakeNetworkCode(*mcc, *nc)));
    }
    if (kind == "ems") {
        const auto picture = args.takeOption("--picture");
        // With a picture the text after it is optional.
        auto split = Split(args, kind, picture && args.positional().size() == 1 ? 1 : 2);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        const auto& p = std::get<Positionals>(split);
        std::string tagged = p.rest.empty() ? "" : p.rest[0];
        if (picture) {
            auto tag = EmsPictureFromFile(*picture);
            if (auto* f = std::get_if<Failure>(&tag))
                return *f;
            tagged = std::get<std::string>(tag) + tagged;
        }
        return Finish(kind, p.number, BuildEMSPDU(p.number, Utf8ToUtf16(tagged)));
    }
    if (kind == "void") {
        auto split = Split(args, kind, 1);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        const auto& p = std::get<Positionals>(split);
        return Finish(kind, p.number, BuildVoidPDU(p.number));
    }
    if (kind == "indicator") {
        const auto which = args.takeOption("--kind");
        const bool active = args.takeFlag("--active");
        const bool inactive = args.takeFlag("--inactive");
        auto split = Split(args, kind, 1);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        if (!which)
            return Usage("pdu indicator: --kind voicemail|fax|email is required");
        if (active == inactive)
            return Usage("pdu indicator: give exactly one of --active and --inactive");
        int k = 0;
        if (*which == "voicemail")
            k = Voicemail;
        else if (*which == "fax")
            k = Fax;
        else if (*which == "email")
            k = Email;
        else
            return Usage("pdu indicator: --kind must be voicemail, fax or email, not \"" + *which + "\"");
        const auto& p = std::get<Positionals>(split);
        return Finish(kind, p.number, BuildIndicatorPDU(p.number, k, active, true));
    }
    return Usage("pdu: unknown kind \"" + kind + "\"");
}

int Report(const Failure& f, Io io, const char* usage) {
    io.err << "velmora-cli: " << f.message << '\n';
    if (f.code == kExitUsage && usage)
        io.err << usage;
    return f.code;
}

int RunPdu(std::vector<std::string> words, Io io) {
    if (!words.empty() && (words[0] == "--help" || words[0] == "-h")) {
        io.out << PduUsage();
        return kExitOk;
    }
    auto job = BuildPduJob(std::move(words));
    if (auto* f = std::get_if<Failure>(&job))
        return Report(*f, io, PduUsage());
    for (const auto& pdu : std::get<PduJob>(job).pdus)
        io.out << pdu << '\n';
    return kExitOk;
}

} // namespace velmora::cli
