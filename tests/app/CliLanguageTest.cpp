// velmora-cli in the user's language, run as a user runs it: under an
// Indonesian LANG its help and its errors come out in Indonesian, the words
// of its commands and what scripts read stay as they are, and in English
// nothing changed.

#include "ProgramLanguage.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome RunCli(const std::vector<std::string>& words, const QString& lang) {
    static QTemporaryDir home; // no settings file: nothing of the user's counts
    QProcess process;
    QProcessEnvironment env =
        velmora::testing::SpeakingLanguage(QProcessEnvironment::systemEnvironment(), lang);
    env.insert("VELMORA_DIR", home.path());
    process.setProcessEnvironment(env);
    QStringList list;
    for (const auto& w : words)
        list << QString::fromStdString(w);
    process.start(VELMORA_CLI, list);
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return {-1, "", "did not end"};
    }
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1000;
    return {code, process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

const QString kIndonesian = "id_ID.UTF-8";
const QString kEnglish = "C.UTF-8";

struct Said {
    const char* name;
    std::vector<std::string> words;
    int code;
    bool onStderr;
    std::string english;    // a line of the English output
    std::string indonesian; // the same line under LANG=id_ID.UTF-8
};

void PrintTo(const Said& s, std::ostream* os) { *os << s.name; }

class CliLanguage : public ::testing::TestWithParam<Said> {};

TEST_P(CliLanguage, SaysItInTheSystemsLanguage) {
    const Said& s = GetParam();
    const Outcome english = RunCli(s.words, kEnglish);
    const Outcome indonesian = RunCli(s.words, kIndonesian);
    EXPECT_EQ(english.code, s.code) << english.err;
    EXPECT_EQ(indonesian.code, s.code) << indonesian.err;
    const std::string& inEnglish = s.onStderr ? english.err : english.out;
    const std::string& inIndonesian = s.onStderr ? indonesian.err : indonesian.out;
    EXPECT_NE(inEnglish.find(s.english), std::string::npos) << inEnglish;
    EXPECT_NE(inIndonesian.find(s.indonesian), std::string::npos) << inIndonesian;
    EXPECT_EQ(inIndonesian.find(s.english), std::string::npos) << inIndonesian;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CliLanguage,
    ::testing::Values(Said{"the help names each command's use",
                           {"--help"},
                           0,
                           false,
                           "  send        send a message through the phone\n",
                           "  send        kirim pesan lewat ponsel\n"},
                      Said{"the help of a command",
                           {"queue", "--help"},
                           0,
                           false,
                           "  pause           hold a batch",
                           "  pause           tahan kiriman"},
                      Said{"an unknown command",
                           {"frobnicate"},
                           2,
                           true,
                           "velmora-cli: unknown command \"frobnicate\"\n",
                           "velmora-cli: perintah tidak dikenal \"frobnicate\"\n"},
                      Said{"a link option out of range",
                           {"send", "--port", "200", "text", "0812", "Halo"},
                           2,
                           true,
                           "velmora-cli: send: --port must be a number from 1 to 96\n",
                           "velmora-cli: send: --port harus angka dari 1 sampai 96\n"},
                      // Worded in the link, below the command line.
                      Said{"a device option the link refuses",
                           {"identify", "--device", "COM200=/dev/null"},
                           2,
                           true,
                           "velmora-cli: identify: --device \"COM200\" is not a port COM1 to COM96\n",
                           "velmora-cli: identify: --device \"COM200\" bukan port COM1 sampai COM96\n"},
                      Said{"a message kind with a word missing",
                           {"pdu", "void"},
                           2,
                           true,
                           "velmora-cli: pdu void: expected 1 argument, got 0\n",
                           "velmora-cli: pdu void: diharapkan 1 argumen, ada 0\n"},
                      // What --report prints, as the program prints it in Indonesian.
                      Said{"send's help names the report's words",
                           {"send", "--help"},
                           0,
                           false,
                           "print \"Delivered\" or",
                           "cetak \"Sampai ke penerima\""},
                      Said{"a history that is not there yet",
                           {"history", "--store", "/nonexistent/velmora-language.sqlite"},
                           0,
                           false,
                           "no messages yet: /nonexistent/velmora-language.sqlite holds none\n",
                           "belum ada pesan: /nonexistent/velmora-language.sqlite belum berisi pesan\n"}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.name); });

// What programs read is the same in every language.
struct Read {
    const char* name;
    std::vector<std::string> words;
};

void PrintTo(const Read& r, std::ostream* os) { *os << r.name; }

class CliMachineOutput : public ::testing::TestWithParam<Read> {};

