#include "DaemonConfig.h"

#include "CoreTestUtil.h"
#include "TestNames.h"

#include <QProcess>
#include <QString>
#include <QUrl>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

// What a problem must say: its section and key exactly, and a piece of why.
struct Want {
    const char* section;
    const char* key;
    const char* why;
};

// A PIN file beside the settings ("PinFile=pin" finds it), made when
// `text` is set.
struct Pin {
    const char* text = nullptr;
    mode_t mode = 0600;
};

struct Case {
    const char* name;
    const char* file;
    std::vector<Want> want;
    Pin pin = {};
    Pin secret = {}; // "secret" beside the settings: a token or a signing secret
};

// A modem, for the cases about the other sections.
#define MODEM "[Modem a]\nDevice=/dev/ttyUSB0\n"
constexpr Pin kSecret{"0123456789abcdef0123\n", 0600};

const Case kBadFiles[] = {
    {"no modem at all", "[Store]\nPath=/var/lib/velmora/m.sqlite\n", {{"", "", "names no modem"}}},
    {"empty file", "", {{"", "", "names no modem"}}},
    {"modem without a device", "[Modem office]\nSpeed=9600\n", {{"Modem office", "Device", "missing"}}},
    {"empty device", "[Modem office]\nDevice=\n", {{"Modem office", "Device", "is empty"}}},
    {"relative device",
     "[Modem office]\nDevice=ttyUSB0\n",
     {{"Modem office", "Device", "not an absolute path"}}},
    {"two modems on one device",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Modem b]\nDevice=/dev/../dev/ttyUSB0\n",
     {{"Modem b", "Device", "the device of [Modem a] already"}}},
    {"modem named twice, in another case",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[MODEM A]\nDevice=/dev/ttyUSB1\n",
     {{"MODEM A", "", "given twice"}}},
    {"modem without a name", "[Modem]\nDevice=/dev/ttyUSB0\n", {{"Modem", "", "a modem's name"}}},
    {"modem name with a blank",
     "[Modem front desk]\nDevice=/dev/ttyUSB0\n",
     {{"Modem front desk", "", "a modem's name"}}},
    {"unknown key in a modem",
     "[Modem a]\nDevice=/dev/ttyUSB0\nBaudrate=9600\n",
     {{"Modem a", "Baudrate", "unknown key"}}},
    {"key given twice",
     "[Modem a]\nDevice=/dev/ttyUSB0\ndevice=/dev/ttyUSB1\n",
     {{"Modem a", "device", "given twice"}}},
    {"speed not a number",
     "[Modem a]\nDevice=/dev/ttyUSB0\nSpeed=fast\n",
     {{"Modem a", "Speed", "\"fast\""}}},
    {"speed the link does not set",
     "[Modem a]\nDevice=/dev/ttyUSB0\nSpeed=115201\n",
     {{"Modem a", "Speed", "not a line speed"}}},
    {"negative interval",
     "[Modem a]\nDevice=/dev/ttyUSB0\nInterval=-5\n",
     {{"Modem a", "Interval", "whole number of seconds"}}},
    {"interval in minutes",
     "[Modem a]\nDevice=/dev/ttyUSB0\nInterval=5m\n",
     {{"Modem a", "Interval", "\"5m\""}}},
    {"interval over a day",
     "[Modem a]\nDevice=/dev/ttyUSB0\nInterval=86401\n",
     {{"Modem a", "Interval", "from 0 to 86400"}}},
    {"per hour too many",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPerHour=3601\n",
     {{"Modem a", "PerHour", "from 0 to 3600"}}},
    {"per hour fraction",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPerHour=1.5\n",
     {{"Modem a", "PerHour", "\"1.5\""}}},
    {"ussd encoding unknown",
     "[Modem a]\nDevice=/dev/ttyUSB0\nUssdEncoding=gsm\n",
     {{"Modem a", "UssdEncoding", "neither text nor packed"}}},
    {"delete after store as a number",
     "[Modem a]\nDevice=/dev/ttyUSB0\nDeleteAfterStore=1\n",
     {{"Modem a", "DeleteAfterStore", "neither yes nor no"}}},
    {"pin file missing",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=nowhere.pin\n",
     {{"Modem a", "PinFile", "cannot be read"}}},
    {"pin file the group may read",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=pin\n",
     {{"Modem a", "PinFile", "(mode 0640)"}},
     {"1234\n", 0640}},
    {"pin file others may read",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=pin\n",
     {{"Modem a", "PinFile", "(mode 0604)"}},
     {"1234\n", 0604}},
    {"pin file the group may change",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=pin\n",
     {{"Modem a", "PinFile", "(mode 0620)"}},
     {"1234\n", 0620}},
    {"pin file holds no pin",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=pin\n",
     {{"Modem a", "PinFile", "PIN of 4 to 8 digits"}},
     {"12ab\n", 0600}},
    {"pin too long",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=pin\n",
     {{"Modem a", "PinFile", "PIN of 4 to 8 digits"}},
     {"123456789\n", 0600}},
    {"pin file is a directory",
     "[Modem a]\nDevice=/dev/ttyUSB0\nPinFile=.\n",
     {{"Modem a", "PinFile", "not a regular file"}}},
    {"unknown section",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Outbox]\nRetries=2\nInterval=3\n",
     {{"Outbox", "", "unknown section"}}},
    {"store path empty", "[Modem a]\nDevice=/dev/ttyUSB0\n[Store]\nPath=\n", {{"Store", "Path", "is empty"}}},
    {"unknown store key",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Store]\nFile=x\n",
     {{"Store", "File", "unknown key"}}},
