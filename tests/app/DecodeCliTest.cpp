#include "Cli.h"

#include "Strings.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

namespace velmora::cli {
namespace {

struct Outcome {
    int code;
    std::string out, err;
};

template <class Run> Outcome Call(Run run, std::vector<std::string> words) {
    std::ostringstream out, err;
    const int code = run(std::move(words), Io{out, err});
    return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// One line of JSON output as an object; a line that is not UTF-8 or not
// JSON gives an object holding "unreadable".
QJsonObject Parsed(const std::string& line) {
    if (!IsUtf8(line))
        return {{"unreadable", "not UTF-8"}};
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (!doc.isObject())
        return {{"unreadable", error.errorString()}};
    return doc.object();
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

std::string Shown(const QJsonValue& v) {
    return QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact).toStdString();
}

// Every member of `want` is in `got` with the same value and type; objects
// within are compared the same way, member by member.
void ExpectMembers(const QJsonObject& got, const QJsonObject& want, const std::string& where) {
    for (auto it = want.begin(); it != want.end(); ++it) {
        const QJsonValue value = got.value(it.key());
        if (it->isObject() && value.isObject())
            ExpectMembers(value.toObject(), it->toObject(), where + "." + it.key().toStdString());
        else
            EXPECT_EQ(Shown(value), Shown(*it)) << where << "." << it.key().toStdString();
    }
}

// What "pdu" prints, "decode --json" reads back into what made it.
TEST(DecodeCommand, readsBackEveryKindThePduCommandPrints) {
    const std::string logo = std::string(126, 'F') + std::string(126, '0');
    const QString q = QString::fromStdString(logo);
    struct Row {
        std::vector<std::string> pdu;
        QJsonObject json; // members the one object must hold
    } rows[] = {
        {{"text", "628569999999", "abc"},
         {{"type", "submit"},
          {"number", "+628569999999"},
          {"kind", "text"},
          {"text", "abc"},
          {"coding", "gsm7"},
          {"class", QJsonValue::Null},
          {"pid", 0},
          {"reference", 0},
          {"reportRequested", false},
          {"truncated", false}}},
        {{"text", "--flash", "--blink", "628569999999", "a\"b"},
         {{"kind", "flash"}, {"text", "a\"b"}, {"class", 0}, {"blink", true}, {"coding", "ucs2"}}},
        {{"text", "--long", "628569999999", std::string(200, 'x')},
         {{"parts", QJsonObject{{"total", 2}, {"seq", QJsonArray{1, 2}}, {"missing", QJsonArray{}}}},
          {"text", QString(200, 'x')}}},
        {{"logo", "--mcc", "510", "--nc", "01", "628569999999", logo},
         {{"kind", "logo"},
          {"mcc", "510"},
          {"nc", "01"},
          {"content", q},
          {"port", 5506},
          {"width", 72},
          {"height", 14}}},
        {{"group", "628569999999", logo}, {{"kind", "group"}, {"port", 5507}}},
        {{"picture", "628569999999", logo + logo}, {{"kind", "picture"}, {"height", 28}}},
        {{"ringtone", "628569999999", "024A3A51099595C004001318CAE922849562482000"},
         {{"kind", "ringtone"},
          {"rtttl", "Beep:d=4,o=5,b=100:c,8e,p"},
          {"content", "024A3A51099595C004001318CAE922849562482000"}}},
        {{"ems", "628569999999", "Hi[#ANI01] there[#SND03]"},
         {{"kind", "ems"}, {"text", "Hi[#ANI01] there[#SND03]"}, {"coding", "8bit"}}},
        {{"void", "628569999999"}, {{"kind", "void"}}},
        {{"indicator", "--kind", "email", "--active", "628569999999"},
         {{"kind", "indicator"}, {"indicator", "email"}, {"active", true}, {"store", false}}},
    };
    for (const auto& r : rows) {
        const Outcome pdu = Call(RunPdu, r.pdu);
        ASSERT_EQ(pdu.code, kExitOk) << pdu.err;
        std::vector<std::string> words{"--json"};
        for (const auto& line : Lines(pdu.out))
            words.push_back(line);
        const Outcome d = Call(RunDecode, words);
        EXPECT_EQ(d.code, kExitOk) << d.out;
        ASSERT_EQ(Lines(d.out).size(), 1u) << d.out;
        ExpectMembers(Parsed(Lines(d.out)[0]), r.json, r.pdu[0]);
    }
}

// Whatever the PDU holds, each line is an object in valid UTF-8: octets the
// phone sends as ISO-8859-1 become their own characters, a broken UTF-16
// character U+FFFD.
TEST(DecodeCommand, writesEveryJsonLineAsUtf8) {
    const std::string from = "0004"
                             "0B916407281553F8";
    const std::string stamp = "99309251619580";
    // A tune whose title is "Caf\xE9", as its ISO-8859-1 octets.
    const std::string tune = Lines(
        Call(RunPdu, {"ringtone", "628569999999", "024A3A510D859BA404001310CAE9228495424C2000"}).out)[0];
    struct Row {
        std::string pdu;
        const char* key;
        QString value;
    } rows[] = {
        {tune, "rtttl", Utf8("Caf\u00E9:d=4,o=5,b=63:c,e,g")},
        // 8-bit data for no application, read as ISO-8859-1.
        {from + "0004" + stamp + "04436166E9", "text", Utf8("Caf\u00E9")},
        {from + "0004" + stamp + "04436166E9", "data", "436166E9"},
        // UCS2: a high surrogate alone, then "A".
        {from + "0008" + stamp + "04D8000041", "text", Utf8("\uFFFDA")},
        // An alphanumeric originator, "\u0394@".
        {"000404D010000000" + stamp + "05C8329BFD06", "number", Utf8("\u0394@")},
        // A refusal names the PDU as it came, a byte that is no UTF-8 as U+FFFD.
        {"00\xFF", "pdu", Utf8("00\uFFFD")},
    };
    for (const auto& r : rows) {
        const Outcome d = Call(RunDecode, {"--json", r.pdu});
        ASSERT_EQ(Lines(d.out).size(), 1u) << d.out;
        const QJsonObject o = Parsed(Lines(d.out)[0]);
        EXPECT_EQ(o.value(r.key).toString(), r.value) << d.out;
    }
}

// A compressed text says so and shows its octets, in words and in JSON.
TEST(DecodeCommand, aCompressedTextSaysSoAndShowsItsOctets) {
    const std::string pdu = "07912618485400F9040C9126589699999900286221801290000006"
                            "0A1B2C3D4E5F";
    const Outcome plain = Call(RunDecode, {pdu});
    EXPECT_EQ(plain.code, kExitOk) << plain.err;
    const auto lines = Lines(plain.out);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  text: compressed, which Velmora does not read"),
              lines.end())
        << plain.out;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "  octets: 0A1B2C3D4E5F"), lines.end()) << plain.out;
    const Outcome json = Call(RunDecode, {"--json", pdu});
    const QJsonObject o = Parsed(Lines(json.out).at(0));
    EXPECT_TRUE(o["compressed"].toBool());
    EXPECT_EQ(o["content"].toString(), "0A1B2C3D4E5F");
    EXPECT_EQ(o["text"].toString(), "");
    // A text that is not compressed says nothing of it.
    const Outcome other = Call(RunDecode, {"--json", "07912618485400F9040C9126589699999900086221801290000004"
                                                     "00480069"});
    EXPECT_FALSE(Parsed(Lines(other.out).at(0)).contains("compressed"));
}

