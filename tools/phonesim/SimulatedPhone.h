#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::phonesim {

// What the phone answers to the PDU after "at+cmgs=".
enum class PduAnswer {
    Ok,          // "+CMGS: <reference>" and "OK"
    Error,       // "ERROR"
    CmsError,    // "+CMS ERROR: <cause>"
    SecondCtrlZ, // nothing until a second Ctrl-Z arrives, then as Ok
    None,        // nothing at all
};

// One answer to "at+csq", taken in turn; the last one repeats.
struct CsqAnswer {
    enum Kind { Values, Error, None } kind = Values;
    std::string rssi = "17", ber = "99";
};

// How the phone writes its answer to at+cpin?.
enum class PinStateStyle {
    Plain,  // "+CPIN: SIM PIN" and "OK"
    Quoted, // "+CPIN: \"SIM PIN\"" and "OK"
    NoOk,   // "+CPIN: SIM PIN" alone, as Wavecom modules answer
};

// The header of the phone's answer to at+cmgr=, as phones write it.
enum class ReadShape {
    Standard,   // "+CMGR: <stat>,,<length>"
    Alpha,      // "+CMGR: <stat>,"<alpha>",<length>"
    Index,      // "+CMGR: <index>,<stat>,,<length>", as a list line
    Length,     // "+CMGR: <length>"
    EmptyStat,  // "+CMGR: ,,<length>"
    Two,        // "+CMGR: <stat>,<length>"
    Text,       // a text-mode answer, whatever at+cmgf said
    StrayQuote, // standard, the PDU line ending in a stray '"'
    Blank,      // standard, the PDU after the header and a blank instead of CR LF
};

// Where an unsolicited line falls inside a listed PDU.
enum class ListUrc {
    None,
    Line,  // "<half>\r\n^RSSI:19\r\n<rest>"
    Glued, // "<half>^RSSI:19\r\n<rest>"
};

// What the network says of a message that asked for a report.
enum class ReportKind { None, Delivered, Failed };

struct PhonebookEntry {
    int index = 0;
    std::string number, name;
};

struct OperatorEntry {
    std::string code, name;
};

// A message that reaches the phone while the program is connected.
struct Delivery {
    int afterMs = 0; // from the first "ate0"
    std::string pdu; // with its service-centre part in front
};

