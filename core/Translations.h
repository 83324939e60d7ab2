#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include <string>

namespace velmora {

// The catalogs each program reads its words from. The window shows what the
// link and the service say as well as its own; the command line likewise.
inline const QStringList kWindowCatalogs{"velmora", "velmora-core", "velmora-sms", "qt"};
// The window's catalog too: the tune player, shared with the window, speaks in it.
inline const QStringList kCliCatalogs{"velmora-cli", "velmora-core", "velmora-sms", "velmora"};

// Where the compiled catalogs (.qm) are: "share/velmora/translations" beside
// the program's "bin" folder, which holds both for an installed copy
// (/usr/bin, /usr/share) and for a build tree (build/bin, build/share).
QString TranslationsDir();

// Loads the catalogs in the language the system asks for (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG, as Qt reads them) and installs them into the
// running application, which owns them from then on. English, the source
// language, needs none; a language without a catalog stays English. Gives
// the language loaded ("" for none). Needs a QCoreApplication.
QString InstallTranslations(const QStringList& catalogs, const QString& dir = TranslationsDir(),
                            const QLocale& locale = QLocale::system());

// A sentence smslib made (a refusal, a reason), in the user's language: its
// pattern is found among smslib's (the ones marked VELMORA_WORDS, as the
// catalog lists them), translated, and filled again with what smslib put in
// it, each of which is said in the language too where it is one of
// smslib's words ("a directory"). A sentence of no known pattern, or any
// sentence when no catalog is installed, comes back as it is.
QString Localized(const std::string& said);
// The same for a terminal: the bytes as they came when nothing is
// translated (a phone's Latin-1 among them), else the translation in UTF-8.
std::string LocalizedBytes(const std::string& said);

} // namespace velmora