TEST(DecodeCommand, aRefusedPduSaysWhyAndSetsTheExitStatus) {
    const Outcome d = Call(RunDecode, {"0011000C9126589699999900000AA0AC8329G",
                                       "0011000B916407281553F80000AA0AE8329BFD4697D9EC37"});
    EXPECT_EQ(d.code, kExitRefused);
    EXPECT_NE(d.out.find("  refused: cannot read octet 16 (user data)"), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("text: hellohello"), std::string::npos) << d.out;
    EXPECT_EQ(Call(RunDecode, {"--bogus"}).code, kExitUsage);
}

// User data that ends before its stated length is read as far as it goes,
// and the output says so; the exit status stays 0.
TEST(DecodeCommand, readsAPduCutShortAndSaysSo) {
    const std::string classic = "07917283010010F5040BC87238880900F10000993092516195800A";
    const char* const said = "  truncated: the user data ends before its stated length\n";
    struct Row {
        std::string pdu;
        bool truncated;
        const char* text;
    } rows[] = {
        {classic + "E8329BFD4697D9EC37", false, "hellohello"},
        {classic + "E8329BFD", true, "hell"},
        // The header flag set, and no user data.
        {"00400B916407281553F8000099309251619580"
         "00",
         true, ""},
    };
    for (const auto& r : rows) {
        const Outcome plain = Call(RunDecode, {r.pdu});
        EXPECT_EQ(plain.code, kExitOk) << plain.out;
        EXPECT_EQ(plain.out.find(said) != std::string::npos, r.truncated) << plain.out;
        const Outcome json = Call(RunDecode, {"--json", r.pdu});
        EXPECT_EQ(json.code, kExitOk) << json.out;
        ASSERT_EQ(Lines(json.out).size(), 1u) << json.out;
        ExpectMembers(Parsed(Lines(json.out)[0]), {{"truncated", r.truncated}, {"text", r.text}}, r.pdu);
    }
}

