#include "Cli.h"

#include <gtest/gtest.h>

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

// What "pdu" prints, "decode --json" reads back into what made it.
TEST(DecodeCommand, readsBackEveryKindThePduCommandPrints) {
    const std::string logo = std::string(126, 'F') + std::string(126, '0');
    struct Row {
        std::vector<std::string> pdu;
        std::vector<std::string> json; // members the one object must hold
    } rows[] = {
        {{"text", "628569999999", "abc"},
         {R"("type":"submit")", R"("number":"+628569999999")", R"("kind":"text")", R"("text":"abc")",
          R"("coding":"gsm7")", R"("class":null)"}},
        {{"text", "--flash", "--blink", "628569999999", "a\"b"},
         {R"("kind":"flash")", R"("text":"a\"b")", R"("class":0)", R"("blink":true)", R"("coding":"ucs2")"}},
        {{"text", "--long", "628569999999", std::string(200, 'x')},
         {R"("parts":{"ref":)", R"("total":2,"seq":[1,2],"missing":[]})",
          R"("text":")" + std::string(200, 'x')}},
        {{"logo", "--mcc", "510", "--nc", "01", "628569999999", logo},
         {R"("kind":"logo")", R"("mcc":"510","nc":"01")", R"("content":")" + logo + "\"", R"("port":5506)",
          R"("width":72,"height":14)"}},
        {{"group", "628569999999", logo}, {R"("kind":"group")", R"("port":5507)"}},
        {{"picture", "628569999999", logo + logo}, {R"("kind":"picture")", R"("height":28)"}},
        {{"ringtone", "628569999999", "024A3A51099595C004001318CAE922849562482000"},
         {R"("kind":"ringtone")", R"("rtttl":"Beep:)",
          R"("content":"024A3A51099595C004001318CAE922849562482000")"}},
        {{"ems", "628569999999", "Hi[#ANI01] there[#SND03]"},
         {R"("kind":"ems")", R"("text":"Hi[#ANI01] there[#SND03]")", R"("coding":"8bit")"}},
        {{"void", "628569999999"}, {R"("kind":"void")"}},
        {{"indicator", "--kind", "email", "--active", "628569999999"},
         {R"("kind":"indicator")", R"("indicator":"email","active":true)"}},
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
        for (const auto& member : r.json)
            EXPECT_NE(d.out.find(member), std::string::npos) << member << " in " << d.out;
    }
}

TEST(DecodeCommand, aRefusedPduSaysWhyAndSetsTheExitStatus) {
    const Outcome d = Call(RunDecode, {"0011000C9126589699999900000AA0AC8329B",
                                       "0011000B916407281553F80000AA0AE8329BFD4697D9EC37"});
    EXPECT_EQ(d.code, kExitRefused);
    EXPECT_NE(d.out.find("  refused: cannot read octet 16 (user data)"), std::string::npos) << d.out;
    EXPECT_NE(d.out.find("text: hellohello"), std::string::npos) << d.out;
    EXPECT_EQ(Call(RunDecode, {"--bogus"}).code, kExitUsage);
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
