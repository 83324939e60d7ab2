#pragma once

#include <QString>
#include <QStringList>

namespace velmora {

// The catalogs each program reads its words from. The window shows what the
// link and the service say as well as its own; the command line likewise.
inline const QStringList kWindowCatalogs{"velmora", "velmora-core", "qt"};
inline const QStringList kCliCatalogs{"velmora-cli", "velmora-core"};

// Where the compiled catalogs (.qm) are: "share/velmora/translations" beside
// the program's "bin" folder, which holds both for an installed copy
// (/usr/bin, /usr/share) and for a build tree (build/bin, build/share).
QString TranslationsDir();

// Loads the catalogs in the language the system asks for (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG, as Qt reads them) and installs them into the
// running application, which owns them from then on. English, the source
// language, needs none; a language without a catalog stays English. Gives
// the language loaded ("" for none). Needs a QCoreApplication.
QString InstallTranslations(const QStringList& catalogs, const QString& dir = TranslationsDir());

} // namespace velmora