// A PostgreSQL server instead of the file.
#define PG "[Store]\nUrl=postgresql://velmora@db.example.org/velmora"
    {"store url and path",
     MODEM "[Store]\nPath=m.sqlite\nUrl=postgresql://velmora@db/velmora\n",
     {{"Store", "Url", "and Path= name two stores"}}},
    {"store url empty", MODEM "[Store]\nUrl=\n", {{"Store", "Url", "is empty"}}},
    {"store url of another server",
     MODEM "[Store]\nUrl=mysql://v@db/velmora\n",
     {{"Store", "Url", "postgresql://"}}},
    {"store url with a password",
     MODEM "[Store]\nUrl=postgresql://velmora:pw@db/velmora\n",
     {{"Store", "Url", "holds a password"}}},
    {"store url without a database",
     MODEM "[Store]\nUrl=postgresql://v@db\n",
     {{"Store", "Url", "no database"}}},
    {"password file the group may read",
     MODEM PG "\nPasswordFile=secret\n",
     {{"Store", "PasswordFile", "(mode 0640)"}},
     {},
     {"pw\n", 0640}},
    {"password file of the url others may read",
     MODEM PG "?password_file=@DIR@secret\n",
     {{"Store", "Url", "(mode 0604)"}},
     {},
     {"pw\n", 0604}},
    {"password file with no password",
     MODEM PG "\nPasswordFile=secret\n",
     {{"Store", "PasswordFile", "holds no password"}},
     {},
     {"\nlater\n", 0600}},
    {"password file empty", MODEM PG "\nPasswordFile=\n", {{"Store", "PasswordFile", "is empty"}}},
    {"password file without a server",
     MODEM "[Store]\nPasswordFile=secret\nSslMode=require\n",
     {{"Store", "PasswordFile", "goes with Url="}, {"Store", "SslMode", "goes with Url="}},
     {},
     kSecret},
    {"password file twice",
     MODEM PG "?password_file=@DIR@secret\nPasswordFile=secret\n",
     {{"Store", "PasswordFile", "given in Url= too (password_file=)"}},
     {},
     kSecret},
    {"ssl mode unknown", MODEM PG "\nSslMode=on\n", {{"Store", "SslMode", "\"on\" is not disable, allow"}}},
    {"ssl mode twice",
     MODEM PG "?sslmode=require\nSslMode=disable\n",
     {{"Store", "SslMode", "given in Url= too (sslmode=)"}}},
    {"lease too short", MODEM PG "\nLeaseSeconds=9\n", {{"Store", "LeaseSeconds", "from 10 to 3600"}}},
    {"lease too long", MODEM PG "\nLeaseSeconds=3601\n", {{"Store", "LeaseSeconds", "from 10 to 3600"}}},
    {"lease in minutes", MODEM PG "\nLeaseSeconds=1m\n", {{"Store", "LeaseSeconds", "\"1m\""}}},
