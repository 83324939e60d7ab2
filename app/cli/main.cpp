// velmora-cli: the encoders and the phone link for scripts and inspection.

#include "AppPaths.h"
#include "Cli.h"
#include "Clock.h"
#include "CommandLine.h"
#include "CountryCode.h"
#include "GlobalU.h"
#include "Interrupts.h"
#include "PhoneCommands.h"
#include "Said.h"
#include "Translations.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using velmora::CommandLine;
using velmora::GivenWord;
using velmora::cli::Io;

using Words = std::vector<std::string>;

// Whether the command loads a picture file: "preview" always, "content"
// unless it reads a ringtone, "pdu" and "send" when they are given a file.
// Read before the command reads its words, these count every option
// wherever it stands.
const velmora::WordRules kAnyOption{.optionsAfterPositionals = true, .doubleDashEndsOptions = true};
bool Always(const Words&) { return true; }
bool NoRingtone(const Words& words) {
    return CommandLine(words, {{"--as", true}, {"--threshold", true}}, kAnyOption).value("--as") !=
           "ringtone";
}
bool Never(const Words&) { return false; }
bool WithAFile(const Words& words) {
    const CommandLine line(words, {{"--file", true}, {"--picture", true}}, kAnyOption);
    return line.has("--file") || line.has("--picture");
}

struct Command {
    const char* name;
    const char* summary; // translated when shown
    int (*run)(std::vector<std::string>, Io);
    bool phone; // talks to the phone: an interrupt ends the dialogue cleanly
    bool (*draws)(const Words&);
};

const Command kCommands[] = {
    {"pdu", QT_TRANSLATE_NOOP("cli", "print the PDU text of a message"), velmora::cli::RunPdu, false,
     WithAFile},
    {"content", QT_TRANSLATE_NOOP("cli", "print the content a file loads into a tab"),
     velmora::cli::RunContent, false, NoRingtone},
    {"preview", QT_TRANSLATE_NOOP("cli", "draw the screen preview of a picture file"),
     velmora::cli::RunPreview, false, Always},
    {"decode", QT_TRANSLATE_NOOP("cli", "read PDUs back into the messages they carry"),
     velmora::cli::RunDecode, false, Never},
    {"tone", QT_TRANSLATE_NOOP("cli", "play a ringtone, or write it as a WAV file"), velmora::cli::RunTone,
     false, Never},
    {"send", QT_TRANSLATE_NOOP("cli", "send a message through the phone"), velmora::cli::RunSend, true,
     WithAFile},
    {"identify", QT_TRANSLATE_NOOP("cli", "print what the phone says about itself"),
     velmora::cli::RunIdentify, true, Never},
    {"phonebook", QT_TRANSLATE_NOOP("cli", "read the SIM's phone book"), velmora::cli::RunPhonebook, true,
     Never},
    {"inbox", QT_TRANSLATE_NOOP("cli", "read the messages kept on the phone and the SIM"),
     velmora::cli::RunInbox, true, Never},
    {"ports", QT_TRANSLATE_NOOP("cli", "ask each serial device whether the phone is there"),
     velmora::cli::RunPorts, true, Never},
    {"history", QT_TRANSLATE_NOOP("cli", "list the messages sent and received"), velmora::cli::RunHistory,
     false, Never},
    {"store", QT_TRANSLATE_NOOP("cli", "check the message store, or copy it while in use"),
     velmora::cli::RunStore, false, Never},
    {"queue", QT_TRANSLATE_NOOP("cli", "the outbox: list, pause, resume, cancel or run batches"),
     velmora::cli::RunQueue, true, Never},
    {"resend", QT_TRANSLATE_NOOP("cli", "send a failed or uncertain message again"), velmora::cli::RunResend,
     true, Never},
    {"group", QT_TRANSLATE_NOOP("cli", "list and change the groups \"send --to\" sends to"),
     velmora::cli::RunGroup, false, Never},
    {"ussd", QT_TRANSLATE_NOOP("cli", "send a USSD code (the balance: *123#) and read the answer"),
     velmora::cli::RunUssd, true, Never},
    {"modems", QT_TRANSLATE_NOOP("cli", "list the modems the message store knows and what waits for each"),
     velmora::cli::RunModems, false, Never},
};

