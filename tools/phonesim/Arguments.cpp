#include "Arguments.h"

#include "FileIo.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace velmora::phonesim {

namespace {

bool ToInt(const std::string& s, int& v, int min, int max) {
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty() && v >= min && v <= max;
}

// The simulated phone's files are small; a FIFO or device given by mistake
// is refused like everywhere else in the programs.
bool ReadFile(const std::string& path, std::string& text) {
    constexpr std::size_t kLimit = 16 << 20;
    const auto read = ReadFilePrefix(path, kLimit);
    if (!read || read->truncated)
        return false;
    text = read->bytes;
    return true;
}

bool ParseCsq(const std::string& v, CsqAnswer& a) {
    if (v == "error") {
        a.kind = CsqAnswer::Error;
        return true;
    }
    if (v == "none") {
        a.kind = CsqAnswer::None;
        return true;
    }
    const auto comma = v.find(',');
    if (comma == std::string::npos || comma == 0 || comma + 1 == v.size())
        return false;
    a.kind = CsqAnswer::Values;
    a.rssi = v.substr(0, comma);
    a.ber = v.substr(comma + 1);
    return true;
}

} // namespace

const char* HelpText() {
    return "usage: velmora-phonesim [OPTIONS]\n"
           "       velmora-phonesim --help | --version\n"
           "\n"
           "A simulated GSM phone on a pseudo-terminal. Prints the device path as the\n"
           "first line on stdout and answers AT commands on it until terminated.\n"
           "\n"
           "  --link PATH             also make PATH a symbolic link to the device\n"
           "  --manufacturer TEXT     answer to at+cgmi (default VELMORA)\n"
           "  --model TEXT            answer to at+cgmm (default \"PhoneSim 1\")\n"
           "  --revision TEXT         answer to at+cgmr (default 1.00)\n"
           "  --imsi TEXT             answer to at+cimi (default 510109876543210)\n"
           "  --operator TEXT         the network in the at+cops? answer (default VELMORA);\n"
           "                          an empty TEXT: registered nowhere\n"
           "  --imei TEXT             answer to at+cgsn (default 354812345678908); an empty\n"
           "                          TEXT answers ERROR, as a phone without one\n"
           "  --service-centre NUMBER number in the at+csca? answer (default +628159000000)\n"
           "  --siemens               a Siemens phone: manufacturer SIEMENS, model S45\n"
           "  --no-echo               do not echo commands (a phone already set to ate0)\n"
           "  --silent                answer nothing at all, not even the echo\n"
           "  --delay MS              a slow phone: wait MS before every answer\n"
           "  --chunk BYTES           send every answer in pieces of BYTES bytes ...\n"
           "  --chunk-delay MS        ... with MS between two pieces\n"
           "  --refuse-pdu-mode       answer ERROR to at+cmgf=0\n"
           "  --refuse-length TEXT    answer TEXT to at+cmgs= instead of the prompt, for\n"
           "                          example \"+CME ERROR: SIM PIN required\"\n"
           "  --pdu-answer WHAT       answer to a PDU: ok (+CMGS and OK, the default),\n"
           "                          error (ERROR), cms-error[:CAUSE] (+CMS ERROR, 500\n"
           "                          unless given), second-ctrlz (nothing until a second\n"
           "                          Ctrl-Z, then as ok), none (no answer); repeat the\n"
           "                          option to answer the PDUs in turn, the last repeating\n"
           "  --csq ANSWER            answer to at+csq: RSSI,BER (default 17,99), error or\n"
           "                          none; repeat the option to give the answers in turn,\n"
           "                          the last one then repeats\n"
           "  --phonebook FILE        SIM phone book for at+cpbr= (default empty)\n"
           "  --operators FILE        operator list for at+copn (default three of MCC 510)\n"
           "  --vanish-after N        answer N commands; when anything more arrives, drop\n"
           "                          the line as an unplugged cable does, and exit\n"
           "  --hang-after N          answer N commands, then nothing at all (the device\n"
           "                          stays and takes bytes), as a hung modem, until it is\n"
           "                          pulled and plugged back\n"
           "  --replug-link PATH      where SIGUSR2 links the device plugged back (default\n"
           "                          the --link PATH)\n"
           "  --record FILE           append every PDU received to FILE, one hex line each\n"
           "  --network-delay MS      the network takes MS to answer each PDU\n"
           "  --prompt-delay MS       wait MS before the \">\" that asks for a PDU\n"
           "  --urc                   mix unsolicited lines (+CREG, ^RSSI) into every answer\n"
           "  --report KIND           status report of a PDU that asks for one: delivered,\n"
           "                          failed or none (default); sent as +CDS after\n"
           "                          at+cnmi with ds=1, or stored and announced by +CDSI\n"
           "                          (read with at+cmgr=) after ds=2\n"
           "  --report-stored         refuse ds=1, so reports can only be stored\n"
           "  --report-delay MS       from the answer to the PDU to its report (default 300)\n"
           "  --pin CODE              the SIM asks for PIN CODE (at+cpin?, at+cpin=\"CODE\");\n"
           "                          three wrong ones and it asks for its PUK\n"
           "  --pin-state STYLE       how at+cpin? is answered: plain (+CPIN: SIM PIN and\n"
           "                          OK, the default), quoted (+CPIN: \"SIM PIN\" and OK)\n"
           "                          or no-ok (the state line alone, as Wavecom answers)\n"
           "  --announce LINE         once the SIM is open (after the PIN, else after the\n"
           "                          first ate0), LINE comes by itself in front of the\n"
           "                          next answer, as modems announce their SIM (Call\n"
           "                          Ready, +PACSP0...); repeat the option for one line in\n"
           "                          front of each answer in turn\n"
           "  --inbox FILE            the SIM's messages (\"SM\") from its first index, for\n"
           "                          at+cmgl=, at+cmgr= and at+cmgd=; the phone's own (\"ME\")\n"
           "                          are empty\n"
           "  --first-index N         the index of each store's first place: 1 (default),\n"
           "                          or 0 as many modems number them\n"
           "  --read-shape SHAPE      the header of the answer to at+cmgr=: standard\n"
           "                          (STAT,,LENGTH, the default), alpha (STAT,\"NAME\",LENGTH),\n"
           "                          index (INDEX,STAT,,LENGTH), length (LENGTH alone),\n"
           "                          empty-stat (,,LENGTH), two (STAT,LENGTH), text (a\n"
           "                          text-mode answer whatever at+cmgf= chose), stray-quote\n"
           "                          (standard, a '\"' ending the PDU line) or blank\n"
           "                          (standard, a blank between the header and the PDU)\n"
           "  --list-urc WHERE        ^RSSI:19 in the middle of each PDU at+cmgl= lists: line\n"
           "                          (a line of its own) or glued (to the first half)\n"
           "  --storages LINE         answer LINE, then OK, to at+cpms=? (default: SM and ME\n"
           "                          for each of the three)\n"
           "  --refuse-store NAME     answer ERROR to at+cpms=\"NAME\"; repeat for more\n"
           "  --deliver-after MS PDU  MS after the first ate0 the PDU arrives: stored at the\n"
           "                          SIM's first free index and, after at+cnmi with mt=1,\n"
           "                          announced as +CMTI; repeat the option for more\n"
           "  --ussd-packed           USSD through a stick that wants and answers packed\n"
           "                          GSM 7-bit hex; a text request gets +CME ERROR: 100\n"
           "  --ussd-garbles          with --ussd-packed, a text request is passed on as\n"
           "                          garbage instead: OK, then +CUSD: 4\n"
           "  --ussd-ucs2             USSD answers in UCS2 hex (DCS 72)\n"
           "  --ussd-delay MS         from the OK to the network's +CUSD line (default 300)\n"
           "  --ussd-record FILE      append every AT+CUSD command to FILE, as it came\n"
           "  --phonebook-size N      places in the SIM's phone book, 1 to N (default 250)\n"
           "  --number-length N       the longest number at+cpbw= takes, in digits (default\n"
           "                          40)\n"
           "  --name-length N         the longest name at+cpbw= takes, in octets (default\n"
           "                          18; in UCS2 one octet and two a character)\n"
           "  --charset SET           the character set at+cscs? names at start (default\n"
           "                          GSM)\n"
           "  --charsets LIST         the sets at+cscs= takes, comma-separated (default\n"
           "                          GSM,IRA,8859-1,UCS2)\n"
           "  --verbose               show the dialogue on stderr\n"
           "  --help                  show this help and exit\n"
           "  --version               show the version and exit\n"
           "\n"
           "Phone book file: one entry a line, INDEX,NUMBER,NAME; INDEX from 1 to the\n"
           "phone book's size (250 unless --phonebook-size says), the name the rest of\n"
           "the line, which may hold commas. For example:\n"
           "    1,+628569999999,Budi\n"
           "    2,0812345678,Sari, office\n"
           "Operator file: one operator a line, CODE,NAME, for example:\n"
           "    51001,INDOSAT\n"
           "Inbox file: one PDU in hex a line, an SMS-DELIVER (stored received unread) or\n"
           "an SMS-SUBMIT (stored sent), its service-centre part in front, as\n"
           "velmora-cli pdu prints them.\n"
           "In all of them, blank lines and lines starting with # are skipped.\n"
           "\n"
           "Answers to at+cpbr= for an empty slot: +CME ERROR: 22; for an index outside\n"
           "the phone book: +CME ERROR: 21. at+cpbw=INDEX,\"NUMBER\",TYPE,\"NAME\" writes\n"
           "a place for the rest of the run (no INDEX: the first free one) and\n"
           "at+cpbw=INDEX empties it; a bad index gets +CME ERROR: 21, a full book 20,\n"
           "too long a name 24 (25 for a UCS2 name that is not hex), too long a number\n"
           "26, a number that is none 27. A name written in UCS2 reads back with each\n"
           "character past Latin-1 as ?. A PDU whose length does not match at+cmgs= gets\n"
           "+CMS ERROR: 304. at+cmgr= and at+cmgd= of an empty index get +CMS ERROR: 321;\n"
           "the message commands need at+cmgf=0 first.\n"
           "USSD (at+cusd=1,\"CODE\",15): *123# answers the balance (+CUSD: 0), *888# a menu\n"
           "(+CUSD: 1) whose reply 1 or 2 it answers, *555# is never answered, any other\n"
           "code gets +CUSD: 4; at+cusd=2 ends a menu. Any command not listed gets ERROR.\n"
           "\n"
           "Signals: SIGUSR1 pulls the modem out: the pseudo-terminal closes (its user\n"
           "reads end of line and writes fail) and the --link is removed. SIGUSR2 plugs\n"
           "it back: a new pseudo-terminal, its path printed on stdout and linked at\n"
           "--replug-link (or --link), with the phone as at power-on (echo on, no\n"
           "--hang-after). SIGTERM, SIGINT and SIGHUP end the simulator.\n";
}