#undef PG
    {"country code with letters",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Messages]\nCountryCode=ID\n",
     {{"Messages", "CountryCode", "country calling code"}}},
    {"country code too long",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Messages]\nCountryCode=6200\n",
     {{"Messages", "CountryCode", "country calling code"}}},
    // "0812..." would become "062812...": no calling code starts with 0.
    {"country code with a leading zero",
     "[Modem a]\nDevice=/dev/ttyUSB0\n[Messages]\nCountryCode=062\n",
     {{"Messages", "CountryCode", "country calling code"}}},
    {"key before any section",
     "Device=/dev/ttyUSB0\n[Modem a]\nDevice=/dev/ttyUSB0\n",
     {{"", "Device", "before any section"}}},
    {"stray line", "[Modem a]\nDevice=/dev/ttyUSB0\nSpeed 9600\n", {{"Modem a", "", "line 3 is neither"}}},
    // The doors: [Http], [Hooks], [Webhooks].
    {"listen at a name",
     MODEM "[Http]\nListen=example.org:80\nTokenFile=secret\n",
     {{"Http", "Listen", "\"example.org:80\" is not PORT"}},
     {},
     kSecret},
    {"listen on port 0",
     MODEM "[Http]\nListen=127.0.0.1:0\nTokenFile=secret\n",
     {{"Http", "Listen", "from 1 to 65535"}},
     {},
     kSecret},
    {"listen on a port too high",
     MODEM "[Http]\nListen=70000\nTokenFile=secret\n",
     {{"Http", "Listen", "from 1 to 65535"}},
     {},
     kSecret},
    {"listen on every address",
     MODEM "[Http]\nListen=0.0.0.0:8080\nTokenFile=secret\n",
     {{"Http", "Listen", "AllowRemote=yes"}},
     {},
     kSecret},
    {"listen on every v6 address",
     MODEM "[Http]\nTokenFile=secret\nListen=[::]:8080\nAllowRemote=no\n",
     {{"Http", "Listen", "AllowRemote=yes"}},
     {},
     kSecret},
    {"listen on a v6 address unclosed",
     MODEM "[Http]\nListen=[::1:8080\nTokenFile=secret\n",
     {{"Http", "Listen", "is not PORT"}},
     {},
     kSecret},
    {"listen without a token", MODEM "[Http]\nListen=8080\n", {{"Http", "TokenFile", "missing"}}},
    {"token file others may read",
     MODEM "[Http]\nListen=8080\nTokenFile=secret\n",
     {{"Http", "TokenFile", "(mode 0644)"}},
     {},
     {"0123456789abcdef0123\n", 0644}},
    {"token file missing",
     MODEM "[Http]\nListen=8080\nTokenFile=nowhere\n",
     {{"Http", "TokenFile", "cannot be read"}}},
    {"token too short",
     MODEM "[Http]\nListen=8080\nTokenFile=secret\n",
     {{"Http", "TokenFile", "at least 16 characters"}},
     {},
     {"abc\n", 0600}},
    {"allow remote as a number",
     MODEM "[Http]\nListen=8080\nTokenFile=secret\nAllowRemote=1\n",
     {{"Http", "AllowRemote", "neither yes nor no"}},
     {},
     kSecret},
    {"per minute in words",
     MODEM "[Http]\nListen=8080\nTokenFile=secret\nPerMinute=lots\n",
     {{"Http", "PerMinute", "\"lots\""}},
     {},
     kSecret},
    {"unknown http key", MODEM "[Http]\nPort=8080\n", {{"Http", "Port", "unknown key"}}},
    {"hook by a relative path",
     MODEM "[Hooks]\nOnReceive=on-sms --all\n",
     {{"Hooks", "OnReceive", "not an absolute path"}}},
    {"hook not a program", MODEM "[Hooks]\nOnState=/etc/passwd\n", {{"Hooks", "OnState", "not a program"}}},
    {"hook empty", MODEM "[Hooks]\nOnReceive=\n", {{"Hooks", "OnReceive", "is empty"}}},
    {"unknown hooks key", MODEM "[Hooks]\nOnSend=/bin/true\n", {{"Hooks", "OnSend", "unknown key"}}},
    {"webhook to ftp",
     MODEM "[Webhooks]\nUrl=ftp://example.org/\nSecretFile=secret\n",
     {{"Webhooks", "Url", "not an http or https URL"}},
     {},
     kSecret},
    {"webhook with a password in it",
     MODEM "[Webhooks]\nUrl=https://u:p@example.org/\nSecretFile=secret\n",
     {{"Webhooks", "Url", "not an http or https URL"}},
     {},
     kSecret},
    {"webhook without a secret",
     MODEM "[Webhooks]\nUrl=https://example.org/sms\n",
     {{"Webhooks", "SecretFile", "missing"}}},
    {"webhook secret the group may read",
     MODEM "[Webhooks]\nUrl=https://example.org/sms\nSecretFile=secret\n",
     {{"Webhooks", "SecretFile", "(mode 0640)"}},
     {},
     {"0123456789abcdef0123\n", 0640}},
    {"unknown webhooks key",
     MODEM "[Webhooks]\nURI=https://example.org/\n",
     {{"Webhooks", "URI", "unknown key"}}},
    {"every problem, not the first only",
     "[Modem a]\nSpeed=1\n[Modem b]\nDevice=/dev/ttyS0\nPerHour=x\n[Messages]\nCountry=62\n",
     {{"Modem a", "Speed", "not a line speed"},
      {"Modem b", "PerHour", "\"x\""},
      {"Messages", "Country", "unknown key"},
      {"Modem a", "Device", "missing"}}},
};

