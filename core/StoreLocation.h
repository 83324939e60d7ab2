#pragma once

// Where a message store is: a file (SQLite, the default) or a PostgreSQL
// server, named by one string either way so that every program, option and
// D-Bus call that hands a store on needs no second field:
//
//     /var/lib/velmora/messages.sqlite
//     postgresql://USER@HOST:PORT/DB?password_file=PATH&sslmode=MODE&schema=NAME
//
// HOST may be a socket folder, percent-encoded (%2Frun%2Fpostgresql). The
// password itself is never in the string: it would show in ps, in logs and
// over D-Bus. The server's settings ([Store] Url=, PasswordFile=, SslMode=)
// come together here.

#include <QString>

#include <optional>
#include <string>

namespace velmora {

// Whether a location is a URL ("SCHEME://...") rather than a file. Any
// scheme counts, so a mistyped one is refused as a URL and never made into
// a file of that odd name.
bool IsStoreUrl(const QString& location);
bool IsStoreUrl(const std::string& location);

// `url` with password_file and sslmode set as its query says them (the ones
// it had replaced), each percent-encoded; an empty argument leaves the URL's
// own item as it was.
QString StoreLocation(const QString& url, const QString& passwordFile, const QString& sslMode);

// Why `url` cannot name a PostgreSQL store, in the user's language; "" when
// it can. It must be postgresql:// or postgres://, name a user, a host (a
// name, an address or a socket folder) and a database, hold no password,
// and take no query item but password_file (an absolute path), sslmode
// (one of kSslModes) and schema.
QString StoreUrlProblem(const QString& url);

// A PostgreSQL store's URL in its parts, decoded: what a connection is
// made with. Nothing when StoreUrlProblem(url) is not "".
struct StoreServer {
    QString user, host, database; // host: a name, an address (no brackets) or a socket folder
    int port = 5432;
    QString schema, sslMode, passwordFile; // "" where the URL gives none
};
std::optional<StoreServer> StoreServerOf(const QString& url);

// The value of a query item of a store's URL, decoded; nothing when the URL
// has none of that name.
std::optional<QString> StoreUrlItem(const QString& url, const QString& name);

// libpq's sslmode values, the weakest first.
inline constexpr const char* kSslModes[] = {"disable", "allow",     "prefer",
                                            "require", "verify-ca", "verify-full"};
bool IsSslMode(const QString& mode);

// Whether two locations name one store: URLs as written, files by what they
// lead to (a link and its target are one store).
bool SameStore(const QString& a, const QString& b);

// Whether there is nothing to read there yet: a file that is not there or
// is empty. A server's store is always there to ask.
bool StoreNotMadeYet(const QString& location);

// Whether this user may open the store at all (`write`: to change it). For
// a file its permissions say; for a server, whether its password file (if
// it names one) may be read: the server itself answers only at the open.
bool StoreMayOpen(const QString& location, bool write);

} // namespace velmora