std::string ParseArguments(const std::vector<std::string>& words, Arguments& args) {
    bool csqGiven = false;
    bool pduAnswerGiven = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        const auto value = [&](std::string& into) {
            if (i + 1 >= words.size())
                return false;
            into = words[++i];
            return true;
        };
        const auto number = [&](int& into, int min, int max) {
            std::string v;
            return value(v) && ToInt(v, into, min, max);
        };
        PhoneOptions& p = args.phone;
        std::string v;
        if (w == "--help" || w == "-h") {
            args.help = true;
        } else if (w == "--version") {
            args.version = true;
        } else if (w == "--link") {
            if (!value(args.link))
                return "--link needs a path";
        } else if (w == "--manufacturer") {
            if (!value(p.manufacturer))
                return "--manufacturer needs a text";
        } else if (w == "--model") {
            if (!value(p.model))
                return "--model needs a text";
        } else if (w == "--revision") {
            if (!value(p.revision))
                return "--revision needs a text";
        } else if (w == "--imsi") {
            if (!value(p.imsi))
                return "--imsi needs a text";
        } else if (w == "--operator") {
            if (!value(p.operatorName))
                return "--operator needs a text";
        } else if (w == "--imei") {
            if (!value(p.imei))
                return "--imei needs a text";
        } else if (w == "--replug-link") {
            if (!value(args.replugLink) || args.replugLink.empty())
                return "--replug-link needs a path";
        } else if (w == "--hang-after") {
            if (!number(p.hangAfter, 1, 1000000))
                return "--hang-after needs a command count of at least 1";
        } else if (w == "--service-centre") {
            if (!value(p.serviceCentre))
                return "--service-centre needs a number";
        } else if (w == "--siemens") {
            p.manufacturer = "SIEMENS";
            p.model = "S45";
        } else if (w == "--no-echo") {
            p.echo = false;
        } else if (w == "--silent") {
            p.silent = true;
        } else if (w == "--delay") {
            if (!number(p.replyDelayMs, 0, 600000))
                return "--delay needs milliseconds";
        } else if (w == "--chunk") {
            if (!number(p.chunkSize, 1, 65536))
                return "--chunk needs a byte count of at least 1";
        } else if (w == "--chunk-delay") {
            if (!number(p.chunkDelayMs, 0, 600000))
                return "--chunk-delay needs milliseconds";
        } else if (w == "--refuse-pdu-mode") {
            p.refusePduMode = true;
        } else if (w == "--refuse-length") {
            if (!value(p.lengthRefusal) || p.lengthRefusal.empty())
                return "--refuse-length needs the answer's text";
        } else if (w == "--pdu-answer") {
            if (!value(v))
                return "--pdu-answer needs ok, error, cms-error[:CAUSE], second-ctrlz or none";
            PduAnswer a = PduAnswer::Ok;
            if (v == "ok") {
                a = PduAnswer::Ok;
            } else if (v == "error") {
                a = PduAnswer::Error;
            } else if (v == "second-ctrlz") {
                a = PduAnswer::SecondCtrlZ;
            } else if (v == "none") {
                a = PduAnswer::None;
            } else if (v == "cms-error") {
                a = PduAnswer::CmsError;
            } else if (v.rfind("cms-error:", 0) == 0 && ToInt(v.substr(10), p.cmsCause, 0, 511)) {
                a = PduAnswer::CmsError;
            } else {
                return "--pdu-answer: unknown answer '" + v + "'";
            }
            // Repeated, the answers go to the PDUs in turn.
            if (!pduAnswerGiven)
                p.pduAnswer = a;
            else
                p.laterPduAnswers.push_back(a);
            pduAnswerGiven = true;
        } else if (w == "--csq") {
            CsqAnswer a;
            if (!value(v) || !ParseCsq(v, a))
                return "--csq needs RSSI,BER, error or none";
            if (!csqGiven)
                p.csq.clear();
            csqGiven = true;
            p.csq.push_back(a);
        } else if (w == "--phonebook" || w == "--operators") {
            std::string text;
            if (!value(v))
                return w + " needs a file";
            if (!ReadFile(v, text))
                return "cannot read " + v;
            const std::string err = w == "--phonebook" ? ParsePhonebookFile(text, p.phonebook)
                                                       : ParseOperatorFile(text, p.operators);
            if (!err.empty())
                return v + ": " + err;
        } else if (w == "--vanish-after") {
            if (!number(p.vanishAfter, 1, 1000000))
                return "--vanish-after needs a command count of at least 1";
        } else if (w == "--record") {
            if (!value(p.recordFile))
                return "--record needs a file";
        } else if (w == "--network-delay") {
            if (!number(p.networkDelayMs, 0, 600000))
                return "--network-delay needs milliseconds";
        } else if (w == "--prompt-delay") {
            if (!number(p.promptDelayMs, 0, 600000))
                return "--prompt-delay needs milliseconds";
        } else if (w == "--urc") {
            p.urc = true;
        } else if (w == "--report") {
            if (!value(v) || (v != "delivered" && v != "failed" && v != "none"))
                return "--report needs delivered, failed or none";
            p.report = v == "delivered" ? ReportKind::Delivered
                       : v == "failed"  ? ReportKind::Failed
                                        : ReportKind::None;
        } else if (w == "--report-stored") {
            p.reportStored = true;
        } else if (w == "--report-delay") {
            if (!number(p.reportDelayMs, 0, 600000))
                return "--report-delay needs milliseconds";
        } else if (w == "--pin") {
            if (!value(p.pin) || p.pin.empty())
                return "--pin needs the code";
        } else if (w == "--pin-state") {
            if (!value(v))
                return "--pin-state needs plain, quoted or no-ok";
            if (v == "plain")
                p.pinStateStyle = PinStateStyle::Plain;
            else if (v == "quoted")
                p.pinStateStyle = PinStateStyle::Quoted;
            else if (v == "no-ok")
                p.pinStateStyle = PinStateStyle::NoOk;
            else
                return "--pin-state: unknown style '" + v + "'";
        } else if (w == "--announce") {
            if (!value(v) || v.empty())
                return "--announce needs a line";
            p.announcements.push_back(v);
        } else if (w == "--inbox") {
            std::string text;
            if (!value(v))
                return "--inbox needs a file";
            if (!ReadFile(v, text))
                return "cannot read " + v;
            if (const std::string err = ParseInboxFile(text, p.inbox); !err.empty())
                return v + ": " + err;
        } else if (w == "--first-index") {
            if (!number(p.firstIndex, 0, 1))
                return "--first-index needs 0 or 1";
        } else if (w == "--read-shape") {
            static const std::pair<std::string_view, ReadShape> kShapes[] = {
                {"standard", ReadShape::Standard},
                {"alpha", ReadShape::Alpha},
                {"index", ReadShape::Index},
                {"length", ReadShape::Length},
                {"empty-stat", ReadShape::EmptyStat},
                {"two", ReadShape::Two},
                {"text", ReadShape::Text},
                {"stray-quote", ReadShape::StrayQuote},
                {"blank", ReadShape::Blank}};
            const bool given = value(v);
            const auto shape = std::find_if(std::begin(kShapes), std::end(kShapes),
                                            [&](const auto& k) { return k.first == v; });
            if (!given || shape == std::end(kShapes))
                return "--read-shape needs standard, alpha, index, length, empty-stat, two, text, "
                       "stray-quote or blank";
            p.readShape = shape->second;
        } else if (w == "--list-urc") {
            if (!value(v) || (v != "line" && v != "glued"))
                return "--list-urc needs line or glued";
            p.listUrc = v == "line" ? ListUrc::Line : ListUrc::Glued;
        } else if (w == "--storages") {
            if (!value(v))
                return "--storages needs the line to answer";
            p.storagesOffered = v;
        } else if (w == "--refuse-store") {
            if (!value(v) || v.empty())
                return "--refuse-store needs a storage name";
            p.refusedStores.push_back(v);
        } else if (w == "--deliver-after") {
            Delivery d;
            if (!number(d.afterMs, 0, 3600000) || !value(d.pdu))
                return "--deliver-after needs milliseconds and a PDU";
            if (const std::string err = StorablePduProblem(d.pdu); !err.empty())
                return "--deliver-after: " + err;
            p.deliveries.push_back(d);
        } else if (w == "--ussd-packed") {
            p.ussdPacked = true;
        } else if (w == "--ussd-garbles") {
            p.ussdGarbles = true;
        } else if (w == "--ussd-ucs2") {
            p.ussdUcs2 = true;
        } else if (w == "--ussd-delay") {
            if (!number(p.ussdDelayMs, 0, 600000))
                return "--ussd-delay needs milliseconds";
        } else if (w == "--ussd-record") {
            if (!value(p.ussdRecordFile))
                return "--ussd-record needs a file";
        } else if (w == "--phonebook-size") {
            if (!number(p.phonebookSize, 1, 9999))
                return "--phonebook-size needs a number of places from 1 to 9999";
        } else if (w == "--number-length") {
            if (!number(p.numberLength, 1, 80))
                return "--number-length needs a number of digits from 1 to 80";
        } else if (w == "--name-length") {
            if (!number(p.nameLength, 1, 241))
                return "--name-length needs a number of octets from 1 to 241";
        } else if (w == "--charset") {
            if (!value(p.charset) || p.charset.empty())
                return "--charset needs a character set's name";
        } else if (w == "--charsets") {
            if (!value(v) || v.empty())
                return "--charsets needs a list such as GSM,IRA,UCS2";
            p.charsets.clear();
            std::size_t start = 0;
            for (std::size_t comma; (comma = v.find(',', start)) != std::string::npos; start = comma + 1)
                p.charsets.push_back(v.substr(start, comma - start));
            p.charsets.push_back(v.substr(start));
        } else if (w == "--verbose") {
            args.verbose = true;
        } else {
            return "unknown option '" + w + "'";
        }
    }
    const PhoneOptions& p = args.phone;
    for (const PhonebookEntry& e : p.phonebook)
        if (e.index > p.phonebookSize)
            return "--phonebook: place " + std::to_string(e.index) + " is past the phone book's " +
                   std::to_string(p.phonebookSize) + " places";
    if (std::find(p.charsets.begin(), p.charsets.end(), p.charset) == p.charsets.end())
        return "--charset " + p.charset + " is not one of --charsets";
    return "";
}

} // namespace velmora::phonesim
