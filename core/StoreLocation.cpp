#include "StoreLocation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QUrl>

#include <set>

namespace velmora {

namespace {

// Far above any real server's URL; a longer one is a mistake, not a store.
constexpr qsizetype kMaxStoreUrl = 2048;
// PostgreSQL's longest name (NAMEDATALEN - 1).
constexpr qsizetype kMaxSchemaName = 63;

QString Decoded(const QString& text) { return QUrl::fromPercentEncoding(text.toUtf8()); }

QString Encoded(const QString& text) { return QString::fromLatin1(QUrl::toPercentEncoding(text)); }

bool AsciiIn(QChar c, const char* others) {
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
        return true;
    for (const char* o = others; *o; ++o)
        if (c == QLatin1Char(*o))
            return true;
    return false;
}

bool AllAscii(const QString& text, const char* others) {
    for (const QChar c : text)
        if (!AsciiIn(c, others))
            return false;
    return !text.isEmpty();
}

// A store's URL in its pieces, as written (still percent-encoded).
struct UrlParts {
    QString scheme, userInfo, hostPort, path, query;
    bool hasUserInfo = false, hasQuery = false, hasFragment = false;
};

std::optional<UrlParts> Split(const QString& url) {
    const qsizetype colon = url.indexOf(QLatin1String("://"));
    if (colon <= 0 || !AllAscii(url.left(colon), "+-."))
        return std::nullopt;
    UrlParts p;
    p.scheme = url.left(colon);
    QString rest = url.mid(colon + 3);
    if (const qsizetype hash = rest.indexOf(u'#'); hash >= 0) {
        p.hasFragment = true;
        rest.truncate(hash);
    }
    if (const qsizetype question = rest.indexOf(u'?'); question >= 0) {
        p.hasQuery = true;
        p.query = rest.mid(question + 1);
        rest.truncate(question);
    }
    const qsizetype slash = rest.indexOf(u'/');
    QString authority = slash < 0 ? rest : rest.left(slash);
    p.path = slash < 0 ? QString() : rest.mid(slash);
    if (const qsizetype at = authority.lastIndexOf(u'@'); at >= 0) {
        p.hasUserInfo = true;
        p.userInfo = authority.left(at);
        authority = authority.mid(at + 1);
    }
    p.hostPort = authority;
    return p;
}

// The items of a query, "name=value" between '&', still encoded.
std::vector<std::pair<QString, QString>> QueryItems(const QString& query) {
    std::vector<std::pair<QString, QString>> items;
    for (const QString& item : query.split(u'&', Qt::SkipEmptyParts)) {
        const qsizetype equals = item.indexOf(u'=');
        items.emplace_back(equals < 0 ? item : item.left(equals),
                           equals < 0 ? QString() : item.mid(equals + 1));
    }
    return items;
}

// Why HOST[:PORT] names no server; "" when it names one.
QString HostProblem(const QString& hostPort) {
    QString host = hostPort, port;
    if (hostPort.startsWith(u'[')) {
        const qsizetype close = hostPort.indexOf(u']');
        if (close < 0)
            return QCoreApplication::translate("StoreLocation",
                                               "\"%1\" is not a host name, an address or a socket folder")
                .arg(hostPort);
        host = hostPort.left(close + 1);
        const QString after = hostPort.mid(close + 1);
        if (!after.isEmpty() && !after.startsWith(u':'))
            return QCoreApplication::translate("StoreLocation",
                                               "\"%1\" is not a host name, an address or a socket folder")
                .arg(hostPort);
        port = after.mid(1);
        if (after.startsWith(u':') && port.isEmpty())
            return QCoreApplication::translate("StoreLocation", "\"%1\" is not a port from 1 to 65535")
                .arg(port);
    } else if (const qsizetype colon = hostPort.indexOf(u':'); colon >= 0) {
        host = hostPort.left(colon);
        port = hostPort.mid(colon + 1);
        if (port.isEmpty() || port.contains(u':'))
            return QCoreApplication::translate("StoreLocation", "\"%1\" is not a port from 1 to 65535")
                .arg(port);
    }
    if (host.isEmpty())
        return QCoreApplication::translate(
            "StoreLocation",
            "names no host; give its name, its address or the server's socket folder (%2F...)");
    const QString decoded = Decoded(host);
    const bool socketFolder = decoded.startsWith(u'/');
    bool good = false;
    if (socketFolder) {
        good = true;
        for (const QChar c : decoded)
            good = good && c.unicode() >= 0x20 && c.unicode() != 0x7f;
    } else if (host.startsWith(u'[')) {
        good = host.endsWith(u']') && AllAscii(host.mid(1, host.size() - 2), ":.");
    } else {
        // Names and IPv4 addresses; one server, not libpq's list of them.
        good = AllAscii(host, "-._");
    }
    if (!good)
        return QCoreApplication::translate("StoreLocation",
                                           "\"%1\" is not a host name, an address or a socket folder")
            .arg(decoded);
    if (!port.isEmpty()) {
        bool number = AllAscii(port, "") && port.size() <= 5;
        for (const QChar c : port)
            number = number && c.isDigit();
        if (!number || port.toInt() < 1 || port.toInt() > 65535)
            return QCoreApplication::translate("StoreLocation", "\"%1\" is not a port from 1 to 65535")
                .arg(port);
    }
    return {};
}

} // namespace

bool IsStoreUrl(const QString& location) { return Split(location).has_value(); }

bool IsStoreUrl(const std::string& location) { return IsStoreUrl(QString::fromStdString(location)); }

bool IsSslMode(const QString& mode) {
    for (const char* m : kSslModes)
        if (mode == QLatin1String(m))
            return true;
    return false;
}

QString StoreLocation(const QString& url, const QString& passwordFile, const QString& sslMode) {
    if (passwordFile.isEmpty() && sslMode.isEmpty())
        return url;
    QString head = url, fragment;
    if (const qsizetype hash = head.indexOf(u'#'); hash >= 0) {
        fragment = head.mid(hash);
        head.truncate(hash);
    }
    QString query;
    if (const qsizetype question = head.indexOf(u'?'); question >= 0) {
        query = head.mid(question + 1);
        head.truncate(question);
    }
    QStringList kept;
    for (const QString& item : query.split(u'&', Qt::SkipEmptyParts)) {
        const QString name = Decoded(item.section(u'=', 0, 0));
        if ((name == QLatin1String("password_file") && !passwordFile.isEmpty()) ||
            (name == QLatin1String("sslmode") && !sslMode.isEmpty()))
            continue;
        kept << item;
    }
    if (!passwordFile.isEmpty())
        kept << QLatin1String("password_file=") + Encoded(passwordFile);
    if (!sslMode.isEmpty())
        kept << QLatin1String("sslmode=") + Encoded(sslMode);
    return head + u'?' + kept.join(u'&') + fragment;
}

std::optional<StoreServer> StoreServerOf(const QString& url) {
    if (!StoreUrlProblem(url).isEmpty())
        return std::nullopt;
    const UrlParts p = *Split(url);
    StoreServer s;
    s.user = Decoded(p.userInfo);
    QString host = p.hostPort;
    // The port follows the last ':' outside an address's brackets.
    if (const qsizetype colon = host.lastIndexOf(u':'); colon >= 0 && colon > host.lastIndexOf(u']')) {
        s.port = host.mid(colon + 1).toInt();
        host.truncate(colon);
    }
    if (host.startsWith(u'['))
        host = host.mid(1, host.size() - 2);
    s.host = Decoded(host);
    s.database = Decoded(p.path.mid(1));
    for (const auto& [key, value] : QueryItems(p.query)) {
        const QString name = Decoded(key);
        (name == QLatin1String("schema")    ? s.schema
         : name == QLatin1String("sslmode") ? s.sslMode
                                            : s.passwordFile) = Decoded(value);
    }
    return s;
}

std::optional<QString> StoreUrlItem(const QString& url, const QString& name) {
    const auto parts = Split(url);
    if (!parts)
        return std::nullopt;
    for (const auto& [key, value] : QueryItems(parts->query))
        if (Decoded(key) == name)
            return Decoded(value);
    return std::nullopt;
}

QString StoreUrlProblem(const QString& url) {
    if (url.size() > kMaxStoreUrl)
        return QCoreApplication::translate("StoreLocation", "is longer than %1 characters").arg(kMaxStoreUrl);
    const auto parts = Split(url);
    if (!parts ||
        (parts->scheme != QLatin1String("postgresql") && parts->scheme != QLatin1String("postgres")))
        // Not repeated back: what was meant as another URL may hold a password.
        return QCoreApplication::translate(
            "StoreLocation",
            "is not a postgresql:// or postgres:// URL, such as postgresql://velmora@db.example.org/velmora");
    const UrlParts& p = *parts;
    // Said before anything else: the URL is not repeated back with it.
    if (p.userInfo.contains(u':'))
        return QCoreApplication::translate(
            "StoreLocation",
            "holds a password, which would show in ps and in logs; keep it in a file that PasswordFile= "
            "names");
    if (!p.hasUserInfo || p.userInfo.isEmpty())
        return QCoreApplication::translate(
            "StoreLocation",
            "names no user; put it before the host, as in postgresql://velmora@HOST/DATABASE");
    if (const QString why = HostProblem(p.hostPort); !why.isEmpty())
        return why;
    const QString database = Decoded(p.path.mid(1));
    if (p.path.size() < 2)
        return QCoreApplication::translate(
            "StoreLocation",
            "names no database; end it with /DATABASE, as in postgresql://velmora@HOST/velmora");
    if (database.contains(u'/'))
        return QCoreApplication::translate("StoreLocation", "\"%1\" is not a database name").arg(database);
    if (p.hasFragment)
        return QCoreApplication::translate("StoreLocation",
                                           "ends in a #fragment, which a store's URL does not take");
    std::set<QString> seen;
    for (const auto& [key, value] : QueryItems(p.query)) {
        const QString name = Decoded(key), plain = Decoded(value);
        if (name != QLatin1String("password_file") && name != QLatin1String("sslmode") &&
            name != QLatin1String("schema"))
            return QCoreApplication::translate(
                       "StoreLocation", "takes password_file, sslmode and schema after '?', not \"%1\"")
                .arg(name);
        if (!seen.insert(name).second)
            return QCoreApplication::translate("StoreLocation", "gives %1 twice").arg(name);
        if (name == QLatin1String("password_file") && !plain.startsWith(u'/'))
            return QCoreApplication::translate("StoreLocation",
                                               "password_file \"%1\" is not an absolute path")
                .arg(plain);
        if (name == QLatin1String("sslmode") && !IsSslMode(plain))
            return QCoreApplication::translate(
                       "StoreLocation",
                       "\"%1\" is not an sslmode: disable, allow, prefer, require, verify-ca or verify-full")
                .arg(plain);
        // Set as the search_path: a plain name only, never a piece of SQL.
        if (name == QLatin1String("schema") && (!AllAscii(plain, "_") || plain.front().isDigit() ||
                                                plain != plain.toLower() || plain.size() > kMaxSchemaName))
            return QCoreApplication::translate(
                       "StoreLocation",
                       "\"%1\" is not a schema name: lower-case letters, digits and _, at most %2")
                .arg(plain)
                .arg(kMaxSchemaName);
    }
    return {};
}

bool SameStore(const QString& a, const QString& b) {
    if (IsStoreUrl(a) || IsStoreUrl(b))
        return a == b;
    const QString ca = QFileInfo(a).canonicalFilePath(), cb = QFileInfo(b).canonicalFilePath();
    return !ca.isEmpty() && ca == cb;
}

bool StoreNotMadeYet(const QString& location) {
    if (IsStoreUrl(location))
        return false;
    const QFileInfo file(location);
    return !file.exists() || (file.isFile() && file.size() == 0);
}

bool StoreMayOpen(const QString& location, bool write) {
    // The system daemon's server is reached with a password only its user
    // may read: another user's command works on its own store instead.
    if (IsStoreUrl(location)) {
        const auto passwordFile = StoreUrlItem(location, "password_file");
        return !passwordFile || QFileInfo(*passwordFile).isReadable();
    }
    const QFileInfo file(location);
    return write ? file.isWritable() : file.isReadable();
}

} // namespace velmora