struct PhoneOptions {
    std::string manufacturer = "VELMORA";
    std::string model = "PhoneSim 1";
    std::string revision = "1.00";
    std::string imsi = "510109876543210";
    std::string operatorName = "VELMORA"; // in the answer to at+cops?; "" registered nowhere
    std::string imei = "354812345678908"; // answer to at+cgsn; "" answers ERROR, a phone with none
    std::string serviceCentre = "+628159000000";
    bool echo = true;           // echo until "ate0", as phones do after power-on
    bool silent = false;        // no echo, no answer: a phone that is off
    bool refusePduMode = false; // "ERROR" to "at+cmgf=0"
    std::string lengthRefusal;  // answered to "at+cmgs=" instead of the prompt, if given
    PduAnswer pduAnswer = PduAnswer::Ok;
    // Answers to the PDUs after the first, in turn; the last one repeats.
    // Empty: every PDU gets pduAnswer.
    std::vector<PduAnswer> laterPduAnswers;
    int cmsCause = 500;
    std::vector<CsqAnswer> csq{CsqAnswer{}};
    std::vector<PhonebookEntry> phonebook;
    std::vector<OperatorEntry> operators{{"51001", "INDOSAT"}, {"51010", "TELKOMSEL"}, {"51011", "XL"}};
    int replyDelayMs = 0;   // a slow phone: wait this long before each answer
    int chunkSize = 0;      // > 0: answers leave in pieces of this many bytes
    int chunkDelayMs = 0;   // the pause between two pieces
    int vanishAfter = 0;    // > 0: gone once this many commands are answered
    int hangAfter = 0;      // > 0: deaf and mute once this many commands are answered
    std::string recordFile; // every PDU received is appended here, one hex line each
    int networkDelayMs = 0; // the network's time to answer a PDU
    int promptDelayMs = 0;  // before the ">" that asks for a PDU
    bool urc = false;       // unsolicited lines mixed into every answer
    ReportKind report = ReportKind::None;
    int reportDelayMs = 300;   // from the answer to the PDU to its report
    bool reportStored = false; // refuses ds=1: reports are stored and announced by +CDSI
    std::string pin;           // the SIM asks for this PIN until it is given
    int pinTries = 3;
    PinStateStyle pinStateStyle = PinStateStyle::Plain;
    // Lines the phone sends by itself once its SIM is open (after the PIN,
    // else after the first "ate0"), as modems announce it: one in front of
    // each answer from then on, in turn.
    std::vector<std::string> announcements;
    // The SIM's messages from index 1, each with its service-centre part.
    std::vector<std::string> inbox;
    std::vector<Delivery> deliveries;
    int simCapacity = 30; // at least the inbox's count
    int phoneCapacity = 50;
    int firstIndex = 1; // the index of a store's first place: 1, or 0 as many modems number
    ReadShape readShape = ReadShape::Standard;
    ListUrc listUrc = ListUrc::None;
    // The line answered to at+cpms=? (then OK); empty: the storages offered.
    std::optional<std::string> storagesOffered;
    std::vector<std::string> refusedStores; // at+cpms="NAME" of these gets ERROR
    // USSD: a stick that wants and answers packed septets in hex; a text
    // request to it is refused with +CME ERROR: 100, or (garbles) passed on as
    // garbage the network does not know (+CUSD: 4).
    bool ussdPacked = false;
    bool ussdGarbles = false;
    bool ussdUcs2 = false;      // answers in UCS2 hex, DCS 72
    int ussdDelayMs = 300;      // from the OK to the network's +CUSD line
    std::string ussdRecordFile; // every AT+CUSD command appended here, as it came
    // The SIM's phone book as at+cpbr=? describes it: places 1 to
    // phonebookSize, numbers of up to numberLength digits, names of up to
    // nameLength octets (in UCS2 one octet and two a character).
    int phonebookSize = 250;
    int numberLength = 40;
    int nameLength = 18;
    // The character set at+cscs? names at start, and those at+cscs= takes.
    std::string charset = "GSM";
    std::vector<std::string> charsets{"GSM", "IRA", "8859-1", "UCS2"};
};

// Bytes to send, after waiting `delayMs` from the end of the previous output.
struct Output {
    std::string bytes;
    int delayMs = 0;
    // Due `delayMs` from now, beside the answers, without holding them up: a
    // status report from the network.
    bool apart = false;
    // > 0 (with `apart`): no bytes; when due, delivery number `delivery` of
    // the options reaches the phone, and the program passes what Deliver
    // gives on.
    int delivery = 0;
};

// The phone's side of the AT dialogue, without any device: bytes in,
// timed bytes out. The program around it owns the pseudo-terminal and the
// clock.
class SimulatedPhone {
public:
    explicit SimulatedPhone(PhoneOptions options);

    std::vector<Output> Receive(std::string_view bytes);
    // A message of the options (from 1) reaches the phone: stored at the
    // SIM's first free index and announced as +CMTI when the program asked
    // for that (at+cnmi with mt=1).
    std::vector<Output> Deliver(int delivery);

    // True once the phone has answered the commands it was allowed.
    bool Vanishing() const { return m_vanishing; }
    // True once anything more arrived after that: the program then drops the
    // line, as a pulled cable does.
    bool LineDropped() const { return m_dropped; }
    int CommandsSeen() const { return m_commands; }
    // True once the phone has answered the commands --hang-after allowed: it
    // takes bytes from then on and answers none, not even their echo.
    bool Hung() const { return m_hung; }
    // PDUs received in order (also appended to the record file).
    const std::vector<std::string>& Pdus() const { return m_pdus; }

private:
    void Command(const std::string& line, std::vector<Output>& out);
    void PduComplete(std::vector<Output>& out);
    void Answer(const std::string& text, std::vector<Output>& out);
    void AnswerLines(const std::vector<std::string>& lines, const std::string& final,
                     std::vector<Output>& out);
    void Record(const std::string& pdu) const;
    void Report(const std::string& pdu, std::vector<Output>& out);
    void PinCommand(const std::string& cmd, const std::string& line, std::vector<Output>& out);
    bool Locked() const { return !m_opt.pin.empty() && !m_pinGiven; }

