#include "MessageRequest.h"

#include "IndicatorPdu.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

const std::string k252Zeros(252, '0');

MessageRequest Text(std::string destination, std::u16string text, bool flash = false, bool blink = false) {
    MessageRequest r;
    r.destination = std::move(destination);
    r.text = std::move(text);
    r.flash = flash;
    r.blink = blink;
    return r;
}

MessageRequest LongText(std::u16string text, bool longText, bool unicode, bool flash = false) {
    MessageRequest r = Text("628569999999", std::move(text), flash);
    r.longText = longText;
    r.unicode = unicode;
    r.concatReference = 0x42;
    return r;
}

MessageRequest Content(MessageKind kind, std::string content, std::string mcc = "", std::string nc = "") {
    MessageRequest r;
    r.kind = kind;
    r.destination = "628569999999";
    r.content = std::move(content);
    r.mcc = std::move(mcc);
    r.nc = std::move(nc);
    return r;
}

MessageRequest Other(MessageKind kind, std::u16string text = u"", int indicatorKind = Voicemail,
                     bool active = false) {
    MessageRequest r;
    r.kind = kind;
    r.destination = "628569999999";
    r.text = std::move(text);
    r.indicatorKind = indicatorKind;
    r.active = active;
    return r;
}

struct Case {
    const char* name;
    MessageRequest request;
    std::vector<std::string> pdus; // empty: refused with `reason`
    std::string reason;
    RefusedField field = RefusedField::None; // the field a refusal puts the user in
};

class BuildMessageCases : public ::testing::TestWithParam<Case> {};

TEST_P(BuildMessageCases, GivesThePdusOrTheReason) {
    const Case& c = GetParam();
    const auto job = BuildMessage(c.request);
    if (c.pdus.empty()) {
        ASSERT_FALSE(job) << c.name;
        EXPECT_EQ(job.error().text, c.reason) << c.name;
        EXPECT_EQ(job.error().field, c.field) << c.name;
        return;
    }
    ASSERT_TRUE(job) << c.name << ": " << job.error().text;
    EXPECT_EQ(job->number, "628569999999") << c.name;
    EXPECT_EQ(job->pdus, c.pdus) << c.name;
}

const std::string kBadNumber =
    ": it must be 1 to 20 digits (after \"+\" is dropped and a leading 0 becomes 62)";

