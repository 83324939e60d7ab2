#include "MessageTypes.h"

#include "Terms.h"
#include "TestNames.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace velmora {
namespace {

// Every value has its own name, and the name reads back as that value: a
// name given twice or misspelt in one table would mix up two states in
// every store written.
template <class E, class Name, class Back> void ExpectNamesReadBack(int count, Name name, Back back) {
    std::set<std::string> seen;
    for (int i = 0; i < count; ++i) {
        const auto value = static_cast<E>(i);
        const std::string n = name(value);
        EXPECT_TRUE(seen.insert(n).second) << "name \"" << n << "\" given twice";
        const auto read = back(n);
        ASSERT_TRUE(read.has_value()) << n;
        EXPECT_EQ(static_cast<int>(*read), i) << n;
    }
    EXPECT_FALSE(back("no-such-name").has_value());
}

TEST(MessageNames, readBackAsTheirValues) {
    ExpectNamesReadBack<msg::State>(9, msg::StateName, msg::StateFromName);
    ExpectNamesReadBack<msg::Direction>(2, msg::DirectionName, msg::DirectionFromName);
    ExpectNamesReadBack<msg::Reason>(13, msg::ReasonName, msg::ReasonFromName);
    EXPECT_STREQ(msg::StateName(msg::State::NotDelivered), "not-delivered");
    EXPECT_STREQ(msg::ReasonName(msg::Reason::None), "");
}

MessageRequest Request(MessageKind kind, std::u16string text, std::string content = "") {
    MessageRequest r;
    r.kind = kind;
    r.destination = "08569999999";
    r.text = std::move(text);
    r.content = std::move(content);
    return r;
}

struct RequestCase {
    const char* name;
    MessageRequest request;
};

// What the store keeps of a request (its JSON written out as text and read
// again) builds the same PDUs.
class RequestJsonCases : public ::testing::TestWithParam<RequestCase> {};

TEST_P(RequestJsonCases, buildTheSamePdusAfterTheStore) {
    const MessageRequest& original = GetParam().request;
    const QByteArray stored = QJsonDocument(RequestToJson(original)).toJson(QJsonDocument::Compact);
    const auto back = RequestFromJson(QJsonDocument::fromJson(stored).object());
    ASSERT_TRUE(back.has_value()) << stored.toStdString();
    const auto want = BuildMessage(original);
    const auto got = BuildMessage(*back);
    ASSERT_TRUE(want) << want.error().text;
    ASSERT_TRUE(got) << got.error().text;
    EXPECT_EQ(got->pdus, want->pdus);
    EXPECT_EQ(got->number, want->number);
    EXPECT_EQ(back->text, original.text);
}

const std::string kLogo(252, '0');

INSTANTIATE_TEST_SUITE_P(
    Kinds, RequestJsonCases,
    ::testing::Values(RequestCase{"text", Request(MessageKind::Text, u"Halo, apa kabar?")},
                      RequestCase{"flash blinking",
                                  [] {
                                      auto r = Request(MessageKind::Text, u"Now!");
                                      r.flash = r.blink = true;
                                      return r;
                                  }()},
                      RequestCase{"long unicode",
                                  [] {
                                      auto r = Request(MessageKind::Text,
                                                       std::u16string(150, u'\u0416') + u"\U0001F600");
                                      r.longText = r.unicode = true;
                                      r.concatReference = 200;
                                      return r;
                                  }()},
                      // half a surrogate pair, as a part's end may leave it
                      RequestCase{"lone surrogate",
                                  [] {
                                      auto r = Request(MessageKind::Text, u"ab\xD83D"
                                                                          u"cd");
                                      r.unicode = true;
                                      return r;
                                  }()},
                      RequestCase{"logo",
                                  [] {
                                      auto r = Request(MessageKind::Logo, u"", kLogo);
                                      r.mcc = "510";
                                      r.nc = "01";
                                      return r;
                                  }()},
                      RequestCase{"ringtone", Request(MessageKind::Ringtone, u"", "024A3A51A9")},
                      RequestCase{"ems", Request(MessageKind::Ems, u"Hi[#ANI01] there")},
                      RequestCase{"indicator",
                                  [] {
                                      auto r = Request(MessageKind::Indicator, u"");
                                      r.indicatorKind = 3;
                                      r.active = true;
                                      return r;
                                  }()},
                      RequestCase{"void", Request(MessageKind::Void, u"")},
                      // sent again, a national number goes where it went
                      RequestCase{"another country",
                                  [] {
                                      auto r = Request(MessageKind::Text, u"Hei");
                                      r.countryCode = "358";
                                      return r;
                                  }()}),
    [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

// What a received message with no text of its own is, made from its kind
// and content as it is shown; a text kept (an older store's words, what a
// message said) is shown as it is.
TEST(MessageText, aReceivedMessageWithoutTextSaysWhatItIs) {
    const auto json = [](const char* text) { return QJsonDocument::fromJson(text).object(); };
    const struct Row {
        const char* kind;
        const char* content;
        const char* text; // as stored
        const char* shown;
    } rows[] = {
        {"logo", R"({"mcc":"510","nc":"10"})", "", "Operator logo for 510 10"},
        {"logo", R"({"mcc":"510","nc":"10"})", "Operator logo for 510 10", "Operator logo for 510 10"},
        {"group", "{}", "", "Group graphic"},
        {"picture", "{}", "", "Picture message"},
        {"picture", "{}", "Sampai jumpa", "Sampai jumpa"},
        {"ringtone", R"({"title":"Für Elise"})", "", "Ringtone: Für Elise"},
        {"ringtone", "{}", "", "Ringtone"},
        {"void", "{}", "", "Void message"},
        {"indicator", R"({"indicatorKind":1,"waiting":3})", "", "Voicemail waiting: 3"},
        {"indicator", R"({"indicatorKind":3,"active":true})", "", "E-mail waiting"},
        {"indicator", R"({"indicatorKind":2,"active":false})", "", "Fax read, none waiting"},
        {"data", R"({"port":9200})", "", "Data for port 9200"},
        {"data", "{}", "", "Data"},
        {"text", R"({"content":"0A1B","compressed":true})", "", "Compressed text: 0A1B"},
        {"text", "{}", "", ""},
    };
    for (const Row& r : rows) {
        MessageRecord m;
        m.kind = QString::fromUtf8(r.kind);
        m.content = json(r.content);
        m.text = QString::fromUtf8(r.text);
        EXPECT_EQ(terms::MessageText(m), QString::fromUtf8(r.shown)) << r.kind << " " << r.content;
    }
}

// A stored request that is not one is refused, not read as another.
TEST(RequestFromJson, refusesWhatIsNotARequest) {
    const char* const bad[] = {
        R"({"destination":"62856"})",                      // no kind
        R"({"kind":"fax","destination":"62856"})",         // unknown kind
        R"({"kind":"text","text":12})",                    // text not a string
        R"({"kind":"text","flash":"yes"})",                // a flag not a bool
        R"({"kind":"text","concatReference":300})",        // past 255
        R"({"kind":"text","concatReference":1.5})",        // not whole
        R"({"kind":"text","text":"a","textUnits":"D83"})", // units cut short
        R"({"kind":"logo","mcc":510})",                    // a number where text belongs
        R"({"kind":"text","countryCode":"6200"})",         // no country code
    };
    for (const char* json : bad)
        EXPECT_FALSE(RequestFromJson(QJsonDocument::fromJson(json).object()).has_value()) << json;
    EXPECT_TRUE(RequestFromJson(QJsonDocument::fromJson(R"({"kind":"text"})").object()).has_value());
}

} // namespace
} // namespace velmora
