// velmorad: the message centre for the modems of its settings file, without
// a screen.

#include "DaemonMain.h"
#include "Translations.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

// Until the message centre is part of the build, the daemon refuses to
// start rather than run with nothing behind it.
class NoCentre : public velmora::daemon::CentreControl {
public:
    velmora::Result<bool, QString> start(const velmora::DaemonConfig&) override {
        return velmora::Result<bool, QString>::Fail(
            QCoreApplication::translate("velmorad", "not started: this build has no message centre"));
    }
    void addModem(const velmora::ModemConfig&) override {}
    void removeModem(const QString&) override {}
    void stop(std::chrono::milliseconds, std::function<void()> done) override { done(); }
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    velmora::InstallTranslations(velmora::daemon::kDaemonCatalogs);
    return velmora::daemon::RunDaemon(app.arguments(), stdout, stderr,
                                      [] { return std::make_unique<NoCentre>(); });
}
