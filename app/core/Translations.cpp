#include "Translations.h"

#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

namespace velmora {

QString TranslationsDir() {
    const QString bin = QString::fromStdString(CurrentProgramDir());
    return QDir::cleanPath(bin + "/../share/velmora/translations");
}

QString InstallTranslations(const QStringList& catalogs, const QString& dir) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return {};
    const QLocale locale = QLocale::system();
    QString loaded;
    for (const QString& catalog : catalogs) {
        // QTranslator::load walks the locale's UI languages (id_ID, id, ...)
        // and takes the first catalog it finds; English finds none.
        auto* translator = new QTranslator(app);
        if (translator->load(locale, catalog, "_", dir) && QCoreApplication::installTranslator(translator)) {
            if (loaded.isEmpty())
                loaded = translator->language();
        } else {
            delete translator;
        }
    }
    return loaded;
}

} // namespace velmora