class BadDaemonConfig : public ::testing::TestWithParam<Case> {};

TEST_P(BadDaemonConfig, IsRefusedNamingSectionKeyAndWhy) {
    const Case& c = GetParam();
    TempDir dir;
    const std::string file = dir / "velmorad.conf";
    std::string text = c.file;
    for (std::size_t at; (at = text.find("@DIR@")) != std::string::npos;)
        text.replace(at, 5, dir.path());
    WriteText(file, text);
    if (c.pin.text) {
        WriteText(dir / "pin", c.pin.text);
        ASSERT_EQ(::chmod((dir / "pin").c_str(), c.pin.mode), 0);
    }
    if (c.secret.text) {
        WriteText(dir / "secret", c.secret.text);
        ASSERT_EQ(::chmod((dir / "secret").c_str(), c.secret.mode), 0);
    }
    const auto loaded = LoadDaemonConfig(QString::fromStdString(file));
    ASSERT_FALSE(loaded.ok());
    const auto& problems = loaded.error();
    ASSERT_EQ(problems.size(), c.want.size()) << ConfigProblemLine(problems.front()).toStdString();
    for (std::size_t i = 0; i < c.want.size(); ++i) {
        const std::string line = ConfigProblemLine(problems[i]).toStdString();
        EXPECT_EQ(problems[i].file.toStdString(), file) << line;
        EXPECT_EQ(problems[i].section.toStdString(), c.want[i].section) << line;
        EXPECT_EQ(problems[i].key.toStdString(), c.want[i].key) << line;
        EXPECT_NE(problems[i].why.toStdString().find(c.want[i].why), std::string::npos) << line;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, BadDaemonConfig, ::testing::ValuesIn(kBadFiles),
                         [](const auto& info) { return testing::CaseName(info.index, info.param.name); });

TEST(DaemonConfig, MissingFileIsOneProblemOfTheFile) {
    TempDir dir;
    const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "none.conf"));
    ASSERT_FALSE(loaded.ok());
    ASSERT_EQ(loaded.error().size(), 1u);
    EXPECT_EQ(ConfigProblemLine(loaded.error()[0]).toStdString(),
              dir / "none.conf" + ": cannot be read: No such file or directory");
}

TEST(DaemonConfig, FileOverOneMebibyteIsNotRead) {
    TempDir dir;
    WriteText(dir / "big.conf", "[Modem a]\nDevice=/dev/ttyUSB0\n" + std::string(1024 * 1024, ';'));
    const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "big.conf"));
    ASSERT_FALSE(loaded.ok());
    EXPECT_NE(loaded.error()[0].why.indexOf("larger than 1 MiB"), -1);
}

TEST(DaemonConfig, ALinkAndTheDeviceItPointsAtAreOneDevice) {
    TempDir dir;
    WriteText(dir / "ttyUSB3", "");
    ASSERT_EQ(::symlink((dir / "ttyUSB3").c_str(), (dir / "usb-HUAWEI-if00-port0").c_str()), 0);
    WriteText(dir / "velmorad.conf", "[Modem a]\nDevice=" + dir / "ttyUSB3" +
                                         "\n[Modem b]\nDevice=" + dir / "usb-HUAWEI-if00-port0" + "\n");
    const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "velmorad.conf"));
    ASSERT_FALSE(loaded.ok());
    ASSERT_EQ(loaded.error().size(), 1u);
    EXPECT_EQ(loaded.error()[0].section, "Modem b");
    EXPECT_EQ(loaded.error()[0].key, "Device");
}

