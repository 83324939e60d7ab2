#include "Logs.h"

#include "CoreTestUtil.h"

#include <QLocale>

#include <cstdlib>
#include <ctime>
#include <sstream>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace velmora {
namespace {

class Logs : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    static std::time_t Utc(int y, int mo, int d, int h, int mi, int s) {
        std::tm t{};
        t.tm_year = y - 1900;
        t.tm_mon = mo - 1;
        t.tm_mday = d;
        t.tm_hour = h;
        t.tm_min = mi;
        t.tm_sec = s;
        return ::timegm(&t);
    }
};

TEST_F(Logs, TimestampsUseTheTwelveHourClock) {
    struct Row {
        std::time_t when;
        const char* want;
    } rows[] = {
        {Utc(2026, 12, 6, 23, 30, 8), "06-12-2026 11:30:08 PM"},
        {Utc(2026, 1, 2, 0, 0, 0), "02-01-2026 12:00:00 AM"}, // midnight is 12
        {Utc(2026, 1, 2, 0, 59, 59), "02-01-2026 12:59:59 AM"},
        {Utc(2026, 1, 2, 11, 59, 59), "02-01-2026 11:59:59 AM"},
        {Utc(2026, 1, 2, 12, 0, 0), "02-01-2026 12:00:00 PM"}, // noon is 12
        {Utc(2026, 1, 2, 13, 5, 0), "02-01-2026 01:05:00 PM"},
        {Utc(1999, 10, 31, 9, 7, 3), "31-10-1999 09:07:03 AM"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FormatLogTimestamp(r.when, "AM", "PM"), r.want);
    EXPECT_EQ(FormatLogTimestamp(Utc(2026, 1, 2, 13, 5, 0), "vorm.", "nachm."), "02-01-2026 01:05:00 nachm.");
    EXPECT_EQ(FormatLogTimestamp(Utc(2026, 1, 2, 1, 5, 0), "vorm.", "nachm.", "."),
              "02-01-2026 01.05.00 vorm.");
}

TEST_F(Logs, TheTimeSeparatorComesFromTheLocalesFormat) {
    const std::pair<const char*, const char*> rows[] = {
        {"HH:mm", ":"}, {"h:mm AP", ":"}, {"H.mm", "."},     {"HH.mm.ss", "."},
        {"mm", ":"},    {"HH", ":"},      {"H 'h' mm", ":"},
    };
    for (const auto& [format, want] : rows)
        EXPECT_EQ(TimeSeparatorOf(format), want) << format;
    // Finnish writes the time with dots.
    EXPECT_EQ(TimeSeparatorOf(QLocale(QLocale::Finnish).timeFormat(QLocale::ShortFormat).toStdString()), ".");
}

TEST_F(Logs, EntriesAreAppendedAsWholeCrLfLines) {
    TempDir dir;
    const std::string log = dir / "share/velmora/Fl_smsn.Txt"; // the directory is made
    const std::time_t t1 = Utc(2026, 12, 6, 23, 30, 8), t2 = Utc(2026, 12, 7, 8, 0, 1);
    ASSERT_TRUE(AppendLogLine(log, "628569999999", t1));
    // The phone's raw answer brings its own line breaks; bytes stay as they are.
    ASSERT_TRUE(AppendLogLine(log, "\r\n+CMS ERROR: 500\r\n\xE9", t2));
    EXPECT_EQ(ReadText(log), FormatLogTimestamp(t1) + " 628569999999\r\n" + FormatLogTimestamp(t2) +
                                 " \r\n+CMS ERROR: 500\r\n\xE9\r\n");
}

TEST_F(Logs, AnAppendThatFailsIsReported) {
    TempDir dir;
    WriteText(dir / "plain", "x");
    for (const std::string& path : {dir / "plain/Tr_smsn.Txt", dir.path()}) {
        const std::string reason = AppendLogLine(path, "628569999999").error();
        EXPECT_NE(reason.find("Unable to write to " + path), std::string::npos) << reason;
    }
}

// Two writers at once (two programs may share one log): no entry is torn.
TEST_F(Logs, ConcurrentAppendsNeverInterleave) {
    TempDir dir;
    const std::string log = dir / "Tr_smsn.Txt";
    const auto writer = [&](char c) {
        for (int i = 0; i < 300; ++i)
            AppendLogLine(log, std::string(200, c), 0);
    };
    std::thread a(writer, 'a'), b(writer, 'b');
    a.join();
    b.join();
    std::istringstream in(ReadText(log));
    std::string line;
    int count = 0;
    while (std::getline(in, line)) {
        ++count;
        ASSERT_TRUE(line == "01-01-1970 12:00:00 AM " + std::string(200, 'a') + "\r" ||
                    line == "01-01-1970 12:00:00 AM " + std::string(200, 'b') + "\r")
            << line;
    }
    EXPECT_EQ(count, 600);
}

} // namespace
} // namespace velmora