// The application a command runs in, made before the command reads its
// words so that everything it says is in the user's language.
//
// An SVG's <text> is drawn in fonts, which only a GUI application sets up;
// without one Qt aborts. Only the commands that load pictures make one, so
// the others start as fast as ever. It draws on the offscreen platform
// unless QT_QPA_PLATFORM names another: the pictures are drawn in memory,
// never shown, so a display is not needed, and one that is named but cannot
// be reached (over ssh, under sudo) cannot stop the command.
class Application {
public:
    void Start(bool draws) {
        if (m_app || QCoreApplication::instance())
            return;
        if (!draws) {
            m_app = std::make_unique<QCoreApplication>(m_argc, m_argv);
        } else {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                m_argv[m_argc++] = m_platformOption;
                m_argv[m_argc++] = m_offscreen;
            }
            // Setting up, Qt warns of things the command does not use (no
            // XDG_RUNTIME_DIR under sudo): not a word for the user's stderr.
            QLoggingCategory::setFilterRules("default.warning=false");
            m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
            QLoggingCategory::setFilterRules({});
        }
        velmora::InstallTranslations(velmora::kCliCatalogs);
    }

private:
    char m_name[12] = "velmora-cli";
    char m_platformOption[10] = "-platform";
    char m_offscreen[10] = "offscreen";
    char* m_argv[4] = {m_name, nullptr, nullptr, nullptr};
    int m_argc = 1;
    std::unique_ptr<QCoreApplication> m_app;
};

// A phone command with Ctrl-C, SIGTERM and SIGHUP turned into a cancelled
// clock, before any thread starts (Qt's among them).
int RunPhoneCommand(const Command& c, std::vector<std::string> words, Io io) {
    velmora::RealClock clock;
    velmora::cli::InterruptCanceller interrupts(clock);
    Application application;
    application.Start(c.draws(words));
    io.clock = &clock;
    int code = velmora::cli::kExitOk;
    try {
        code = c.run(std::move(words), io);
    } catch (const velmora::SessionCancelled&) {
        // Only the canceller cancels the clock; its signal decides the code.
    }
    if (const int signal = interrupts.Caught()) {
        std::cout.flush();
        std::cerr << "velmora-cli: " << velmora::translate("cli", "interrupted") << '\n';
        return 128 + signal;
    }
    return code;
}

void PrintUsage(std::ostream& os) {
    using velmora::translate;
    os << translate("cli",
                    "usage: velmora-cli COMMAND [ARGS...]\n"
                    "       velmora-cli COMMAND --help\n"
                    "       velmora-cli --help | --version\n"
                    "\n"
                    "Builds the PDUs of short messages and sends them through a GSM phone or USB modem.\n"
                    "\n"
                    "commands:\n");
    for (const auto& c : kCommands)
        os << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << translate("cli", c.summary)
           << '\n';
    os << "\n"
       << translate("cli", "  --help      show this help and exit\n"
                           "  --version   show the version and exit\n");
}

} // namespace

int main(int argc, char** argv) {
    Io io{std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1, ::isatty(STDERR_FILENO) == 1};
    std::vector<std::string> words(argv + 1, argv + argc);
    // What main itself says (usage, an unknown command) is said in the
    // user's language too; a command's own application follows this one.
    std::optional<Application> own;
    own.emplace().Start(false);
    if (words.empty()) {
        PrintUsage(std::cerr);
        return velmora::cli::kExitUsage;
    }
    // The program's options stand first; the first other word is the command.
    const CommandLine line(
        words, {{"--help"}, {"--version"}},
        {.optionsAfterPositionals = false, .doubleDashEndsOptions = false, .shortHelp = true});
    const GivenWord& first = line.given().front();
    if (first.option == "--help") {
        PrintUsage(std::cout);
        return velmora::cli::kExitOk;
    }
    if (first.option == "--version") {
        std::cout << "velmora-cli " VELMORA_VERSION "\n";
        return velmora::cli::kExitOk;
    }
    // Every command reads a national number with the settings' country code;
    // what else the file gets wrong, the commands that use it say.
    velmora::Settings settings;
    velmora::LoadSettings(velmora::SettingsSection::Communication, velmora::CurrentAppPaths().settingsFile,
                          settings);
    velmora::SetHomeCountryCode(QString::fromStdString(settings.CountryCode));
    for (const auto& c : kCommands) {
        if (first.kind != GivenWord::Positional || first.word != c.name)
            continue;
        std::vector<std::string> rest(words.begin() + 1, words.end());
        own.reset();
        if (c.phone)
            return RunPhoneCommand(c, std::move(rest), io);
        Application application;
        application.Start(c.draws(rest));
        return c.run(std::move(rest), io);
    }
    std::cerr << "velmora-cli: "
              << velmora::Fill(velmora::translate("cli", "unknown command \"%1\""), {first.word}) << '\n';
    PrintUsage(std::cerr);
    return velmora::cli::kExitUsage;
}
