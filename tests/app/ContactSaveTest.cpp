#include "ContactSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace velmora {
namespace {

TEST(ContactExport, StampsLocalTimeOnA24HourClock) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 6;
    t.tm_hour = 23;
    t.tm_min = 30;
    t.tm_isdst = -1;
    const std::string stamp = FormatExportStamp(std::mktime(&t));
    EXPECT_EQ(stamp.substr(0, 3), "06 ") << stamp;
    EXPECT_EQ(stamp.substr(stamp.size() - 12), " 2026, 23:30") << stamp;
}

TEST(ContactExport, MakesAMissingDirectoryFirst) {
    const auto dir = std::filesystem::temp_directory_path() / ("velmora-save-" + std::to_string(::getpid()));
    const std::string path = (dir / "data" / "Contact.Txt").string();
    const ExportResult r = SaveContactExport(path, {{true, "1", "5", "129", "A"}}, 0);
    EXPECT_TRUE(r.ok) << r.status;
    EXPECT_EQ(r.status, "Save to file " + path + " !");
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace velmora