INSTANTIATE_TEST_SUITE_P(
    Kinds, BuildMessageCases,
    ::testing::Values(
        Case{"text", Text("628569999999", u"abc"), {"0011000C912658969999990000AA0361F118"}, ""},
        Case{"text, national number",
             Text("08569999999", u"abc"),
             {"0011000C912658969999990000AA0361F118"},
             ""},
        Case{"flash", Text("628569999999", u"abc", true), {"0011000C912658969999990018AA06006100620063"}, ""},
        Case{"unicode", LongText(u"abc", false, true), {"0011000C912658969999990008AA06006100620063"}, ""},
        // long text and Unicode together keep GSM 7-bit while it carries the text
        Case{"long unicode in GSM",
             LongText(u"abc", true, true),
             {"0011000C912658969999990000AA0361F118"},
             ""},
        Case{"long unicode in UCS2",
             LongText(u"\u0416", true, true),
             {"0011000C912658969999990008AA020416"},
             ""},
        Case{"long", LongText(u"abc", true, false), {"0011000C912658969999990000AA0361F118"}, ""},
        // a flash message stays one UCS2 class 0 message
        Case{"flash with long unicode",
             LongText(u"abc", true, true, true),
             {"0011000C912658969999990018AA06006100620063"},
             ""},
        Case{"logo",
             Content(MessageKind::Logo, k252Zeros, "510", "01"),
             {"0051000C9126589699999900F5AA8C0605041582000015F01000480E01" + k252Zeros},
             ""},
        Case{"ringtone, hex with case and blanks",
             Content(MessageKind::Ringtone, "02 4a\t3A"),
             {"0051000C9126589699999900F5AA0A06050415810000024A3A"},
             ""},
        Case{"void", Other(MessageKind::Void), {"0011000C9126589699999900CBAA00"}, ""},
        Case{"email waiting",
             Other(MessageKind::Indicator, u"", Email, true),
             {"0011000C9126589699999900CAAA00"},
             ""},
        // refusals, in the order they are checked
        Case{"a logo's network before the number",
             [] {
                 auto r = Content(MessageKind::Logo, "00", "51", "01");
                 r.destination = "";
                 return r;
             }(),
             {},
             "Unknown Mobile Operator, Please select provider or fill MCC and NC !"},
        Case{"no number",
             Text("", u"hi"),
             {},
             "Please Fill Destination Mobile Number !",
             RefusedField::Destination},
        Case{"letters in the number",
             Text("62abc", u"hi"),
             {},
             "invalid destination number \"62abc\"" + kBadNumber,
             RefusedField::Destination},
        Case{"the number before the content",
             [] {
                 auto r = Content(MessageKind::Group, "zz");
                 r.destination = "x";
                 return r;
             }(),
             {},
             "invalid destination number \"x\"" + kBadNumber,
             RefusedField::Destination},
        Case{"no logo",
             Content(MessageKind::Logo, "", "510", "01"),
             {},
             "Please choose operator logo !",
             RefusedField::ContentSource},
        Case{"no group graphic",
             Content(MessageKind::Group, ""),
             {},
             "Please choose grouph graphic !",
             RefusedField::ContentSource},
        Case{"no picture",
             Content(MessageKind::Picture, ""),
             {},
             "Please choose picture message !",
             RefusedField::ContentSource},
        Case{"no tune",
             Content(MessageKind::Ringtone, ""),
             {},
             "Please choose RTTTL ringtone !",
             RefusedField::ContentSource},
        Case{"outside the GSM alphabet",
             Text("628569999999", u"caf\u00E9 \u263A\u0007"),
             {},
             "A normal text message cannot carry \"\xE2\x98\xBA\", U+0007. Remove them, or send the text "
             "as a Flash Message, which carries any character.",
             RefusedField::Text},
        Case{"long text outside the GSM alphabet",
             LongText(u"\u263A", true, false),
             {},
             "A normal text message cannot carry \"\xE2\x98\xBA\". Remove them, or send the text as Unicode, "
             "which carries any character.",
             RefusedField::Text},
        Case{"unicode beyond one message",
             LongText(std::u16string(71, u'\u0416'), false, true),
             {},
             "The text takes 71 UTF-16 units; a Unicode message holds at most 70 (an emoji counts two)",
             RefusedField::Text},
        Case{"flash beyond one message with long text",
             LongText(std::u16string(71, u'a'), true, true, true),
             {},
             "The flash message takes 142 octets; it holds at most 70 characters",
             RefusedField::Text},
        Case{"odd content",
             Content(MessageKind::Ringtone, "024"),
             {},
             "invalid content: an odd number of hex digits (3)"},
        Case{"not hex", Content(MessageKind::Picture, "02G4"), {}, "invalid content: 'G' is not a hex digit"},
        Case{"no content", Content(MessageKind::Group, " \n"), {}, "invalid content: no hex digits"},
        Case{"the MCC before the content",
             Content(MessageKind::Logo, "0", "51", "01"),
             {},
             "Unknown Mobile Operator, Please select provider or fill MCC and NC !"},
        Case{"NC with a letter",
             Content(MessageKind::Logo, "00", "510", "1x"),
             {},
             "Unknown Mobile Operator, Please select provider or fill MCC and NC !"},
        Case{"indicator of no kind",
             Other(MessageKind::Indicator, u"", 4),
             {},
             "invalid indicator kind 4: it must be voicemail, fax or email"}),
    [](const auto& info) {
        std::string n;
        for (const char* p = info.param.name; *p; ++p)
            n += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return n;
    });

TEST(BuildMessage, APictureIsThreePartsAndBuildersGiveTheirOwnReasons) {
    const auto picture = BuildMessage(Content(MessageKind::Picture, std::string(504, 'F')));
    ASSERT_TRUE(picture) << picture.error().text;
    ASSERT_EQ(picture->pdus.size(), 3u);
    EXPECT_NE(picture->pdus[0].find("0B0504158A000000032A0301"), std::string::npos);
    EXPECT_NE(picture->pdus[2].find("0B0504158A000000032A0303"), std::string::npos);

    // What the builders refuse comes back as they word it.
    const auto outsideGsm = BuildMessage(Text("628569999999", u"smile \u263A"));
    ASSERT_FALSE(outsideGsm);
    EXPECT_NE(outsideGsm.error().text.find("\xE2\x98\xBA"), std::string::npos) << outsideGsm.error().text;
    const auto badPicture = BuildMessage(Other(MessageKind::Ems, u"[#PIC00100002FF]"));
    ASSERT_FALSE(badPicture);
    EXPECT_NE(badPicture.error().text.find("picture"), std::string::npos) << badPicture.error().text;
}

TEST(BuildMessage, ALongTextIsItsPartsUnderTheGivenReference) {
    for (const bool unicode : {false, true}) {
        const auto job = BuildMessage(LongText(std::u16string(161, u'x'), true, unicode));
        ASSERT_TRUE(job) << job.error().text;
        ASSERT_EQ(job->pdus.size(), 2u) << unicode;
        EXPECT_EQ(job->pdus[0].substr(30, 12), "050003420201") << unicode;
        EXPECT_EQ(job->pdus[1].substr(30, 12), "050003420202") << unicode;
    }
}

TEST(MessageKind, NamesReadBackAndOnlyThoseAreKnown) {
    for (const char* name : {"text", "logo", "group", "picture", "ringtone", "ems", "void", "indicator"}) {
        const auto kind = MessageKindFromName(name);
        ASSERT_TRUE(kind) << name;
        EXPECT_STREQ(MessageKindName(*kind), name);
    }
    for (const char* name : {"", "Text", "fax", "texts"})
        EXPECT_FALSE(MessageKindFromName(name)) << name;
}

} // namespace
} // namespace velmora