TEST_P(CliMachineOutput, IsTheSameInIndonesian) {
    const Read& r = GetParam();
    const Outcome english = RunCli(r.words, kEnglish);
    const Outcome indonesian = RunCli(r.words, kIndonesian);
    ASSERT_EQ(english.code, 0) << english.err;
    ASSERT_FALSE(english.out.empty());
    EXPECT_EQ(indonesian.code, 0) << indonesian.err;
    EXPECT_EQ(indonesian.out, english.out);
}

// A message to 628569999999 saying "Halo", as "pdu text" prints it.
const std::string kPdu = "0011000C912658969999990000AA04C830FB0D";

INSTANTIATE_TEST_SUITE_P(
    Outputs, CliMachineOutput,
    ::testing::Values(Read{"the PDUs of a message", {"pdu", "text", "08569999999", "Halo"}},
                      Read{"a PDU read back as JSON", {"decode", "--json", kPdu}},
                      Read{"an empty history as JSON",
                           {"history", "--json", "--store", "/nonexistent/velmora-language.sqlite"}},
                      Read{"the version", {"--version"}}),
    [](const auto& info) { return velmora::testing::CaseName(info.index, info.param.name); });

// A batch sent through the simulated phone, as a user sends it: each
// message's line, the batch's and its default name in the queue list speak
// the user's language; --json keeps the names.
struct Sent {
    Outcome send, list, json;
};

Sent SendBatch(const QString& lang) {
    QTemporaryDir home;
    QProcess phone;
    phone.start(VELMORA_PHONESIM, {});
    if (!phone.waitForReadyRead(10'000))
        return {{-1, "", "no phone"}, {}, {}};
    const QString device = QString::fromUtf8(phone.readLine()).trimmed();
    const auto run = [&](const QStringList& words) -> Outcome {
        QProcess cli;
        QProcessEnvironment env =
            velmora::testing::SpeakingLanguage(QProcessEnvironment::systemEnvironment(), lang);
        env.insert("VELMORA_DIR", home.path());
        cli.setProcessEnvironment(env);
        cli.start(VELMORA_CLI, words);
        if (!cli.waitForFinished(60'000)) {
            cli.kill();
            cli.waitForFinished();
            return {-1, "", "did not end"};
        }
        return {cli.exitCode(), cli.readAllStandardOutput().toStdString(),
                cli.readAllStandardError().toStdString()};
    };
    Sent sent;
    sent.send =
        run({"send", "--fast", "--device", device, "--to", "0811000001, 0811000002", "text", "Halo semua"});
    sent.list = run({"queue", "list"});
    sent.json = run({"queue", "list", "--json", "B1"});
    phone.terminate();
    phone.waitForFinished();
    return sent;
}

TEST(CliBatchLanguage, EachMessageAndTheBatchAreSaidInTheUsersLanguage) {
    const Sent english = SendBatch(kEnglish), indonesian = SendBatch(kIndonesian);
    ASSERT_EQ(english.send.code, 0) << english.send.out << english.send.err;
    ASSERT_EQ(indonesian.send.code, 0) << indonesian.send.out << indonesian.send.err;
    EXPECT_NE(english.send.out.find("Message 1 to 62811000001: sent\n"), std::string::npos)
        << english.send.out;
    EXPECT_NE(english.send.out.find("Batch B1: 2 of 2 sent\n"), std::string::npos) << english.send.out;
    EXPECT_NE(english.list.out.find("  finished  2 of 2 sent  Halo semua to 2\n"), std::string::npos)
        << english.list.out;
    EXPECT_NE(indonesian.send.out.find("Pesan 1 ke 62811000001: terkirim\n"), std::string::npos)
        << indonesian.send.out;
    EXPECT_NE(indonesian.send.out.find("Kiriman B1: 2 dari 2 terkirim\n"), std::string::npos)
        << indonesian.send.out;
    EXPECT_NE(indonesian.list.out.find("  selesai  2 dari 2 terkirim  Halo semua ke 2 penerima\n"),
              std::string::npos)
        << indonesian.list.out;
    static const QRegularExpression anyEnglish("\\b(sent|finished|to|failed|uncertain|queued)\\b");
    EXPECT_FALSE(
        anyEnglish.match(QString::fromStdString(indonesian.send.out + indonesian.list.out)).hasMatch())
        << indonesian.send.out << indonesian.list.out;
    // What programs read stays as it is.
    EXPECT_NE(indonesian.json.out.find("\"state\": \"sent\""), std::string::npos) << indonesian.json.out;
}

} // namespace
