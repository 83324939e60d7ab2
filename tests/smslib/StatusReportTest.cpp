#include "StatusReport.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(StatusReport, aRequestSetsOnlyTheReportBitOfTheFirstOctet) {
    EXPECT_EQ(*RequestStatusReport("0011000C912658969999990000AA05C8329BFD06"),
              "0031000C912658969999990000AA05C8329BFD06");
    // A service-centre address in front is skipped.
    EXPECT_EQ(*RequestStatusReport("07912618950000F0510C91"), "07912618950000F0710C91");
    for (const char* notSubmit : {"", "00", "0004", "0G11", "0711"})
        EXPECT_FALSE(RequestStatusReport(notSubmit)) << notSubmit;
}

TEST(StatusReport, readsReferenceRecipientAndStatus) {
    const std::string stamps = "6221801200000062218012000000";
    struct Row {
        std::string pdu;
        int reference;
        const char* recipient;
        int status;
        const char* text;
    } rows[] = {
        {"0006070C91265896999999" + stamps + "00", 7, "+628569999999", 0x00, "Delivered"},
        {"07912618950000F006FF0B818021436587F9" + stamps + "46", 255, "08123456789", 0x46,
         "Not delivered: validity period expired"},
        {"0006010C91265896999999" + stamps + "41", 1, "+628569999999", 0x41,
         "Not delivered: incompatible destination"},
        {"0006020C91265896999999" + stamps + "21", 2, "+628569999999", 0x21, "Still trying: recipient busy"},
        {"0006020C91265896999999" + stamps + "7F", 2, "+628569999999", 0x7F, "Not delivered: status 7F"},
        // TS 23.040 9.1.2.3: semi-octets A to E are "*", "#", "a", "b", "c".
        {"0006D60B810B48214365F7" + stamps + "00", 214, "#0841234567", 0x00, "Delivered"},
        {"0006030C91BADC1E325476" + stamps + "00", 3, "+*#abc1234567", 0x00, "Delivered"},
        {"000603058A1A00FB" + stamps + "00", 3, "*100#", 0x00, "Delivered"},
    };
    for (const auto& r : rows) {
        const auto report = ParseStatusReport(r.pdu);
        ASSERT_TRUE(report) << r.pdu;
        EXPECT_EQ(report->reference, r.reference);
        EXPECT_EQ(report->recipient, r.recipient);
        EXPECT_EQ(report->status, r.status);
        EXPECT_EQ(StatusText(report->status), r.text);
    }
}

TEST(StatusReport, refusesWhatIsNotAWholeReport) {
    const std::string whole = "0006070C912658969999996221801200000062218012000000"
                              "00";
    for (const std::string& pdu :
         {std::string(), whole.substr(0, whole.size() - 2),
          std::string("0004070C91265896999999622180120000006221801200000000"), // a DELIVER
          std::string("0006071F91265896999999622180120000006221801200000000"),
          // A recipient digit that is no hex digit.
          std::string("0006070C9126589699999G622180120000006221801200000000")})
        EXPECT_FALSE(ParseStatusReport(pdu)) << pdu;
}

} // namespace
} // namespace velmora
