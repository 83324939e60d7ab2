#include "MessageReader.h"
#include "Ringtone.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace velmora {
namespace {

std::string Pattern(std::size_t digits) {
    std::string s;
    for (std::size_t i = 0; s.size() < digits; ++i)
        s += "0123456789ABCDEF"[(i * 7 + i / 16) % 16];
    return s;
}

MessageRequest Text(std::u16string text, bool flash = false, bool blink = false, bool longText = false,
                    bool unicode = false) {
    MessageRequest r;
    r.text = std::move(text);
    r.flash = flash;
    r.blink = blink;
    r.longText = longText;
    r.unicode = unicode;
    r.concatReference = 0x5C;
    return r;
}

MessageRequest Content(MessageKind kind, std::string content) {
    MessageRequest r;
    r.kind = kind;
    r.content = std::move(content);
    r.mcc = "510";
    r.nc = "01";
    return r;
}

MessageRequest Other(MessageKind kind, std::u16string text = {}, int indicator = 1, bool active = false) {
    MessageRequest r;
    r.kind = kind;
    r.text = std::move(text);
    r.indicatorKind = indicator;
    r.active = active;
    return r;
}

// Whatever Velmora sends reads back into the request that sends it again.
// A DELIVER from 628569999999 with the coding scheme and user data given.
std::string Deliver(const std::string& dcs, const std::string& ud) {
    char length[3];
    std::snprintf(length, sizeof length, "%02X", static_cast<unsigned>(ud.size() / 2));
    return "07912618485400F9040C91265896999999"
           "00" +
           dcs + "62218012900000" + length + ud;
}

// Compressed user data (TS 23.042) is said to be compressed and kept as its
// octets, never read as text in the alphabet the coding scheme names.
TEST(MessageReader, aCompressedMessageIsNamedAndKeptAsItsOctets) {
    const struct Row {
        const char* name;
        const char* dcs;
        ContentKind kind;
    } rows[] = {
        {"GSM 7-bit, compressed", "20", ContentKind::Text},
        {"UCS2, compressed", "28", ContentKind::Text},
        {"class 0, compressed", "30", ContentKind::Flash},
        {"8-bit, compressed", "24", ContentKind::Data},
        {"marked for deletion, UCS2, compressed", "68", ContentKind::Text},
    };
    const std::string octets = "0A1B2C3D4E5F";
    for (const Row& r : rows) {
        const auto d = DecodePdu(Deliver(r.dcs, octets));
        ASSERT_TRUE(d) << r.name << ": " << d.error();
        EXPECT_TRUE(d->compressed) << r.name;
        EXPECT_TRUE(d->text.empty()) << r.name;
        EXPECT_EQ(d->data, octets) << r.name;
        EXPECT_FALSE(d->truncated) << r.name << ": the length counts octets";
        const auto m = ReadPdu(Deliver(r.dcs, octets));
        ASSERT_TRUE(m) << r.name;
        EXPECT_TRUE(m->compressed) << r.name;
        EXPECT_EQ(m->kind, r.kind) << r.name;
        EXPECT_EQ(m->content, octets) << r.name;
        EXPECT_TRUE(m->text.empty()) << r.name;
    }
    // The same octets uncompressed are read as the coding says.
    const auto ucs2 = ReadPdu(Deliver("08", "00480069"));
    ASSERT_TRUE(ucs2);
    EXPECT_FALSE(ucs2->compressed);
    EXPECT_EQ(ucs2->text, u"Hi");
}

TEST(MessageReader, everyKindVelmoraBuildsReadsBackIntoItsRequest) {
    const std::string tune = RingtoneFromLine("Ab:d=8,o=6,b=63:c#.,16a7,p,4g5").content;
    struct Row {
        MessageRequest request;
        ContentKind kind;
    } rows[] = {
        {Text(u"Hello @ home {€}"), ContentKind::Text},
        {Text(u"Halo", true), ContentKind::Flash},
        {Text(u"Halo", true, true), ContentKind::Flash},
        {Text(std::u16string(400, u'x'), false, false, true), ContentKind::Text},
        {Text(u"Привет 😀 " + std::u16string(70, u'ж'), false, false, true, true), ContentKind::Text},
        {Text(u"Ünïcode", false, false, false, true), ContentKind::Text},
        {Content(MessageKind::Logo, Pattern(252)), ContentKind::Logo},
        {Content(MessageKind::Group, Pattern(252)), ContentKind::Group},
        {Content(MessageKind::Picture, Pattern(504)), ContentKind::Picture},
        {Content(MessageKind::Ringtone, tune), ContentKind::Ringtone},
        {Other(MessageKind::Ems, u"Hi[#ANI01] there[#SND03][#ANI14]"), ContentKind::Ems},
        {Other(MessageKind::Ems, u"[#PIC00100002FF00FF00]Hi[#ANI00]"), ContentKind::Ems},
        {Other(MessageKind::Ems, u"abc"), ContentKind::Ems},
        {Other(MessageKind::Void), ContentKind::Void},
        {Other(MessageKind::Indicator, {}, 1, true), ContentKind::Indicator},
        {Other(MessageKind::Indicator, {}, 3, true), ContentKind::Indicator},
        {Other(MessageKind::Indicator, {}, 2, false), ContentKind::Indicator},
    };
    for (auto& r : rows) {
        r.request.destination = "628569999999";
        const auto built = BuildMessage(r.request);
        ASSERT_TRUE(built) << built.error().text;
        const auto read = ReadMessages(built->pdus);
        ASSERT_EQ(read.size(), 1u) << MessageKindName(r.request.kind);
        ASSERT_TRUE(read[0].message) << read[0].message.error();
        EXPECT_EQ(read[0].message->kind, r.kind) << ContentKindName(read[0].message->kind);
        const auto again = RequestFor(*read[0].message);
        ASSERT_TRUE(again);
        const auto rebuilt = BuildMessage(*again);
        ASSERT_TRUE(rebuilt) << rebuilt.error().text;
        EXPECT_EQ(rebuilt->pdus, built->pdus) << MessageKindName(r.request.kind);
    }
}

TEST(MessageReader, readsMessagesOtherEncodersMake) {
    struct Row {
        const char* pdu;
        ContentKind kind;
        const char* number;
        std::u16string text;
    } rows[] = {
        // The DELIVER and SUBMIT of "hellohello" that PDU mode guides use.
        {"07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37", ContentKind::Text,
         "27838890001", u"hellohello"},
        {"0011000B916407281553F80000AA0AE8329BFD4697D9EC37", ContentKind::Text, "+46708251358",
         u"hellohello"},
        // A class 0 GSM 7-bit message.
        {"0011000B916407281553F80010AA0AE8329BFD4697D9EC37", ContentKind::Flash, "+46708251358",
         u"hellohello"},
        // GSM 7-bit EMS: "Hi" with animation 5 after the "H", header padded to
        // whole septets.
        {"0041000B916407281553F8000008040D02010520D3", ContentKind::Ems, "+46708251358", u"H[#ANI05]i"},
        // Special SMS indication: 3 voicemails waiting, to be stored; text "ok".
        {"0041000B916407281553F80000080401028003BCD7", ContentKind::Indicator, "+46708251358", u"ok"},
    };
    for (const auto& r : rows) {
        const auto m = ReadPdu(r.pdu);
        ASSERT_TRUE(m) << r.pdu << ": " << m.error();
        EXPECT_EQ(m->kind, r.kind) << r.pdu;
        EXPECT_EQ(m->pdu.number, r.number);
        EXPECT_EQ(m->text, r.text) << r.pdu;
    }
    // A two-digit year of the 1990s is one.
    EXPECT_EQ(ReadPdu(rows[0].pdu)->pdu.timestamp, "1999-03-29T15:16:59+02:00");
    const auto waiting = ReadPdu(rows[4].pdu);
    EXPECT_EQ(waiting->waiting, 3);
    EXPECT_TRUE(waiting->store);
}

TEST(MessageReader, joinsPartsInOrderAndNamesTheMissingOnes) {
    MessageRequest r =
        Text(std::u16string(150, u'a') + std::u16string(150, u'b') + u"end", false, false, true);
    r.destination = "628569999999";
    const auto built = BuildMessage(r);
    ASSERT_TRUE(built);
    ASSERT_EQ(built->pdus.size(), 2u);
    const auto& p = built->pdus;
    // Another message in between, the second part first, and one part twice.
    const auto read = ReadMessages({p[1], "0011000B916407281553F80000AA0AE8329BFD4697D9EC37", p[0], p[1]});
    ASSERT_EQ(read.size(), 2u);
    ASSERT_TRUE(read[0].message);
    EXPECT_EQ(read[0].message->text, r.text);
    EXPECT_EQ(read[0].sources, (std::vector<std::size_t>{2, 0}));
    EXPECT_TRUE(read[0].message->missing.empty());

    const auto alone = ReadMessages({p[1]});
    ASSERT_TRUE(alone[0].message);
    EXPECT_EQ(alone[0].message->missing, std::vector<int>{1});
    EXPECT_EQ(alone[0].message->text, r.text.substr(153));

    // A picture message is drawn only once all three parts came.
    MessageRequest picture = Content(MessageKind::Picture, Pattern(504));
    picture.destination = "628569999999";
    const auto three = BuildMessage(picture);
    const auto partial = ReadMessages({three->pdus[0], three->pdus[2]});
    ASSERT_TRUE(partial[0].message);
    EXPECT_EQ(partial[0].message->kind, ContentKind::Picture);
    EXPECT_EQ(partial[0].message->missing, std::vector<int>{2});
    EXPECT_TRUE(partial[0].message->content.empty());
    EXPECT_FALSE(RequestFor(*partial[0].message));
}

// 8-bit data for no application is shown as most phones show it: each
// octet an ISO-8859-1 character.
TEST(MessageReader, givesEightBitDataWithoutAPortAsLatin1Text) {
    const std::string from = "0004"
                             "0B916407281553F8"
                             "0004"
                             "99309251619580";
    struct Row {
        std::string userData;
        std::u16string text;
        std::string data;
        std::optional<int> port;
    } rows[] = {
        {"04436166E9", u"Caf\u00E9", "436166E9", std::nullopt},
        {"03001BFF", std::u16string(u"\0\u001B\u00FF", 3), "001BFF", std::nullopt},
        // Addressed to an application (a WAP push), it stays data alone.
        {"0B0605040B8423F001020304", u"", "01020304", 0x0B84},
    };
    for (const auto& r : rows) {
        std::string pdu = from + r.userData;
        if (r.port)
            pdu[2] = '4'; // TP-UDHI
        const auto m = ReadPdu(pdu);
        ASSERT_TRUE(m) << pdu << ": " << m.error();
        EXPECT_EQ(m->kind, ContentKind::Data) << pdu;
        EXPECT_EQ(m->text, r.text) << pdu;
        EXPECT_EQ(m->pdu.data, r.data) << pdu;
        EXPECT_EQ(m->port, r.port) << pdu;
        EXPECT_FALSE(RequestFor(*m));
    }
}

TEST(MessageReader, aMessageWithAPartCutShortIsReadAndMarked) {
    MessageRequest r = Text(std::u16string(150, u'a') + std::u16string(150, u'b'), false, false, true);
    r.destination = "628569999999";
    const auto built = BuildMessage(r);
    ASSERT_TRUE(built);
    ASSERT_EQ(built->pdus.size(), 2u);
    const std::vector<std::string> whole = built->pdus;
    // The second part without its last 40 octets: 46 septets fewer, the
    // one the cut went through among them.
    std::vector<std::string> cut = whole;
    cut[1].resize(cut[1].size() - 80);
    for (const auto& [pdus, truncated] : {std::pair{whole, false}, std::pair{cut, true}}) {
        const auto read = ReadMessages(pdus);
        ASSERT_EQ(read.size(), 1u);
        ASSERT_TRUE(read[0].message) << read[0].message.error();
        EXPECT_EQ(read[0].message->truncated, truncated);
        EXPECT_TRUE(read[0].message->missing.empty());
        EXPECT_EQ(read[0].message->text, truncated ? r.text.substr(0, r.text.size() - 46) : r.text);
    }
}

TEST(MessageReader, refusesBrokenContentSayingWhere) {
    struct Row {
        const char* pdu;
        const char* why;
    } rows[] = {
        // A logo whose bitmap stops after two octets.
        {"0051000C9126589699999900F5AA100605041582000015F01000480E01FFFF",
         "operator logo: cannot read octet 8 of its content (bitmap)"},
        {"0051000C9126589699999900F5AA09060504158100000249",
         "ringtone: octet 2 (command): not a ringing tone"},
    };
    for (const auto& r : rows) {
        const auto m = ReadPdu(r.pdu);
        ASSERT_FALSE(m) << r.pdu;
        EXPECT_EQ(m.error(), r.why);
    }
}

TEST(MessageReader, readsAStatusReport) {
    // Reference 7 to +628569999999, delivered.
    const auto m = ReadPdu("0006070C91265896999999622180120000826221801200108200");
    ASSERT_TRUE(m) << m.error();
    EXPECT_EQ(m->kind, ContentKind::Report);
    EXPECT_EQ(m->pdu.type, PduType::StatusReport);
    EXPECT_EQ(m->pdu.reference, 7);
    EXPECT_EQ(m->pdu.status, 0);
    EXPECT_EQ(m->pdu.dischargeTime, "2026-12-08T21:00:01+07:00");
}

TEST(MessageReader, drawsABitmapRowByRow) {
    EXPECT_EQ(DrawBitmap("F00F", 8, 2), (std::vector<std::string>{"####....", "....####"}));
}

} // namespace
} // namespace velmora