TEST(DaemonConfig, GoodFileGivesEveryValue) {
    TempDir dir;
    WriteText(dir / "office.pin", "4321\n");
    ASSERT_EQ(::chmod((dir / "office.pin").c_str(), 0600), 0);
    WriteText(dir / "velmorad.conf", "; two modems\r\n"
                                     "[Modem office]\r\n"
                                     "Device = /dev/serial/by-id/usb-HUAWEI_E1550-if00-port0\r\n"
                                     "speed=9600\r\n"
                                     "PinFile=office.pin\r\n"
                                     "Interval=10\r\n"
                                     "PerHour=60\r\n"
                                     "UssdEncoding=Packed\r\n"
                                     "DeleteAfterStore=YES\r\n"
                                     "\r\n"
                                     "[modem spare-2]\r\n"
                                     "Device=/dev/ttyACM0\r\n"
                                     "[Store]\r\n"
                                     "Path=\"store/messages.sqlite\"\r\n"
                                     "[Messages]\r\n"
                                     "CountryCode=+44\r\n");
    const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "velmorad.conf"));
    ASSERT_TRUE(loaded.ok()) << ConfigProblemLine(loaded.error().front()).toStdString();
    const DaemonConfig& c = *loaded;
    EXPECT_EQ(c.storePath.toStdString(), dir / "store/messages.sqlite");
    EXPECT_EQ(c.countryCode, "44");
    ASSERT_EQ(c.modems.size(), 2u);
    const ModemConfig& office = c.modems[0];
    EXPECT_EQ(office.name, "office");
    EXPECT_EQ(office.device, "/dev/serial/by-id/usb-HUAWEI_E1550-if00-port0");
    EXPECT_EQ(office.speed, 9600);
    EXPECT_EQ(office.pinFile.toStdString(), dir / "office.pin");
    EXPECT_EQ(office.intervalMs, 10000);
    EXPECT_EQ(office.perHour, 60);
    EXPECT_EQ(office.ussdEncoding, "packed");
    EXPECT_TRUE(office.deleteAfterStore);
    // What a modem leaves out takes its default.
    const ModemConfig& spare = c.modems[1];
    EXPECT_EQ(spare.name, "spare-2");
    EXPECT_EQ(spare.speed, 115200);
    EXPECT_TRUE(spare.pinFile.isEmpty());
    EXPECT_EQ(spare.intervalMs, 0);
    EXPECT_EQ(spare.perHour, 0);
    EXPECT_TRUE(spare.ussdEncoding.isEmpty());
    EXPECT_FALSE(spare.deleteAfterStore);
}

TEST(DaemonConfig, TheDoorsGiveTheirValues) {
    TempDir dir;
    WriteText(dir / "token", "0123456789abcdef0123\n");
    ASSERT_EQ(::chmod((dir / "token").c_str(), 0600), 0);
    const struct {
        const char* http;
        const char* listen;
        bool remote;
        int perMinute;
    } rows[] = {
        {"", "", false, 600},
        {"Listen=8080\nTokenFile=token\n", "8080", false, 600},
        {"Listen=[::1]:8080\nTokenFile=token\nPerMinute=0\n", "[::1]:8080", false, 0},
        {"Listen=localhost:80\nTokenFile=token\n", "localhost:80", false, 600},
        {"AllowRemote=yes\nListen=0.0.0.0:8443\nTokenFile=token\n", "0.0.0.0:8443", true, 600},
    };
    for (const auto& row : rows) {
        WriteText(dir / "velmorad.conf", std::string(MODEM "[Http]\n") + row.http +
                                             "[Hooks]\nOnReceive=/bin/echo 'got one' \"$(x)\"\n"
                                             "[Webhooks]\nUrl=https://example.org/sms?from=velmora\n"
                                             "SecretFile=token\n");
        const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "velmorad.conf"));
        ASSERT_TRUE(loaded.ok()) << row.http << ConfigProblemLine(loaded.error().front()).toStdString();
        EXPECT_EQ(loaded->http.listen.toStdString(), row.listen);
        EXPECT_EQ(loaded->http.allowRemote, row.remote);
        EXPECT_EQ(loaded->http.perMinute, row.perMinute);
        EXPECT_EQ(loaded->http.tokenFile.toStdString(), *row.listen ? dir / "token" : "");
        EXPECT_EQ(loaded->hooks.onReceive, "/bin/echo 'got one' \"$(x)\"");
        EXPECT_TRUE(loaded->hooks.onState.isEmpty());
        EXPECT_EQ(loaded->webhook.url, "https://example.org/sms?from=velmora");
        EXPECT_EQ(loaded->webhook.secretFile.toStdString(), dir / "token");
    }
}

