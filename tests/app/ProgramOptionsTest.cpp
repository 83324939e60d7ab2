// The options of the programs themselves, as a user runs them: velmora-cli
// before its command, and the window's.

#include "ProgramLanguage.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <QProcess>

#include <string>
#include <vector>

namespace {

struct Outcome {
    int code;
    std::string out, err;
};

Outcome RunProgram(const char* program, const std::vector<std::string>& words) {
    QProcess process;
    QProcessEnvironment env = velmora::testing::SpeakingEnglish(QProcessEnvironment::systemEnvironment());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("VELMORA_DIR", "/nonexistent/velmora-program-options");
    process.setProcessEnvironment(env);
    QStringList list;
    for (const auto& w : words)
        list << QString::fromLocal8Bit(w.data(), static_cast<qsizetype>(w.size()));
    process.start(program, list);
    if (!process.waitForFinished(60'000)) {
        process.kill();
        process.waitForFinished();
        return {-1, "", "did not end"};
    }
    const int code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1000;
    return {code, process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

const std::string kUsage = "(its usage)";
const std::string kVersion = "(its version)";

struct Row {
    const char* program;
    std::vector<std::string> words;
    int code;
    std::string out;
    std::string err; // "(its usage)" stands for the program's usage
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.program;
    for (const auto& w : r.words)
        *os << " [" << w << "]";
}

class ProgramOptions : public ::testing::TestWithParam<Row> {};

std::string Expand(std::string text, const std::string& usage, const std::string& version) {
    for (const auto& [mark, by] : {std::pair{kUsage, usage}, std::pair{kVersion, version}})
        if (const auto at = text.find(mark); at != std::string::npos)
            text.replace(at, mark.size(), by);
    return text;
}

TEST_P(ProgramOptions, ReadsItsOwnOptionsAsBefore) {
    const Row& r = GetParam();
    const char* program = std::string(r.program) == "velmora" ? VELMORA_WINDOW : VELMORA_CLI;
    const Outcome help = RunProgram(program, {"--help"});
    ASSERT_EQ(help.code, 0);
    ASSERT_NE(help.out.find("usage: "), std::string::npos) << help.out;
    const Outcome version = RunProgram(program, {"--version"});
    ASSERT_EQ(version.out.rfind(std::string(r.program) + " ", 0), 0u) << version.out;
    const Outcome o = RunProgram(program, r.words);
    EXPECT_EQ(o.code, r.code) << o.err;
    EXPECT_EQ(o.out, Expand(r.out, help.out, version.out));
    EXPECT_EQ(o.err, Expand(r.err, help.out, version.out));
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ProgramOptions,
    ::testing::Values(
        Row{"velmora-cli", {}, 2, "", kUsage}, Row{"velmora-cli", {"-h"}, 0, kUsage, ""},
        Row{"velmora-cli", {"--help", "--bogus"}, 0, kUsage, ""},
        Row{"velmora-cli", {"--version", "--help"}, 0, kVersion, ""},
        Row{"velmora-cli",
            {"--bogus", "--help"},
            2,
            "",
            "velmora-cli: unknown command \"--bogus\"\n" + kUsage},
        Row{"velmora-cli", {"--help=1"}, 2, "", "velmora-cli: unknown command \"--help=1\"\n" + kUsage},
        Row{"velmora-cli", {"--"}, 2, "", "velmora-cli: unknown command \"--\"\n" + kUsage},
        Row{"velmora-cli", {"-x"}, 2, "", "velmora-cli: unknown command \"-x\"\n" + kUsage},
        Row{"velmora-cli", {"--pdu"}, 2, "", "velmora-cli: unknown command \"--pdu\"\n" + kUsage},
        // What follows the command is the command's own.
        Row{"velmora-cli",
            {"decode", "--", "--help"},
            1,
            "message 1\n  refused: cannot read octet 1 (service-centre address length)\n  pdu: --help\n",
            ""},
        Row{"velmora", {"-h"}, 0, kUsage, ""},
        Row{"velmora", {"--device", "/dev/x", "--help"}, 0, kUsage, ""},
        Row{"velmora", {"--device=COM3=/dev/x", "--version"}, 0, kVersion, ""},
        Row{"velmora", {"--help", "--bogus"}, 0, kUsage, ""},
        Row{"velmora", {"--bogus", "--help"}, 2, "", "velmora: unknown option --bogus\n" + kUsage},
        Row{"velmora", {"x"}, 2, "", "velmora: unknown option x\n" + kUsage},
        Row{"velmora", {"--"}, 2, "", "velmora: unknown option --\n" + kUsage},
        Row{"velmora", {"-platform", "offscreen"}, 2, "", "velmora: unknown option -platform\n" + kUsage},
        Row{"velmora", {"--help=1"}, 2, "", "velmora: unknown option --help=1\n" + kUsage},
        Row{"velmora", {"--version=1"}, 2, "", "velmora: unknown option --version=1\n" + kUsage},
        Row{"velmora", {"--device", "-h", "--h"}, 2, "", "velmora: unknown option --h\n" + kUsage},
        Row{"velmora", {"--device"}, 2, "", "velmora: --device needs a value\n" + kUsage},
        Row{"velmora", {"--device="}, 2, "", "velmora: --device needs a device\n"},
        Row{"velmora",
            {"--device", "COMX=/dev/x", "--help"},
            2,
            "",
            "velmora: --device \"COMX\" is not a port COM1 to COM96\n"}),
    [](const auto& info) {
        std::string words = info.param.program;
        for (const auto& w : info.param.words)
            words += " " + w;
        return velmora::testing::CaseName(info.index, words);
    });

} // namespace
