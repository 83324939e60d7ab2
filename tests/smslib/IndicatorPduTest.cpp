#include "IndicatorPdu.h"
#include "SmsSubmit.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

constexpr const char* kNumber = "628569999999";

struct IndicatorCase {
    int kind;
    bool active;
    bool group;
    const char* dcs;
};

TEST(IndicatorPdu, CodingSchemeForEveryKindAndState) {
    const IndicatorCase cases[] = {
        {Voicemail, false, true, "C0"}, {Voicemail, false, false, "C0"}, {Voicemail, true, true, "D8"},
        {Voicemail, true, false, "C8"}, {Fax, false, true, "C1"},        {Fax, false, false, "C1"},
        {Fax, true, true, "D9"},        {Fax, true, false, "C9"},        {Email, false, true, "C2"},
        {Email, false, false, "C2"},    {Email, true, true, "CA"},       {Email, true, false, "DA"},
    };
    for (const auto& c : cases) {
        const auto pdu = BuildIndicatorPDU(kNumber, c.kind, c.active, c.group);
        ASSERT_TRUE(pdu);
        EXPECT_EQ(*pdu, std::string("0011000C9126589699999900") + c.dcs + "AA00")
            << c.kind << " " << c.active << " " << c.group;
        EXPECT_EQ(SubmitOctetCount(*pdu), 14);
    }
}

TEST(IndicatorPdu, VoidMessageAndUnknownKinds) {
    EXPECT_EQ(*BuildVoidPDU(kNumber), "0011000C9126589699999900CBAA00");
    EXPECT_EQ(SubmitOctetCount(*BuildVoidPDU("62856")), 11);
    for (int kind : {0, 4, -1})
        EXPECT_FALSE(BuildIndicatorPDU(kNumber, kind, true, true)) << kind;
    EXPECT_FALSE(BuildVoidPDU(""));
}

} // namespace
} // namespace velmora