// A hook's program in a folder with a space is quoted as a command line is:
// the quotes around the whole value are its own, not the settings file's.
TEST(DaemonConfig, AHookWhosePathIsQuotedKeepsItsQuotes) {
    TempDir dir;
    const std::filesystem::path folder = dir / "my hooks";
    std::filesystem::create_directories(folder);
    WriteText(folder / "on sms", "#!/bin/sh\ncat\n");
    std::filesystem::permissions(folder / "on sms", std::filesystem::perms::owner_all);
    const std::string quoted = "\"" + (folder / "on sms").string() + "\"";
    for (const std::string& value : {quoted, quoted + " \"--to\" \"x y\""}) {
        WriteText(dir / "velmorad.conf", std::string(MODEM "[Hooks]\nOnReceive=") + value + "\n");
        const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "velmorad.conf"));
        ASSERT_TRUE(loaded.ok()) << value << ": " << ConfigProblemLine(loaded.error().front()).toStdString();
        EXPECT_EQ(loaded->hooks.onReceive.toStdString(), value);
        EXPECT_EQ(QProcess::splitCommand(loaded->hooks.onReceive).front().toStdString(),
                  (folder / "on sms").string());
    }
}

TEST(DaemonConfig, TheStoreIsAFileOrAServer) {
    TempDir dir;
    WriteText(dir / "db pw", "secret\n");
    ASSERT_EQ(::chmod((dir / "db pw").c_str(), 0600), 0);
    const std::string encoded = QUrl::toPercentEncoding(QString::fromStdString(dir / "db pw")).toStdString();
    const struct {
        const char* store;
        std::string location;
        int lease;
    } rows[] = {
        {"", "", 60},
        {"Path=m.sqlite\nLeaseSeconds=10\n", dir / "m.sqlite", 10},
        {"Url=postgresql://velmora@%2Ftmp%2Fpg:5432/velmora\n",
         "postgresql://velmora@%2Ftmp%2Fpg:5432/velmora", 60},
        {"url=postgres://velmora@db/velmora?schema=shop\nPasswordFile=db pw\nSslMode=Verify-Full\n"
         "LeaseSeconds=3600\n",
         "postgres://velmora@db/velmora?schema=shop&password_file=" + encoded + "&sslmode=verify-full", 3600},
    };
    for (const auto& row : rows) {
        WriteText(dir / "velmorad.conf", std::string(MODEM "[Store]\n") + row.store);
        const auto loaded = LoadDaemonConfig(QString::fromStdString(dir / "velmorad.conf"));
        ASSERT_TRUE(loaded.ok()) << row.store << ConfigProblemLine(loaded.error().front()).toStdString();
        EXPECT_EQ(loaded->storeLocation().toStdString(), row.location) << row.store;
        EXPECT_EQ(loaded->leaseSeconds, row.lease) << row.store;
    }
}

TEST(DaemonConfig, ProblemLinesLeaveOutWhatIsNotNamed) {
    const struct {
        ConfigProblem problem;
        const char* line;
    } rows[] = {
        {{"/etc/v.conf", "Modem a", "Speed", "bad"}, "/etc/v.conf: [Modem a] Speed: bad"},
        {{"/etc/v.conf", "Outbox", "", "unknown section"}, "/etc/v.conf: [Outbox]: unknown section"},
        {{"/etc/v.conf", "", "Device", "stands before any section"},
         "/etc/v.conf: Device: stands before any section"},
        {{"/etc/v.conf", "", "", "names no modem"}, "/etc/v.conf: names no modem"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ConfigProblemLine(r.problem).toStdString(), r.line);
}

TEST(DaemonConfig, UserFileFollowsXdgConfigHome) {
    const struct {
        const char* xdg;
        const char* want;
    } rows[] = {
        {"/srv/conf", "/srv/conf/velmora/velmorad.conf"},
        {"", "/home/ana/.config/velmora/velmorad.conf"},
        {"relative/conf", "/home/ana/.config/velmora/velmorad.conf"}, // not absolute: ignored
    };
    for (const auto& r : rows)
        EXPECT_EQ(UserDaemonConfig(r.xdg, "/home/ana").toStdString(), r.want) << r.xdg;
}

} // namespace
} // namespace velmora