    // A message store of 27.005: the slots from its first index, empty or
    // holding a PDU with its <stat>.
    struct Slot {
        std::string pdu;
        int stat = 0;
    };
    using Store = std::vector<std::optional<Slot>>;
    Store* StoreNamed(const std::string& name);
    std::string Occupancy(const std::string& name);
    // The first free place the PDU went to, or -1 when the store is full.
    static int Keep(Store& store, const std::string& pdu, int stat);
    // The index the phone gives a place, and the place of an index (-1: none).
    int IndexOf(int place) const { return place + m_opt.firstIndex; }
    int PlaceOf(int index, const Store& store) const;
    std::string ReadHeader(int index, const Slot& slot) const;
    void StorageCommand(const std::string& cmd, std::vector<Output>& out);
    // at+cpbr=?, at+cpbw= and at+cscs (SimulatedPhonebook.cpp); false when
    // `cmd` is none of them.
    bool PhonebookCommand(const std::string& cmd, const std::string& line, std::vector<Output>& out);
    void WritePhonebook(const std::string& args, std::vector<Output>& out);
    void MessageCommand(const std::string& cmd, std::vector<Output>& out);
    // AT+CUSD (SimulatedUssd.cpp).
    void UssdCommand(const std::string& line, std::vector<Output>& out);
    void UssdAnswer(int status, const std::string& text, std::vector<Output>& out);

    PhoneOptions m_opt;
    std::string m_line;
    bool m_pduMode = false;    // at+cmgf=0 accepted
    bool m_readingPdu = false; // between the prompt and Ctrl-Z
    bool m_awaitSecondCtrlZ = false;
    int m_announced = 0;
    std::string m_pdu;
    int m_reference = 0;
    std::size_t m_csqTurn = 0;
    std::size_t m_pduTurn = 0;
    int m_commands = 0;
    bool m_vanishing = false;
    bool m_dropped = false;
    bool m_hung = false;
    std::vector<std::string> m_pdus;
    int m_reportRoute = 0;      // the ds of the last "at+cnmi": 1 as +CDS, 2 stored
    bool m_announceNew = false; // mt=1 in the last "at+cnmi": +CMTI for a new message
    bool m_pinGiven = false;
    bool m_deliveriesDue = false; // scheduled at the first "ate0"
    std::size_t m_announcementsSent = 0;
    Store m_sim, m_phone;
    // What at+cpms chose: read and delete, write, and where new ones go.
    std::string m_memories[3] = {"SM", "SM", "SM"};
    std::string m_ussdMenu; // the code whose menu waits for a reply; "" when none
    std::string m_charset;  // what at+cscs= chose; the options' at start
};

// Formats of the files --phonebook and --operators read. Lines starting with
// "#" and blank lines are skipped. Returns "" or the reason with the line.
std::string ParsePhonebookFile(const std::string& text, std::vector<PhonebookEntry>& entries);
std::string ParseOperatorFile(const std::string& text, std::vector<OperatorEntry>& entries);
// The --inbox file: one PDU in hex a line, an SMS-DELIVER or SMS-SUBMIT with
// its service-centre part in front.
std::string ParseInboxFile(const std::string& text, std::vector<std::string>& pdus);
// Why a PDU cannot be stored ("" when it can): not hex, its service-centre
// part longer than it, or neither SMS-DELIVER nor SMS-SUBMIT.
std::string StorablePduProblem(const std::string& pdu);

} // namespace velmora::phonesim