// Plain words, as a person reads them: the digits the semi-octets stand
// for, 8-bit data as text, a tune's title in its own letters; on a terminal
// a control character in them is escaped.
TEST(DecodeCommand, printsNumbersAndTextsAsThePhoneMeantThem) {
    const std::string stamps = "1110117195514011101171957140";
    struct Row {
        std::string pdu;
        bool terminal;
        const char* line;
    } rows[] = {
        {"00062A0B810B48214365F7" + stamps + "00", false, "  recipient: #0841234567\n"},
        {"000405811A00FB000099309251619580"
         "05C8329BFD06",
         false, "  from: *100#\n"},
        {"00040B916407281553F8000499309251619580"
         "04436166E9",
         false, "  text: Caf\u00E9\n"},
        {"00040B916407281553F8000499309251619580"
         "03411B42",
         false,
         "  text: A\x1B"
         "B\n"},
        {"00040B916407281553F8000499309251619580"
         "03411B42",
         true, "  text: A\\x1BB\n"},
        {Lines(
             Call(RunPdu, {"ringtone", "628569999999", "024A3A510D859BA404001310CAE9228495424C2000"}).out)[0],
         true, "  rtttl: Caf\u00E9:d=4,o=5,b=63:c,e,g\n"},
    };
    for (const auto& r : rows) {
        std::ostringstream out, err;
        Io io{out, err};
        io.outIsTerminal = r.terminal;
        EXPECT_EQ(RunDecode({r.pdu}, io), kExitOk) << out.str();
        EXPECT_NE(out.str().find(r.line), std::string::npos) << out.str();
    }
}

TEST(DecodeCommand, drawsAReceivedLogo) {
    const std::string logo = std::string(18, 'F') + std::string(234, '0');
    const Outcome pdu = Call(RunPdu, {"logo", "--mcc", "510", "--nc", "10", "628569999999", logo});
    const Outcome d = Call(RunDecode, {Lines(pdu.out)[0]});
    EXPECT_EQ(d.code, kExitOk);
    EXPECT_NE(d.out.find("kind: logo for MCC 510, NC 10, port 5506"), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("bitmap: 72 x 14\n    " + std::string(72, '#') + "\n    " + std::string(72, '.')),
              std::string::npos)
        << d.out;
}

} // namespace
} // namespace velmora::cli
