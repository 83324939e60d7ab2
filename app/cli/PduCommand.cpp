#include "Cli.h"

#include "ConcatReference.h"
#include "CountryCode.h"
#include "Options.h"
#include "SMSLibU.h"
#include "Said.h"
#include "Translations.h"

#include <QString>
#include <iostream>
#include <ostream>
#include <unistd.h>

namespace velmora::cli {

namespace {

Failure Usage(const std::string& why) { return {kExitUsage, why}; }
Failure Refused(const std::string& why) { return {kExitRefused, why}; }

// Every kind takes its number first and, for content kinds, its hex after it.
struct Positionals {
    std::string number; // as typed
    std::vector<std::string> rest;
};

// The usage first, then the destination, as every kind refuses them.
std::variant<Positionals, Failure> Split(const CommandLine& args, const std::string& kind,
                                         std::size_t count) {
    if (const GivenWord* unknown = args.first(GivenWord::Unknown))
        return Usage(Fill(translate("pdu", "pdu %1: unknown option %2"), {kind, unknown->word}));
    if (const GivenWord* missing = args.first(GivenWord::MissingValue))
        return Usage(Fill(translate("pdu", "pdu %1: %2 needs a value"), {kind, missing->option}));
    auto words = args.positional();
    if (words.size() != count)
        return Failure{kExitUsage,
                       Fill(count == 1 ? translate("pdu", "pdu %1: expected %2 argument, got %3")
                                       : translate("pdu", "pdu %1: expected %2 arguments, got %3"),
                            {kind, std::to_string(count), std::to_string(words.size())}),
                       true};
    if (const auto number = CheckDestination(words[0], HomeCountryCode().toStdString()); !number)
        return Refused(number.error());
    return Positionals{words[0], {words.begin() + 1, words.end()}};
}

std::variant<PduJob, Failure> Finish(const std::string& kind, const MessageRequest& request) {
    auto built = BuildMessage(request);
    if (!built)
        return Refused(built.error().text);
    return PduJob{kind, std::move(built.value().number), std::move(built.value().pdus), request};
}

// A tune from its RTTTL file: whole, or with `cut` its first notes that fit
// one message. Refused as too long, it says how many notes would fit.
std::variant<PduJob, Failure> RingtoneFromFile(MessageRequest request, const std::string& path, bool cut) {
    auto tune = ReadRingtoneFile(path);
    if (!tune)
        return Refused(tune.error());
    const RingtoneFit fit = FitRingtone(tune->rtttl);
    request.content = cut ? fit.content : tune->content;
    auto job = Finish("ringtone", request);
    if (auto* f = std::get_if<Failure>(&job); f && fit.fitting < fit.notes)
        f->message += Fill(
            translate("pdu", "; the first %1 of the tune's %2 notes fit one message (--cut sends those)"),
            {std::to_string(fit.fitting), std::to_string(fit.notes)});
    return job;
}

// The options each kind takes.
std::vector<KnownOption> KindOptions(MessageKind kind) {
    switch (kind) {
    case MessageKind::Text:
        return {{"--flash"}, {"--blink"}, {"--long"}, {"--unicode"}};
    case MessageKind::Logo:
        return {{"--mcc", true}, {"--nc", true}, {"--file", true}};
    case MessageKind::Group:
    case MessageKind::Picture:
        return {{"--file", true}};
    case MessageKind::Ringtone:
        return {{"--cut"}, {"--file", true}};
    case MessageKind::Ems:
        return {{"--picture", true}};
    case MessageKind::Indicator:
        return {{"--kind", true}, {"--active"}, {"--inactive"}};
    case MessageKind::Void:
        break;
    }
    return {};
}

} // namespace

std::string PduUsage() {
    return translate(
        "pdu", "usage: velmora-cli pdu text [--flash] [--blink] [--long] [--unicode] NUMBER TEXT\n"
               "       velmora-cli pdu logo --mcc MCC --nc NC NUMBER (HEX | --file PATH)\n"
               "       velmora-cli pdu group NUMBER (HEX | --file PATH)\n"
               "       velmora-cli pdu picture NUMBER (HEX | --file PATH)   (the three parts, one per line)\n"
               "       velmora-cli pdu ringtone NUMBER (HEX | --file PATH [--cut])\n"
               "       velmora-cli pdu ems NUMBER TAGGED_TEXT\n"
               "       velmora-cli pdu ems NUMBER --picture BMP [TEXT]\n"
               "       velmora-cli pdu void NUMBER\n"
               "       velmora-cli pdu indicator --kind voicemail|fax|email (--active|--inactive) NUMBER\n"
               "\n"
               "NUMBER: \"+\" signs are dropped and a leading 0 becomes 62; then 1 to 20 digits.\n"
               "HEX: content as hex digits; case and white space do not matter.\n"
               "PATH: a file read as the tab reads it (BMP, NOL, NGG or content file; RTTTL text\n"
               "for a ringtone). --picture puts the EMS picture tag of a BMP in front of TEXT.\n"
               "--cut (ringtone from a file): a tune too long for one message is cut after the\n"
               "last note that fits; without it such a tune is refused.\n"
               "--long (text): a text too long for one message goes as concatenated parts, one\n"
               "PDU per line (at most 255 parts of 153 GSM characters, or 67 UTF-16 units in\n"
               "Unicode). --unicode (text): the text goes as UCS2, which carries any character\n"
               "(70 UTF-16 units in one message). Both: GSM 7-bit when every character has a\n"
               "GSM form, else UCS2. A flash message is one UCS2 message and takes neither.\n"
               "TEXT and TAGGED_TEXT are UTF-8.\n");
}

std::variant<PduJob, Failure> BuildPduJob(std::vector<std::string> words) {
    if (words.empty())
        return Usage(translate("pdu", "pdu: which kind of message?"));
    const std::string kind = words.front();
    const auto messageKind = MessageKindFromName(kind);
    if (!messageKind)
        return Usage(Fill(translate("pdu", "pdu: unknown kind \"%1\""), {kind}));
    const CommandLine args({words.begin() + 1, words.end()}, KindOptions(*messageKind), kCommandWords);
    MessageRequest request;
    request.kind = *messageKind;
    request.countryCode = HomeCountryCode().toStdString();

    switch (*messageKind) {
    case MessageKind::Text: {
        request.flash = args.has("--flash");
        request.blink = args.has("--blink");
        request.longText = args.has("--long");
        request.unicode = args.has("--unicode");
        auto split = Split(args, kind, 2);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        if (request.flash && (request.longText || request.unicode))
            return Usage(translate("pdu",
                                   "pdu text: a flash message is one UCS2 message; --flash takes neither "
                                   "--long nor --unicode"));
        if (request.longText)
            request.concatReference = NextConcatReference();
        const auto& p = std::get<Positionals>(split);
        request.destination = p.number;
        request.text = Utf8ToUtf16(p.rest[0]);
        return Finish(kind, request);
    }
    case MessageKind::Logo:
    case MessageKind::Group:
    case MessageKind::Picture:
    case MessageKind::Ringtone: {
        const auto mcc = args.value("--mcc");
        const auto nc = args.value("--nc");
        const bool cut = args.has("--cut");
        const auto file = args.value("--file");
        auto split = Split(args, kind, file ? 1 : 2);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        // Hex content has no notes to cut between.
        if (cut && !file)
            return Usage(translate(
                "pdu", "pdu ringtone: --cut needs the tune as RTTTL text: give it with --file PATH"));
        const auto& p = std::get<Positionals>(split);
        request.destination = p.number;
        if (file && *messageKind == MessageKind::Ringtone)
            return RingtoneFromFile(request, *file, cut);
        if (file) {
            auto loaded = ContentFromFile(kind, *file);
            if (auto* f = std::get_if<Failure>(&loaded))
                return *f;
            request.content = std::get<std::string>(loaded);
        } else {
            request.content = p.rest[0];
        }
        if (*messageKind == MessageKind::Logo && (!mcc || !nc)) {
            // Bad content is refused before the missing options are named.
            if (const auto hex = ParseContentHex(request.content); !hex)
                return Refused(hex.error());
            return Usage(translate("pdu", "pdu logo: --mcc and --nc are required"));
        }
        request.mcc = mcc.value_or("");
        request.nc = nc.value_or("");
        return Finish(kind, request);
    }
    case MessageKind::Ems: {
        const auto picture = args.value("--picture");
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
        request.destination = p.number;
        request.text = Utf8ToUtf16(tagged);
        return Finish(kind, request);
    }
    case MessageKind::Void: {
        auto split = Split(args, kind, 1);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        request.destination = std::get<Positionals>(split).number;
        return Finish(kind, request);
    }
    case MessageKind::Indicator: {
        const auto which = args.value("--kind");
        const bool active = args.has("--active");
        const bool inactive = args.has("--inactive");
        auto split = Split(args, kind, 1);
        if (auto* f = std::get_if<Failure>(&split))
            return *f;
        if (!which)
            return Usage(translate("pdu", "pdu indicator: --kind voicemail|fax|email is required"));
        if (active == inactive)
            return Usage(translate("pdu", "pdu indicator: give exactly one of --active and --inactive"));
        if (*which == "voicemail")
            request.indicatorKind = Voicemail;
        else if (*which == "fax")
            request.indicatorKind = Fax;
        else if (*which == "email")
            request.indicatorKind = Email;
        else
            return Usage(
                Fill(translate("pdu", "pdu indicator: --kind must be voicemail, fax or email, not \"%1\""),
                     {*which}));
        request.destination = std::get<Positionals>(split).number;
        request.active = active;
        return Finish(kind, request);
    }
    }
    return Usage(Fill(translate("pdu", "pdu: unknown kind \"%1\""), {kind}));
}

int Report(const Failure& f, Io io, const std::string& usage) {
    // A sentence of smslib's is said in the user's language.
    io.err << "velmora-cli: " << LocalizedBytes(f.message) << '\n';
    if (f.code == kExitUsage)
        io.err << usage;
    return f.code;
}

bool AgreedOnTerminal(bool yes, const std::string& question, const std::string& notDone, Io io) {
    if (yes)
        return true;
    if (::isatty(STDIN_FILENO) != 1) {
        io.err << "velmora-cli: " << question << '\n' << "velmora-cli: " << notDone << '\n';
        return false;
    }
    io.err << question << ' ' << translate("cli", "[y/N]") << ' ' << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    const QString a = QString::fromStdString(answer).trimmed().toLower();
    return a == "y" || a == "yes" || a == QString::fromStdString(translate("cli", "y")) ||
           a == QString::fromStdString(translate("cli", "yes"));
}

int RunPdu(std::vector<std::string> words, Io io) {
    if (IsHelp(words)) {
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
