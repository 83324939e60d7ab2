// velmora: the window.

#include "AppPaths.h"
#include "BusRunningProgram.h"
#include "CommandLine.h"
#include "LinkFactory.h"
#include "TForm1.h"
#include "Translations.h"
#include "WindowSetup.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace {

std::string Usage() {
    return QCoreApplication::translate(
               "velmora",
               "usage: velmora [--device PATH | --device COMn=PATH ...]\n"
               "       velmora --help | --version\n"
               "\n"
               "Sends short messages through a GSM phone or USB modem on a serial or USB cable.\n"
               "\n"
               "  --device PATH         the device of whichever port is chosen, for this run only\n"
               "  --device COMn=PATH    the device COMn stands for, for this run only (repeatable)\n"
               "  --help                show this help and exit\n"
               "  --version             show the version and exit\n")
        .toStdString();
}

// Gives the exit status when the program should end at once. The options
// are read in the order typed: a fault before --help is said instead.
std::optional<int> ParseOptions(int argc, char** argv, velmora::DeviceOptions& options) {
    using velmora::GivenWord;
    const velmora::CommandLine line(
        {argv + 1, argv + argc}, {{"--help"}, {"--version"}, {"--device", true}},
        {.optionsAfterPositionals = true, .doubleDashEndsOptions = false, .shortHelp = true});
    for (const GivenWord& given : line.given()) {
        if (given.option == "--help") {
            std::fputs(Usage().c_str(), stdout);
            return 0;
        }
        if (given.option == "--version") {
            std::puts("velmora " VELMORA_VERSION);
            return 0;
        }
        if (given.kind != GivenWord::Option) {
            const QString why = given.kind == GivenWord::MissingValue
                                    ? QCoreApplication::translate("velmora", "--device needs a value")
                                    : QCoreApplication::translate("velmora", "unknown option %1")
                                          .arg(QString::fromStdString(given.word));
            std::fprintf(stderr, "velmora: %s\n%s", why.toStdString().c_str(), Usage().c_str());
            return 2;
        }
        if (const auto why = velmora::ParseDeviceOption(given.value, options); !why.empty()) {
            std::fprintf(stderr, "velmora: --device %s\n", why.c_str());
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    velmora::DeviceOptions options;
    {
        // Options are read, and --help answered, before the window's
        // application exists (which needs a display), in the user's
        // language: a bare application lends its catalogs for the while.
        int bareArgc = 1;
        QCoreApplication bare(bareArgc, argv);
        velmora::InstallTranslations(velmora::kWindowCatalogs);
        if (const auto status = ParseOptions(argc, argv, options))
            return *status;
    }

    QApplication app(argc, argv);
    velmora::InstallTranslations(velmora::kWindowCatalogs);
    QApplication::setApplicationName("velmora");
    QApplication::setApplicationDisplayName("Velmora");
    QApplication::setApplicationVersion(VELMORA_VERSION);
    // Lets a Wayland desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("velmora");

    velmora::WindowSetup setup = velmora::MakeWindowSetup(velmora::CurrentAppPaths(), options);
    // velmorad (or a window started earlier) holding the modems keeps
    // them; this window then works through it. Else it holds the modem
    // and answers velmora-cli and scripts on the bus while it does.
    // A device named on the command line that program does not hold is a
    // phone of the window's own, as for velmora-cli.
    const QString device = options.anyPort ? QString::fromStdString(*options.anyPort) : QString();
    setup.findRunning = [device] { return velmora::BusRunningProgram::Find(device); };
    setup.answerOnBus = true;
    std::unique_ptr<velmora::TForm1> window;
    std::function<void()> open = [&] {
        window = std::make_unique<velmora::TForm1>(setup);
        // The program the window worked through stopped and the user takes
        // the modem: the window is made again, holding it itself, where the
        // old one was (it saved its place on closing).
        QObject::connect(
            window.get(), &velmora::TForm1::takeModemRequested, &app,
            [&] {
                QApplication::setQuitOnLastWindowClosed(false);
                const velmora::TForm1::Draft draft = window->draft();
                if (window->close()) {
                    window.reset();
                    open();
                    window->setDraft(draft);
                }
                QApplication::setQuitOnLastWindowClosed(true);
            },
            Qt::QueuedConnection);
        window->show();
    };
    open();
    return QApplication::exec();
}
