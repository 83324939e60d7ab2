// velmora: the window.

#include "AppPaths.h"
#include "Clock.h"
#include "ComDevices.h"
#include "ComPort.h"
#include "Logs.h"
#include "TForm1.h"

#include <QApplication>

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>
#include <string>

namespace {

const char kUsage[] = "usage: velmora [--device PATH | --device COMn=PATH ...]\n"
                      "       velmora --help | --version\n"
                      "\n"
                      "Sends short messages through a GSM phone or USB modem on a serial or USB cable.\n"
                      "\n"
                      "  --device PATH         the device of whichever port is chosen, for this run only\n"
                      "  --device COMn=PATH    the device COMn stands for, for this run only (repeatable)\n"
                      "  --help                show this help and exit\n"
                      "  --version             show the version and exit\n";

struct Options {
    std::optional<std::string> anyPort;
    std::map<int, std::string> ports;
};

// Gives the exit status when the program should end at once.
std::optional<int> ParseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--help" || word == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (word == "--version") {
            std::puts("velmora " VELMORA_VERSION);
            return 0;
        }
        std::optional<std::string> value;
        if (word == "--device" && i + 1 < argc)
            value = argv[++i];
        else if (word.rfind("--device=", 0) == 0)
            value = word.substr(9);
        if (!value) {
            std::fprintf(stderr, "velmora: %s\n%s",
                         word == "--device" ? "--device needs a value" : ("unknown option " + word).c_str(),
                         kUsage);
            return 2;
        }
        if (value->find('=') == std::string::npos) {
            options.anyPort = *value;
        } else if (auto why = velmora::ParseDeviceOverride(*value, options.ports); !why.empty()) {
            std::fprintf(stderr, "velmora: --device %s\n", why.c_str());
            return 2;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (const auto status = ParseOptions(argc, argv, options))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName("velmora");
    QApplication::setApplicationDisplayName("Velmora");
    QApplication::setApplicationVersion(VELMORA_VERSION);

    auto deviceFor = [options](const velmora::TSettings& settings, int n) {
        if (options.anyPort)
            return *options.anyPort;
        return velmora::ComDeviceMap(settings.SerialDevices, options.ports).DeviceFor(n);
    };
    velmora::WindowSetup setup;
    setup.paths = velmora::CurrentAppPaths();
    setup.deviceFor = deviceFor;
    setup.makeLink = [deviceFor](const velmora::TSettings& settings) {
        auto port = std::make_unique<velmora::TComPort>(
            [deviceFor, settings](int n) { return deviceFor(settings, n); });
        return std::make_unique<velmora::PhoneLink>(std::move(port), std::make_unique<velmora::RealClock>(),
                                                    [](const std::string& path, const std::string& entry) {
                                                        return velmora::AppendLogLine(path, entry);
                                                    });
    };
    velmora::TForm1 window(std::move(setup));
    window.show();
    return QApplication::exec();
}
