#include "StoreLocation.h"

#include "CoreTestUtil.h"
#include "TestNames.h"

#include <QString>

#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(StoreLocation, AddsThePasswordFileAndSslModeEncoded) {
    const struct {
        const char *url, *passwordFile, *sslMode, *want;
    } rows[] = {
        {"postgresql://v@h/db", "", "", "postgresql://v@h/db"},
        {"postgresql://v@%2Ftmp%2Fpg/db", "/etc/velmora/db pw", "require",
         "postgresql://v@%2Ftmp%2Fpg/db?password_file=%2Fetc%2Fvelmora%2Fdb%20pw&sslmode=require"},
        // The settings' keys replace what the URL said; its other items stay.
        {"postgres://v@h:5433/db?schema=s1&sslmode=disable", "", "verify-full",
         "postgres://v@h:5433/db?schema=s1&sslmode=verify-full"},
        {"postgresql://v@h/db?password_file=%2Fold", "/new", "", "postgresql://v@h/db?password_file=%2Fnew"},
        // What would end the item or start another is encoded, not taken.
        {"postgresql://v@h/db", "/a&sslmode=disable#x", "",
         "postgresql://v@h/db?password_file=%2Fa%26sslmode%3Ddisable%23x"},
    };
    for (const auto& r : rows) {
        const QString location = StoreLocation(r.url, r.passwordFile, r.sslMode);
        EXPECT_EQ(location.toStdString(), r.want) << r.url;
        // What the store reads back out of it is what the settings said.
        if (*r.passwordFile)
            EXPECT_EQ(StoreUrlItem(location, "password_file"), QString(r.passwordFile)) << r.url;
        if (*r.sslMode)
            EXPECT_EQ(StoreUrlItem(location, "sslmode"), QString(r.sslMode)) << r.url;
    }
}

struct UrlCase {
    const char* url;
    const char* why; // "" when the URL names a store
};

const UrlCase kUrls[] = {
    {"postgresql://velmora@%2Ftmp%2Fvelmora-pg.ab12:5432/velmora", ""},
    {"postgres://velmora@db.example.org/velmora?sslmode=verify-full&schema=t_1", ""},
    {"postgresql://velmora@[::1]:5433/velmora", ""},
    {"postgresql://velmora@10.0.0.5/velmora?password_file=%2Fetc%2Fvelmora%2Fpw", ""},
    {"POSTGRESQL://velmora@db/velmora", "is not a postgresql:// or postgres:// URL"},
    {"/var/lib/velmora/messages.sqlite", "is not a postgresql:// or postgres:// URL"},
    {"mysql://v@h/db", "is not a postgresql:// or postgres:// URL"},
    {"postgresql:/v@h/db", "is not a postgresql:// or postgres:// URL"},
    {"postgresql://velmora:hunter2@h/db", "holds a password"},
    {"postgresql://h/db", "names no user"},
    {"postgresql://@h/db", "names no user"},
    {"postgresql://v@/db", "names no host"},
    {"postgresql://v@:5432/db", "names no host"},
    {"postgresql://v@h:0/db", "\"0\" is not a port"},
    {"postgresql://v@h:65536/db", "\"65536\" is not a port"},
    {"postgresql://v@h:/db", "is not a port"},
    {"postgresql://v@h:54x/db", "\"54x\" is not a port"},
    {"postgresql://v@h1,h2/db", "\"h1,h2\" is not a host name"},
    {"postgresql://v@[::1/db", "is not a host name"},
    {"postgresql://v@h", "names no database"},
    {"postgresql://v@h/", "names no database"},
    {"postgresql://v@h/a/b", "\"a/b\" is not a database name"},
    {"postgresql://v@h/db#x", "#fragment"},
    {"postgresql://v@h/db?password=x", "not \"password\""},
    {"postgresql://v@h/db?sslmode=on", "\"on\" is not an sslmode"},
    {"postgresql://v@h/db?sslmode=require&sslmode=disable", "gives sslmode twice"},
    {"postgresql://v@h/db?password_file=pw", "\"pw\" is not an absolute path"},
    {"postgresql://v@h/db?schema=a%3Bdrop", "\"a;drop\" is not a schema name"},
    {"postgresql://v@h/db?schema=1a", "is not a schema name"},
    {"postgresql://v@h/db?schema=Shop", "is not a schema name"},
};

class StoreUrl : public ::testing::TestWithParam<UrlCase> {};

TEST_P(StoreUrl, IsTakenOrRefusedWithItsReason) {
    const UrlCase& c = GetParam();
    const std::string why = StoreUrlProblem(c.url).toStdString();
    if (!*c.why)
        EXPECT_EQ(why, "");
    else
        EXPECT_NE(why.find(c.why), std::string::npos) << why;
    // A password is never said back.
    EXPECT_EQ(why.find("hunter2"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Table, StoreUrl, ::testing::ValuesIn(kUrls),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.url); });

TEST(StoreLocation, ALongUrlIsRefusedBeforeItIsRead) {
    const QString url = "postgresql://v@h/" + QString(2100, u'd');
    EXPECT_NE(StoreUrlProblem(url).indexOf("longer than 2048"), -1);
}

TEST(StoreLocation, UrlsAreComparedAsWrittenAndFilesByWhatTheyName) {
    TempDir dir;
    WriteText(dir / "messages.sqlite", "x");
    ASSERT_EQ(::symlink((dir / "messages.sqlite").c_str(), (dir / "link.sqlite").c_str()), 0);
    const QString file = QString::fromStdString(dir / "messages.sqlite");
    const QString link = QString::fromStdString(dir / "link.sqlite");
    const QString missing = QString::fromStdString(dir / "none.sqlite");
    const struct {
        QString a, b;
        bool same;
    } rows[] = {
        {"postgresql://v@h/db", "postgresql://v@h/db", true},
        {"postgresql://v@h/db", "postgresql://v@h/db?schema=s", false},
        {"postgresql://v@h/db", "postgresql://v@H/db", false},
        {file, link, true},
        {missing, missing, false}, // nothing there is no store to share
        {link, "postgresql://v@h/db", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(SameStore(r.a, r.b), r.same) << r.a.toStdString() << " / " << r.b.toStdString();
    EXPECT_TRUE(IsStoreUrl(QString("postgres://v@h/db")));
    EXPECT_FALSE(IsStoreUrl(file));
    EXPECT_FALSE(IsStoreUrl(QString("shop.sqlite")));
    EXPECT_FALSE(StoreNotMadeYet("postgresql://v@h/db"));
    EXPECT_TRUE(StoreNotMadeYet(missing));
    EXPECT_TRUE(StoreMayOpen("postgresql://v@h/db", true));
    EXPECT_FALSE(StoreMayOpen(missing, false));
    // A server's password this user may not read: not a store for it.
    const QString pw = QString::fromStdString(dir / "pw");
    WriteText(dir / "pw", "secret\n");
    EXPECT_TRUE(StoreMayOpen(StoreLocation("postgresql://v@h/db", pw, ""), false));
    EXPECT_FALSE(StoreMayOpen(StoreLocation("postgresql://v@h/db", missing, ""), false));
}

} // namespace
} // namespace velmora
