// velmorad: the message centre for the modems of its settings file, without
// a screen.

#include "CentreRun.h"
#include "DaemonMain.h"
#include "Translations.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    velmora::InstallTranslations(velmora::daemon::kDaemonCatalogs);
    return velmora::daemon::RunDaemon(app.arguments(), stdout, stderr,
                                      [] { return std::make_unique<velmora::daemon::CentreRun>(); });
}
