#include "StoreReplies.h"

#include <gtest/gtest.h>

namespace velmora {
namespace {

// A DELIVER (24 octets after its service-centre part) and a SUBMIT (18).
const std::string kDeliver = "0791261895000000040C9126589699999900006221801200008205C8329BFD06";
const std::string kSubmit = "0001000C91265896999999000005C8329BFD06";

TEST(StoreReplies, aListKeepsOnlyWholeEntries) {
    const struct {
        const char* name;
        std::string reply;
        std::vector<StoreEntry> entries;
    } rows[] = {
        {"both, a name with a comma",
         "\r\n+CMGL: 1,0,,24\r\n" + kDeliver + "\r\n+CMGL: 12,3,\"Ann, home\",18\r\n" + kSubmit +
             "\r\n\r\nOK\r\n",
         {{1, 0, kDeliver}, {12, 3, kSubmit}}},
        {"a blank line before the PDU, no name field",
         "+CMGL: 2,1,24\r\n\r\n" + kDeliver + "\r\n",
         {{2, 1, kDeliver}}},
        {"cut short", "\r\n+CMGL: 1,0,,24\r\n" + kDeliver.substr(0, 40), {}},
        {"the length does not match",
         "+CMGL: 1,0,,23\r\n" + kDeliver + "\r\n+CMGL: 2,3,,18\r\n" + kSubmit,
         {{2, 3, kSubmit}}},
        {"no PDU line before the next entry",
         "+CMGL: 1,0,,24\r\n+CMGL: 2,3,,18\r\n" + kSubmit + "\r\n",
         {{2, 3, kSubmit}}},
        {"a stat out of range", "+CMGL: 1,7,,18\r\n" + kSubmit, {}},
        {"not hex", "+CMGL: 1,3,,18\r\n" + kSubmit.substr(0, 34) + "XYZW", {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseMessageList(r.reply), r.entries) << r.name;
}

TEST(StoreReplies, aReadGivesItsMessageOrNone) {
    const struct {
        std::string reply;
        std::optional<StoreEntry> entry;
    } rows[] = {
        {"\r\n+CMGR: 0,,24\r\n" + kDeliver + "\r\n\r\nOK\r\n", StoreEntry{0, 0, kDeliver}},
        {"\r\n+CMGR: 3,\"Ann\",18\r\n" + kSubmit + "\r\n\r\nOK\r\n", StoreEntry{0, 3, kSubmit}},
        {"\r\n+CMGR: 0,,24\r\n" + kDeliver.substr(2) + "\r\n", std::nullopt},
        {"\r\n+CMS ERROR: 321\r\n", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseMessageRead(r.reply), r.entry) << r.reply;
}

TEST(StoreReplies, storagesAndTheirCounts) {
    const struct {
        std::string reply;
        std::vector<std::string> storages;
        std::optional<int> used;
    } rows[] = {
        {"\r\n+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")\r\n\r\nOK\r\n",
         {"SM", "ME"},
         std::nullopt},
        {"+CPMS: (\"ME\",\"SM\",\"SR\"),(\"ME\",\"SM\"),(\"ME\")", {"ME", "SM", "SR"}, std::nullopt},
        {"+CPMS: (\"SM\",\"ME\"", {}, std::nullopt},
        {"+CPMS: (\"sm\",\"A LONG ONE\",\"PM\"\"ME\")", {}, std::nullopt},
        {"\r\n+CPMS: 3,30,3,30,3,30\r\n\r\nOK\r\n", {}, 3},
        {"+CPMS: \"SM\",3,30,\"SM\",3,30", {"SM"}, std::nullopt}, // as a single storage would be offered
    };
    for (const auto& r : rows) {
        EXPECT_EQ(ParseStorages(r.reply), r.storages) << r.reply;
        EXPECT_EQ(ParseStorageUsed(r.reply), r.used) << r.reply;
    }
}

} // namespace
} // namespace velmora
