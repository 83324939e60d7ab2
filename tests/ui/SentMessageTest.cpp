// A sent message's state from its parts: what Sent Messages lists and what
// the status bar says when a report comes.

#include "SentMessage.h"
#include "StatusReport.h"
#include "TestNames.h"

#include <gtest/gtest.h>

using namespace velmora;

namespace {

constexpr auto kSent = SubmitOutcome::Sent;
constexpr auto kUnknown = SubmitOutcome::Unknown;
constexpr auto kFailed = SubmitOutcome::Failed;

// A part sent with a reference, and its report's TP-ST when it came.
SentPart Part(SubmitOutcome outcome, std::optional<int> reference, std::optional<int> report = std::nullopt) {
    SentPart p{outcome, reference, report, {}};
    if (report)
        p.reportText = QString::fromStdString(StatusText(*report));
    return p;
}

SentPart Sending() { return {}; }

struct StateCase {
    const char* name;
    bool reportAsked;
    std::vector<SentPart> parts;
    const char* state;        // the list's status column
    const char* reportStatus; // the status bar's once a report of it came; null: none came
};

class SentMessageState : public ::testing::TestWithParam<StateCase> {};

TEST_P(SentMessageState, saysWhatBecameOfTheWholeMessage) {
    const StateCase& c = GetParam();
    SentMessage m;
    m.reportAsked = c.reportAsked;
    m.parts = c.parts;
    EXPECT_EQ(m.state().toStdString(), c.state);
    if (c.reportStatus) {
        EXPECT_EQ(m.reportStatus().toStdString(), c.reportStatus);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SentMessageState,
    ::testing::Values(
        StateCase{"one part sent, no report asked", false, {Part(kSent, 4)}, "Sent", nullptr},
        StateCase{"one part being sent", true, {Sending()}, "Sending", nullptr},
        StateCase{"two parts, the first answered",
                  true,
                  {Part(kSent, 4), Sending()},
                  "Sending, 1 of 2 sent",
                  nullptr},
        StateCase{"one part waiting for its report",
                  true,
                  {Part(kSent, 4)},
                  "Sent, waiting for the report",
                  nullptr},
        StateCase{"one part delivered", true, {Part(kSent, 4, 0x00)}, "Delivered", "Delivered"},
        StateCase{"one part not delivered",
                  true,
                  {Part(kSent, 4, 0x41)},
                  "Not delivered: incompatible destination",
                  "Not delivered: incompatible destination"},
        StateCase{"the first of two delivered while the second is still being sent",
                  true,
                  {Part(kSent, 4, 0x00), Sending()},
                  "Sending, 1 of 2 sent",
                  "Delivered (1 of 2)"},
        StateCase{"the first of two delivered, the second waiting",
                  true,
                  {Part(kSent, 4, 0x00), Part(kSent, 5)},
                  "1 of 2 delivered",
                  "Delivered (1 of 2)"},
        StateCase{"the second of two delivered first",
                  true,
                  {Part(kSent, 4), Part(kSent, 5, 0x00)},
                  "1 of 2 delivered",
                  "Delivered (1 of 2)"},
        StateCase{"both parts delivered",
                  true,
                  {Part(kSent, 4, 0x00), Part(kSent, 5, 0x02)},
                  "2 of 2 delivered",
                  "Delivered"},
        StateCase{
            "both waiting", true, {Part(kSent, 4), Part(kSent, 5)}, "Sent, waiting for the reports", nullptr},
        // A later "delivered" never hides a part that was not.
        StateCase{"one of three not delivered",
                  true,
                  {Part(kSent, 4, 0x00), Part(kSent, 5, 0x46), Part(kSent, 6, 0x00)},
                  "Not delivered: validity period expired",
                  "Not delivered: validity period expired"},
        StateCase{"a part failed",
                  true,
                  {Part(kSent, 4, 0x00), Part(kFailed, std::nullopt)},
                  "Failed",
                  "Delivered (1 of 2)"},
        StateCase{
            "a part unknown", false, {Part(kSent, 4), Part(kUnknown, std::nullopt)}, "Unknown", nullptr},
        StateCase{"the prompt never came",
                  false,
                  {Part(SubmitOutcome::NoPrompt, std::nullopt)},
                  "Failed",
                  nullptr}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.name); });

TEST(SentMessage, aReportFindsOnlyAPartStillWaitingForIt) {
    SentMessage m;
    m.reportAsked = true;
    m.parts = {Part(kSent, 7, 0x00), Part(kSent, 8), Part(kFailed, 9), Part(kSent, std::nullopt), Sending()};
    EXPECT_EQ(m.partAwaiting(8), 1);
    EXPECT_EQ(m.partAwaiting(7), -1); // its report came already
    EXPECT_EQ(m.partAwaiting(9), -1); // never sent
    EXPECT_EQ(m.partAwaiting(0), -1);
    m.reportAsked = false;
    EXPECT_EQ(m.partAwaiting(8), -1);
}

TEST(SentMessage, theDetailNamesEachPartsReference) {
    SentMessage m;
    m.destination = "628569999999";
    m.when = QDateTime(QDate(2026, 12, 8), QTime(21, 0));
    m.what = "Hello";
    m.reportAsked = true;
    m.parts = {Part(kSent, 7, 0x00), Part(kSent, 8), Part(kSent, std::nullopt), Part(kFailed, std::nullopt)};
    EXPECT_EQ(m.detail().toStdString(), "To: 628569999999\n"
                                        "Sent: 2026-12-08 21:00:00\n"
                                        "Message: Hello\n"
                                        "Part 1 of 4: sent, reference 7: Delivered\n"
                                        "Part 2 of 4: sent, reference 8, waiting for its report\n"
                                        "Part 3 of 4: sent: no reference to know its report by\n"
                                        "Part 4 of 4: failed");
    m.parts = {Part(kSent, 7, 0x41)};
    EXPECT_EQ(m.detail().section('\n', 3).toStdString(),
              "Sent, reference 7: Not delivered: incompatible destination");
}

} // namespace
