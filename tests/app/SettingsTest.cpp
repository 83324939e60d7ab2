#include "GlobalU.h"

#include "CoreTestUtil.h"
#include "HeapPeak.h"
#include "IniFile.h"

#include <QString>
#include <QUrl>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace velmora {
namespace {

using S = SettingsSection;

TEST(Settings, NoFileGivesTheFirstRunDefaults) {
    TempDir dir;
    Settings s;
    s.PortNumber = 9;
    s.BaudRate = 2400;
    s.WindowTop = s.WindowLeft = s.WindowHeight = s.WindowWidth = 77;
    EXPECT_TRUE(LoadSettings(S::Communication, dir / "velmora.Ini", s).empty());
    EXPECT_TRUE(LoadSettings(S::Window, dir / "velmora.Ini", s).empty());
    EXPECT_EQ(s.PortNumber, 1);
    EXPECT_EQ(s.BaudRate, 19200);
    EXPECT_EQ(s.WindowTop, 0);
    EXPECT_EQ(s.WindowLeft, 0);
    EXPECT_EQ(s.WindowHeight, 0);
    EXPECT_EQ(s.WindowWidth, 0);
    EXPECT_TRUE(s.SerialDevices.empty());
}

TEST(Settings, CommunicationValues) {
    struct Row {
        const char* port;
        const char* baud;
        int wantPort;
        int wantBaud;
        const char* message;
    } rows[] = {
        {"3", "9600", 3, 9600, nullptr},
        {"12", "4800", 12, 4800, nullptr},
        {"260", "2400", 4, 2400, nullptr}, // low 8 bits only
        {"-1", "19200", 255, 19200, nullptr},
        {"+5", "115200", 5, 19200, nullptr}, // any other speed runs at 19200
        {"2", "09600", 2, 19200, nullptr},   // speeds compare as text
        {"abc", "9600", 1, 9600, "'abc' is not a valid integer value"},
        {"", "9600", 1, 9600, "'' is not a valid integer value"},
        {"0x10", "9600", 1, 9600, "'0x10' is not a valid integer value"},
        {"3.5", "9600", 1, 9600, "'3.5' is not a valid integer value"},
        {"99999999999", "9600", 1, 9600, "'99999999999' is not a valid integer value"},
        {"+-3", "9600", 1, 9600, "'+-3' is not a valid integer value"},
    };
    for (const auto& r : rows) {
        TempDir dir;
        WriteText(dir / "velmora.Ini",
                  std::string("[Communication Port]\nPort=") + r.port + "\nBaudrate=" + r.baud + "\n");
        Settings s;
        const auto messages = LoadSettings(S::Communication, dir / "velmora.Ini", s);
        EXPECT_EQ(s.PortNumber, r.wantPort) << r.port;
        EXPECT_EQ(s.BaudRate, r.wantBaud) << r.baud;
        if (r.message)
            EXPECT_EQ(messages, std::vector<std::string>{r.message});
        else
            EXPECT_TRUE(messages.empty()) << r.port;
    }
}

TEST(Settings, TheDialogueAndReportOptionsAreOnOnlyWhenSaidSo) {
    struct Row {
        const char* lines;
        bool fast, report;
    } rows[] = {
        {"", false, false},
        {"Dialogue=fast\nDeliveryReport=1\n", true, true},
        {"Dialogue=classic\nDeliveryReport=0\n", false, false},
        {"Dialogue=Fast\nDeliveryReport=yes\n", false, false},
    };
    for (const auto& r : rows) {
        TempDir dir;
        WriteText(dir / "velmora.Ini", std::string("[Communication Port]\nPort=2\n") + r.lines);
        Settings s;
        EXPECT_TRUE(LoadSettings(S::Communication, dir / "velmora.Ini", s).empty());
        EXPECT_EQ(s.FastDialogue, r.fast) << r.lines;
        EXPECT_EQ(s.DeliveryReport, r.report) << r.lines;
    }
    // Saved, a file gains the keys only once an option is used, and keeps
    // them when it is turned off again.
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    Settings s;
    ASSERT_TRUE(SaveSettings(S::Communication, file, s));
    EXPECT_EQ(ReadText(file), "[Communication Port]\nPort=1\nBaudrate=19200\n");
    s.FastDialogue = true;
    ASSERT_TRUE(SaveSettings(S::Communication, file, s));
    s.FastDialogue = false;
    ASSERT_TRUE(SaveSettings(S::Communication, file, s));
    EXPECT_EQ(ReadText(file), "[Communication Port]\nPort=1\nBaudrate=19200\nDialogue=classic\n");
}

TEST(Settings, ABadWindowValueFallsBackAloneAndReadingGoesOn) {
    TempDir dir;
    WriteText(dir / "velmora.Ini", "[Form]\nZTop=top\nZLeft=-20\nZHeight=1e3\nZWidth=600\n");
    Settings s;
    s.WindowTop = s.WindowHeight = 5;
    const auto messages = LoadSettings(S::Window, dir / "velmora.Ini", s);
    EXPECT_EQ(messages, (std::vector<std::string>{"'top' is not a valid integer value",
                                                  "'1e3' is not a valid integer value"}));
    EXPECT_EQ(s.WindowTop, 0);
    EXPECT_EQ(s.WindowLeft, -20);
    EXPECT_EQ(s.WindowHeight, 0);
    EXPECT_EQ(s.WindowWidth, 600);
}

TEST(Settings, SerialDevicesMapComNumbersToPaths) {
    TempDir dir;
    WriteText(dir / "velmora.Ini", "[Serial Devices]\n"
                                   "COM3=/dev/ttyUSB0\n"
                                   "com12 = /dev/rfcomm0\n"
                                   "COM3=/dev/ttyACM9\n" // the first mention wins
                                   "COM0=/dev/a\nCOM97=/dev/b\nCOMx=/dev/c\nCOM4=\nPORT5=/dev/d\n");
    Settings s;
    EXPECT_TRUE(LoadSettings(S::Communication, dir / "velmora.Ini", s).empty());
    const std::map<int, std::string> want{{3, "/dev/ttyUSB0"}, {12, "/dev/rfcomm0"}};
    EXPECT_EQ(s.SerialDevices, want);
}

TEST(Settings, TheMessageStoreIsReadAndKeptThroughASave) {
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    WriteText(file, "[Messages]\nStore=/srv/shop.sqlite\n");
    Settings s;
    EXPECT_TRUE(LoadSettings(S::Communication, file, s).empty());
    EXPECT_EQ(s.MessageStore, "/srv/shop.sqlite");
    s.MessageStore.clear();
    ASSERT_TRUE(SaveSettings(S::Communication, file, s));
    Settings again;
    LoadSettings(S::Communication, file, again);
    EXPECT_EQ(again.MessageStore, "/srv/shop.sqlite");
}

// A PostgreSQL server instead of the file: taken whole, or named and the
// file used, never a weaker sslmode than the one written.
TEST(Settings, TheStoreMayBeAServer) {
    const struct Row {
        const char* store;
        const char* location; // @DIR@: the settings file's folder
        const char* complaint;
    } rows[] = {
        {"", "/srv/shop.sqlite", ""},
        {"Url=postgresql://v@db/velmora\n", "postgresql://v@db/velmora", ""},
        {"Url=postgresql://v@%2Frun%2Fpg/velmora\nPasswordFile=db.pw\nSslMode=verify-full\n",
         "postgresql://v@%2Frun%2Fpg/velmora?password_file=@DIR@db.pw&sslmode=verify-full", ""},
        {"PasswordFile=/etc/pw\n", "/srv/shop.sqlite", ""},
        {"Url=postgresql://v:hunter2@db/velmora\n", "/srv/shop.sqlite", "[Store] Url: holds a password"},
        {"Url=db.example.org\n", "/srv/shop.sqlite", "is not a postgresql://"},
        {"Url=postgresql://v@db/velmora\nSslMode=verify_full\n", "/srv/shop.sqlite",
         "SslMode=verify_full is not disable"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.store);
        TempDir dir;
        const std::string file = dir / "velmora.Ini";
        WriteText(file, std::string("[Messages]\nStore=/srv/shop.sqlite\n[Store]\n") + row.store);
        Settings s;
        const auto messages = LoadSettings(S::Communication, file, s);
        std::string want = row.location;
        if (const auto at = want.find("@DIR@"); at != std::string::npos)
            want.replace(at, 5, QUrl::toPercentEncoding(QString::fromStdString(dir.path())).toStdString());
        EXPECT_EQ(SettingsStore(s), want);
        ASSERT_EQ(messages.size(), *row.complaint ? 1U : 0U);
        if (*row.complaint) {
            EXPECT_NE(messages[0].find(row.complaint), std::string::npos) << messages[0];
            EXPECT_NE(messages[0].find("the message store file is used instead"), std::string::npos);
            EXPECT_EQ(messages[0].find("hunter2"), std::string::npos);
        }
    }
}

// The country code of national numbers: 1 to 3 digits, anything else named
// and 62 kept.
TEST(Settings, TheCountryCodeIsOneToThreeDigits) {
    const struct Row {
        const char* line;
        const char* code;
        bool complaint;
    } rows[] = {
        {"", "62", false},
        {"CountryCode=358", "358", false},
        {"CountryCode= 1 ", "1", false},
        {"CountryCode=1234", "62", true},
        {"CountryCode=+62", "62", true},
        {"CountryCode=", "62", true},
        {"CountryCode=fi", "62", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        TempDir dir;
        const std::string file = dir / "velmora.Ini";
        WriteText(file, std::string("[Messages]\n") + row.line + "\n");
        Settings s;
        s.CountryCode = "7";
        const auto messages = LoadSettings(S::Communication, file, s);
        EXPECT_EQ(s.CountryCode, row.code);
        ASSERT_EQ(messages.size(), row.complaint ? 1U : 0U);
        if (row.complaint)
            EXPECT_NE(messages[0].find("is not 1 to 3 digits; 62 is used"), std::string::npos) << messages[0];
    }
}

// The outbox's tries again: read within 0..10, anything else named and the
// default kept; the file keeps the user's line through a save.
TEST(Settings, OutboxRetriesAreReadWithinTheirRangeAndKept) {
    struct Row {
        const char* line;
        int retries;
        bool complaint;
    };
    const Row rows[] = {
        {"", 2, false},
        {"Retries=0", 0, false},
        {"Retries=10", 10, false},
        {"Retries= 5 ", 5, false},
        {"Retries=11", 2, true},
        {"Retries=-1", 2, true},
        {"Retries=many", 2, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        TempDir dir;
        const std::string file = dir / "velmora.Ini";
        WriteText(file, std::string("[Outbox]\n") + row.line + "\n");
        Settings s;
        s.Retries = 7;
        const auto messages = LoadSettings(S::Communication, file, s);
        EXPECT_EQ(s.Retries, row.retries);
        EXPECT_EQ(messages.size(), row.complaint ? 1U : 0U);
        s.Retries = 3;
        ASSERT_TRUE(SaveSettings(S::Communication, file, s));
        Settings again;
        LoadSettings(S::Communication, file, again);
        EXPECT_EQ(again.Retries, row.retries);
    }
}

// How long messages are kept: 0 (every one) unless a number of days within
// a hundred years is given; anything else named and every message kept.
TEST(Settings, MessagesKeepDaysAreReadWithinTheirRange) {
    struct Row {
        const char* line;
        int days;
        bool complaint;
    };
    const Row rows[] = {
        {"", 0, false},
        {"KeepDays=0", 0, false},
        {"KeepDays=90", 90, false},
        {"KeepDays=36500", 36500, false},
        {"KeepDays=36501", 0, true},
        {"KeepDays=-7", 0, true},
        {"KeepDays=forever", 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        TempDir dir;
        const std::string file = dir / "velmora.Ini";
        WriteText(file, std::string("[Messages]\n") + row.line + "\n");
        Settings s;
        s.KeepDays = 5;
        const auto messages = LoadSettings(S::Communication, file, s);
        EXPECT_EQ(s.KeepDays, row.days);
        EXPECT_EQ(messages.size(), row.complaint ? 1U : 0U);
    }
}

TEST(Settings, FirstSaveWritesBothSectionsAndTheirDirectory) {
    TempDir dir;
    const std::string file = dir / "config/velmora/velmora.Ini";
    Settings s;
    s.PortNumber = 3;
    s.WindowLeft = -4;
    s.WindowHeight = 396;
    ASSERT_TRUE(SaveSettings(S::Communication, file, s));
    ASSERT_TRUE(SaveSettings(S::Window, file, s));
    EXPECT_EQ(ReadText(file), "[Communication Port]\nPort=3\nBaudrate=19200\n\n"
                              "[Form]\nZTop=0\nZLeft=-4\nZHeight=396\nZWidth=0\n");
}

TEST(Settings, SaveKeepsWhatItDoesNotOwn) {
    TempDir dir;
    const std::string before = "; written by hand\r\n"
                               "[Serial Devices]\r\n"
                               "COM3=/dev/ttyUSB0\r\n"
                               "\r\n"
                               "[Communication Port]\r\n"
                               "Baudrate=115200\r\n"
                               "Colour=blue\r\n"
                               "port=7\r\n"
                               "# keep me\r\n"
                               "[Plugins]\r\n"
                               "a = b\r\n";
    WriteText(dir / "velmora.Ini", before);
    Settings s;
    LoadSettings(S::Communication, dir / "velmora.Ini", s);
    EXPECT_EQ(s.BaudRate, 19200);
    s.PortNumber = 4;
    ASSERT_TRUE(SaveSettings(S::Communication, dir / "velmora.Ini", s));
    EXPECT_EQ(ReadText(dir / "velmora.Ini"), "; written by hand\r\n"
                                             "[Serial Devices]\r\n"
                                             "COM3=/dev/ttyUSB0\r\n"
                                             "\r\n"
                                             "[Communication Port]\r\n"
                                             "Baudrate=19200\r\n"
                                             "Colour=blue\r\n"
                                             "port=4\r\n"
                                             "# keep me\r\n"
                                             "[Plugins]\r\n"
                                             "a = b\r\n");
}

TEST(Settings, SaveFollowsALinkedSettingsFile) {
    TempDir dir;
    WriteText(dir / "kept.ini", "; mine\n");
    ASSERT_EQ(::symlink((dir / "kept.ini").c_str(), (dir / "velmora.Ini").c_str()), 0);
    ASSERT_TRUE(SaveSettings(S::Communication, dir / "velmora.Ini", Settings{}));
    struct stat st {};
    ASSERT_EQ(::lstat((dir / "velmora.Ini").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(ReadText(dir / "kept.ini"), "; mine\n\n[Communication Port]\nPort=1\nBaudrate=19200\n");
}

TEST(Settings, SaveThatCannotWriteSaysWhere) {
    TempDir dir;
    WriteText(dir / "plain", "x");
    const std::string blocked = dir / "plain/velmora.Ini"; // a file where a directory should be
    EXPECT_EQ(SaveSettings(S::Window, blocked, Settings{}).error(), "Unable to write to " + blocked);

    // A file that exists but cannot be read is not overwritten: its other
    // sections would be lost. (Root reads anything; then there is nothing to test.)
    WriteText(dir / "velmora.Ini", "[Plugins]\na=b\n");
    ASSERT_EQ(::chmod((dir / "velmora.Ini").c_str(), 0200), 0);
    if (::access((dir / "velmora.Ini").c_str(), R_OK) == 0)
        return;
    EXPECT_EQ(SaveSettings(S::Window, dir / "velmora.Ini", Settings{}).error(),
              "Unable to write to " + dir / "velmora.Ini");
    Settings s;
    const auto messages = LoadSettings(S::Window, dir / "velmora.Ini", s);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Unable to read " + dir / "velmora.Ini" + ": Permission denied");
}

constexpr std::size_t kMiB = 1024 * 1024;

// A settings file of `size` bytes: the keys first, then short lines, the
// shape that costs a reader the most per byte.
std::string PaddedSettings(std::size_t size) {
    std::string text = "[Communication Port]\nPort=3\nBaudrate=9600\n[Form]\nZTop=7\n";
    while (text.size() + 4 <= size)
        text += "k=1\n";
    text.append(size - text.size(), '\n');
    return text;
}

TEST(Settings, OnlyARegularFileOfAtMost1MiBIsReadOrWritten) {
    TempDir dir;
    struct Row {
        const char* name;
        std::string path;
        const char* kind; // what the message says it is; nullptr: read as settings
        bool save;        // try a save over it (not over a real device)
    } rows[] = {
        {"fifo", dir / "fifo.Ini", "a FIFO", true},
        {"device", dir / "zero.Ini", "a character device", false},
        {"directory", dir / "dir.Ini", "a directory", true},
        {"1 MiB and a byte", dir / "big.Ini", "larger than 1 MiB", true},
        {"exactly 1 MiB", dir / "full.Ini", nullptr, true},
    };
    ASSERT_EQ(::mkfifo(rows[0].path.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("/dev/zero", rows[1].path.c_str()), 0);
    ASSERT_EQ(::mkdir(rows[2].path.c_str(), 0700), 0);
    WriteText(rows[3].path, PaddedSettings(kMiB + 1));
    WriteText(rows[4].path, PaddedSettings(kMiB));

    for (const auto& r : rows) {
        Settings s;
        s.PortNumber = 9;
        s.BaudRate = 2400;
        s.WindowTop = 5;
        const auto messages = LoadSettings(r.path, s);
        if (!r.kind) {
            EXPECT_TRUE(messages.empty()) << r.name << ": " << messages[0];
            EXPECT_EQ(s.PortNumber, 3) << r.name;
            EXPECT_EQ(s.BaudRate, 9600) << r.name;
            EXPECT_EQ(s.WindowTop, 7) << r.name;
        } else {
            ASSERT_EQ(messages.size(), 1u) << r.name;
            EXPECT_EQ(messages[0], r.path + ": not read (" + r.kind +
                                       "); using the defaults and leaving the file as it is");
            EXPECT_EQ(s.PortNumber, 1) << r.name;
            EXPECT_EQ(s.BaudRate, 19200) << r.name;
            EXPECT_EQ(s.WindowTop, 0) << r.name;
        }
        if (!r.save)
            continue;
        struct stat before {};
        ASSERT_EQ(::stat(r.path.c_str(), &before), 0) << r.name;
        const auto saved = SaveSettings(SettingsSection::Window, r.path, s);
        struct stat after {};
        ASSERT_EQ(::stat(r.path.c_str(), &after), 0) << r.name;
        if (r.kind) {
            EXPECT_EQ(saved.error(), "Unable to write to " + r.path) << r.name;
            EXPECT_EQ(after.st_ino, before.st_ino) << r.name << " was replaced";
            EXPECT_EQ(after.st_size, before.st_size) << r.name;
        } else {
            EXPECT_TRUE(saved) << r.name << ": " << saved.error();
        }
    }
}

// The file's bytes, a copy and a rewritten copy: not a structure per line.
TEST(Settings, ReadingAndSavingTheLargestFileTakesLittleMemory) {
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    WriteText(file, PaddedSettings(kMiB));
    Settings s;
    const std::size_t base = HeapInUse();
    ResetHeapPeak();
    ASSERT_TRUE(LoadSettings(file, s).empty());
    const std::size_t loadPeak = HeapPeak() - base;
    ResetHeapPeak();
    ASSERT_TRUE(SaveSettings(SettingsSection::Window, file, s));
    const std::size_t savePeak = HeapPeak() - base;
    std::printf("peak above the start: load %zu KiB, save %zu KiB, for a file of 1024 KiB\n", loadPeak / 1024,
                savePeak / 1024);
    EXPECT_LE(loadPeak, 3 * kMiB);
    EXPECT_LE(savePeak, 6 * kMiB);
}

// A save that dies part-way through writing (here the file size limit
// kills it at a chosen byte, as a crash or a full disk would stop it) leaves
// the old file whole; the next save writes the new one whole.
TEST(Settings, SaveKilledHalfWayLeavesAWholeFile) {
    TempDir dir;
    const std::string file = dir / "velmora.Ini";
    std::string big = "[Notes]\n";
    for (int i = 0; i < 2000; ++i)
        big += "line" + std::to_string(i) + "=" + std::string(40, 'x') + "\n";
    WriteText(file, big);
    Settings s;
    ASSERT_TRUE(SaveSettings(S::Window, file, s));
    const std::string old = ReadText(file);

    for (const rlim_t limit : {rlim_t{1}, rlim_t{old.size() / 2}, rlim_t{old.size() - 1}}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const rlimit rl{limit, limit};
            ::setrlimit(RLIMIT_FSIZE, &rl);
            Settings changed;
            changed.WindowTop = 12345;
            SaveSettings(S::Window, file, changed);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "limit " << limit;
        EXPECT_EQ(ReadText(file), old) << "limit " << limit;
    }
    s.WindowTop = 12345;
    ASSERT_TRUE(SaveSettings(S::Window, file, s));
    Settings back;
    LoadSettings(S::Window, file, back);
    EXPECT_EQ(back.WindowTop, 12345);
    EXPECT_EQ(ReadText(file).compare(0, big.size(), big), 0);
}

} // namespace
} // namespace velmora
