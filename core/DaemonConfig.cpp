#include "DaemonConfig.h"

#include "FileIo.h"
#include "IniFile.h"
#include "SecretFile.h"
#include "StoreLocation.h"
#include "Strings.h"
#include "Ussd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <map>
#include <netinet/in.h>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// As the other programs read their settings: far above any real file.
constexpr std::size_t kConfigLimit = 1024 * 1024;
// A PIN is four to eight digits; a file much larger is not a PIN file.
constexpr std::size_t kPinFileLimit = 64;
// The speeds the link sets on a serial line (link/LineSpeed.h, which this
// layer cannot include): any other would be refused only at the open.
constexpr int kSpeeds[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};
constexpr qint64 kMaxIntervalSeconds = 24 * 3600;
constexpr int kMaxPerHour = 3600;
// A token or a signing secret: a line, far below this; and at least this
// long, so it is not guessed.
constexpr std::size_t kSecretFileLimit = 4096;
constexpr qsizetype kMinSecret = 16;
constexpr int kMaxPerMinute = 1'000'000;
constexpr qsizetype kMaxUrl = 2048;

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool SameName(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A whole number written as plain digits, at most nine of them.
std::optional<qint64> Digits(const QString& text) {
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toLongLong();
}

std::optional<bool> YesNo(const QString& text) {
    if (SameName(text, "yes"))
        return true;
    if (SameName(text, "no"))
        return false;
    return std::nullopt;
}

bool ValidModemName(const QString& name) {
    if (name.isEmpty() || name.size() > kMaxModemName)
        return false;
    for (const QChar c : name)
        if (!(c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'-' || c == u'_' || c == u'.')))
            return false;
    return true;
}

// What a device path names, so that a by-id link and the tty it points at
// are one device. A device not there yet (unplugged) is taken as written.
QString SameDeviceKey(const QString& device) {
    const QString canonical = QFileInfo(device).canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(device) : canonical;
}

class Reader {
public:
    explicit Reader(const QString& file) : m_file(file), m_dir(QFileInfo(file).absolutePath()) {}

    std::vector<ConfigProblem> problems;

    void Problem(const QString& section, const QString& key, const QString& why) {
        problems.push_back({m_file, section, key, why});
    }

    QString Absolute(const QString& path) const {
        return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : m_dir + '/' + path);
    }

    void ReadModemKey(ModemConfig& modem, const QString& section, const QString& key, const QString& value);
    void CheckPinFile(const QString& section, const QString& path);
    void ReadHttpKey(HttpConfig& http, const QString& section, const QString& key, const QString& value);
    void ReadHooksKey(HooksConfig& hooks, const QString& section, const QString& key, const QString& value);
    void ReadWebhooksKey(WebhookConfig& webhook, const QString& section, const QString& key,
                         const QString& value);
    void ReadStoreKey(DaemonConfig& config, const QString& section, const QString& key, const QString& value);
    void CheckPasswordFile(const QString& section, const QString& key, const QString& path);
    // A file that holds a secret (a PIN, a token): its text when only its
    // owner may read it and it is at most `limit` octets, else why not
    // (a larger one is left to the caller when it asks for `truncated`).
    std::optional<QString> ReadSecretFile(const QString& section, const QString& key, const QString& path,
                                          std::size_t limit, bool* truncated = nullptr);

private:
    QString m_file, m_dir;
};

void Reader::ReadModemKey(ModemConfig& modem, const QString& section, const QString& key,
                          const QString& value) {
    if (SameName(key, "Device")) {
        if (value.isEmpty())
            Problem(section, key,
                    QCoreApplication::translate(
                        "DaemonConfig", "is empty; name the modem's serial device, such as /dev/ttyUSB0"));
        else if (!QDir::isAbsolutePath(value))
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "\"%1\" is not an absolute path, such as /dev/ttyUSB0")
                        .arg(value));
        else
            modem.device = QDir::cleanPath(value);
    } else if (SameName(key, "Speed")) {
        const auto speed = Digits(value);
        bool offered = false;
        for (int s : kSpeeds)
            offered = offered || (speed && *speed == s);
        if (offered)
            modem.speed = static_cast<int>(*speed);
        else
            Problem(section, key,
                    QCoreApplication::translate(
                        "DaemonConfig",
                        "\"%1\" is not a line speed the link sets (1200, 2400, 4800, 9600, 19200, 38400, "
                        "57600, 115200 or 230400)")
                        .arg(value));
    } else if (SameName(key, "PinFile")) {
        if (value.isEmpty()) {
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "is empty; leave the key out when the SIM asks for no PIN"));
        } else {
            modem.pinFile = Absolute(value);
            CheckPinFile(section, modem.pinFile);
        }
    } else if (SameName(key, "Interval")) {
        const auto seconds = Digits(value);
        if (seconds && *seconds <= kMaxIntervalSeconds)
            modem.intervalMs = *seconds * 1000;
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "\"%1\" is not a whole number of seconds from 0 to %2")
                        .arg(value)
                        .arg(kMaxIntervalSeconds));
    } else if (SameName(key, "PerHour")) {
        const auto count = Digits(value);
        if (count && *count <= kMaxPerHour)
            modem.perHour = static_cast<int>(*count);
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "\"%1\" is not a whole number from 0 to %2")
                        .arg(value)
                        .arg(kMaxPerHour));
    } else if (SameName(key, "UssdEncoding")) {
        if (value.isEmpty() || UssdWireFromName(value.toLower().toStdString()))
            modem.ussdEncoding = value.toLower();
        else
            Problem(
                section, key,
                QCoreApplication::translate(
                    "DaemonConfig", "\"%1\" is neither text nor packed (leave the key out to find it out)")
                    .arg(value));
    } else if (SameName(key, "DeleteAfterStore")) {
        if (const auto yes = YesNo(value))
            modem.deleteAfterStore = *yes;
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "\"%1\" is neither yes nor no").arg(value));
    } else {
        Problem(section, key,
                QCoreApplication::translate(
                    "DaemonConfig",
                    "unknown key; a modem takes Device, Speed, PinFile, Interval, PerHour, UssdEncoding and "
                    "DeleteAfterStore"));
    }
}

// A secret in a file that anyone but its owner may read (or put another
// secret into) is refused, not used.
std::optional<QString> Reader::ReadSecretFile(const QString& section, const QString& key, const QString& path,
                                              std::size_t limit, bool* truncated) {
    auto read = velmora::ReadSecretFile(path, limit, truncated);
    if (!read) {
        Problem(section, key, read.error());
        return std::nullopt;
    }
    return std::move(read.value());
}

// The PIN is a secret, as the API's token and the webhooks' key are.
void Reader::CheckPinFile(const QString& section, const QString& path) {
    const QString key = "PinFile";
    // Read a little further than a PIN goes: a longer file is no PIN file.
    bool truncated = false;
    const auto pin = ReadSecretFile(section, key, path, kPinFileLimit, &truncated);
    if (!pin)
        return;
    const auto digits = Digits(*pin);
    if (truncated || !digits || pin->size() < 4 || pin->size() > 8)
        Problem(
            section, key,
            QCoreApplication::translate("DaemonConfig", "%1 does not hold a PIN of 4 to 8 digits").arg(path));
}

// Where [Http] Listen= has the API listen: an address and a port, the
// address only ever a literal one (or localhost), so what is loopback is
// known without asking a name server.
struct ListenAddress {
    QString host; // "" for PORT alone: loopback
    int port = 0;
    bool loopback = false;
};

std::optional<ListenAddress> ParseListen(const QString& value) {
    ListenAddress a;
    QString port = value;
    if (value.startsWith(u'[')) {
        const qsizetype close = value.indexOf(u']');
        if (close < 0 || value.mid(close + 1, 1) != QLatin1String(":"))
            return std::nullopt;
        a.host = value.mid(1, close - 1);
        port = value.mid(close + 2);
        in6_addr v6{};
        if (::inet_pton(AF_INET6, a.host.toLatin1().constData(), &v6) != 1)
            return std::nullopt;
        a.loopback = IN6_IS_ADDR_LOOPBACK(&v6) != 0;
    } else if (const qsizetype colon = value.indexOf(u':'); colon >= 0) {
        a.host = value.left(colon);
        port = value.mid(colon + 1);
        in_addr v4{};
        if (SameName(a.host, "localhost"))
            a.loopback = true;
        else if (::inet_pton(AF_INET, a.host.toLatin1().constData(), &v4) == 1)
            a.loopback = (ntohl(v4.s_addr) >> 24) == 127;
        else
            return std::nullopt;
    } else {
        a.loopback = true;
    }
    const auto number = Digits(port);
    if (!number || port.size() > 5 || *number < 1 || *number > 65535)
        return std::nullopt;
    a.port = static_cast<int>(*number);
    return a;
}

void Reader::ReadHttpKey(HttpConfig& http, const QString& section, const QString& key, const QString& value) {
    if (SameName(key, "Listen")) {
        if (value.isEmpty())
            Problem(
                section, key,
                QCoreApplication::translate("DaemonConfig", "is empty; leave the key out to keep HTTP off"));
        else if (!ParseListen(value))
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "\"%1\" is not PORT, ADDRESS:PORT or [ADDRESS]:PORT, such as "
                                                "127.0.0.1:8080, with a port from 1 to 65535")
                        .arg(value));
        else
            http.listen = value;
    } else if (SameName(key, "AllowRemote")) {
        if (const auto yes = YesNo(value))
            http.allowRemote = *yes;
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "\"%1\" is neither yes nor no").arg(value));
    } else if (SameName(key, "TokenFile")) {
        if (value.isEmpty()) {
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "is empty; name the token's file"));
        } else {
            http.tokenFile = Absolute(value);
            const auto token = ReadSecretFile(section, key, http.tokenFile, kSecretFileLimit);
            if (token && token->size() < kMinSecret)
                Problem(
                    section, key,
                    QCoreApplication::translate("DaemonConfig", "%1 holds no token of at least %2 characters")
                        .arg(http.tokenFile)
                        .arg(kMinSecret));
        }
    } else if (SameName(key, "PerMinute")) {
        const auto count = Digits(value);
        if (count && *count <= kMaxPerMinute)
            http.perMinute = static_cast<int>(*count);
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "\"%1\" is not a whole number from 0 to %2")
                        .arg(value)
                        .arg(kMaxPerMinute));
    } else {
        Problem(
            section, key,
            QCoreApplication::translate(
                "DaemonConfig", "unknown key; [Http] takes Listen, AllowRemote, TokenFile and PerMinute"));
    }
}

void Reader::ReadHooksKey(HooksConfig& hooks, const QString& section, const QString& key,
                          const QString& value) {
    QString* command = SameName(key, "OnReceive") ? &hooks.onReceive
                       : SameName(key, "OnState") ? &hooks.onState
                                                  : nullptr;
    if (!command) {
        Problem(
            section, key,
            QCoreApplication::translate("DaemonConfig", "unknown key; [Hooks] takes OnReceive and OnState"));
        return;
    }
    // Run as it is split, never by a shell: the program's own path first.
    const QStringList words = QProcess::splitCommand(value);
    if (words.isEmpty()) {
        Problem(section, key,
                QCoreApplication::translate("DaemonConfig",
                                            "is empty; leave the key out when no program is to run"));
        return;
    }
    const QString& program = words.front();
    const QFileInfo info(program);
    if (!QDir::isAbsolutePath(program))
        Problem(section, key,
                QCoreApplication::translate("DaemonConfig",
                                            "\"%1\" is not an absolute path to a program, such as "
                                            "/usr/local/bin/on-sms")
                    .arg(program));
    else if (!info.isFile() || ::access(program.toLocal8Bit().constData(), X_OK) != 0)
        Problem(section, key,
                QCoreApplication::translate("DaemonConfig", "%1 is not a program this user may run")
                    .arg(program));
    else
        *command = value;
}

void Reader::ReadWebhooksKey(WebhookConfig& webhook, const QString& section, const QString& key,
                             const QString& value) {
    if (SameName(key, "Url")) {
        const QUrl url(value, QUrl::StrictMode);
        const QString scheme = url.scheme().toLower();
        if (value.size() > kMaxUrl || !url.isValid() || (scheme != "http" && scheme != "https") ||
            url.host().isEmpty() || !url.userInfo().isEmpty())
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig", "\"%1\" is not an http or https URL, such as "
                                                                "https://example.org/sms")
                        .arg(value.left(kMaxUrl)));
        else
            webhook.url = value;
    } else if (SameName(key, "SecretFile")) {
        if (value.isEmpty()) {
            Problem(
                section, key,
                QCoreApplication::translate("DaemonConfig", "is empty; name the file of the signing secret"));
        } else {
            webhook.secretFile = Absolute(value);
            const auto secret = ReadSecretFile(section, key, webhook.secretFile, kSecretFileLimit);
            if (secret && secret->size() < kMinSecret)
                Problem(section, key,
                        QCoreApplication::translate("DaemonConfig",
                                                    "%1 holds no secret of at least %2 characters")
                            .arg(webhook.secretFile)
                            .arg(kMinSecret));
        }
    } else {
        Problem(
            section, key,
            QCoreApplication::translate("DaemonConfig", "unknown key; [Webhooks] takes Url and SecretFile"));
    }
}

void Reader::ReadStoreKey(DaemonConfig& config, const QString& section, const QString& key,
                          const QString& value) {
    if (SameName(key, "Path")) {
        if (value.isEmpty())
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "is empty; leave the key out for the default place"));
        else
            config.storePath = Absolute(value);
    } else if (SameName(key, "Url")) {
        const QString why =
            value.isEmpty()
                ? QCoreApplication::translate("DaemonConfig", "is empty; leave the key out for a store file")
                : StoreUrlProblem(value);
        if (!why.isEmpty()) {
            Problem(section, key, why);
            return;
        }
        config.storeUrl = value;
        // A password file the URL names itself is as much a secret as one
        // PasswordFile= names.
        if (const auto inUrl = StoreUrlItem(value, "password_file"))
            CheckPasswordFile(section, key, *inUrl);
    } else if (SameName(key, "PasswordFile")) {
        if (value.isEmpty()) {
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "is empty; leave the key out when the server asks for none"));
        } else {
            config.storePasswordFile = Absolute(value);
            CheckPasswordFile(section, key, config.storePasswordFile);
        }
    } else if (SameName(key, "SslMode")) {
        if (IsSslMode(value.toLower()))
            config.storeSslMode = value.toLower();
        else
            Problem(
                section, key,
                QCoreApplication::translate(
                    "DaemonConfig", "\"%1\" is not disable, allow, prefer, require, verify-ca or verify-full")
                    .arg(value));
    } else if (SameName(key, "LeaseSeconds")) {
        const auto seconds = Digits(value);
        if (seconds && *seconds >= kMinLeaseSeconds && *seconds <= kMaxLeaseSeconds)
            config.leaseSeconds = static_cast<int>(*seconds);
        else
            Problem(section, key,
                    QCoreApplication::translate("DaemonConfig",
                                                "\"%1\" is not a whole number of seconds from %2 to %3")
                        .arg(value)
                        .arg(kMinLeaseSeconds)
                        .arg(kMaxLeaseSeconds));
    } else {
        Problem(section, key,
                QCoreApplication::translate(
                    "DaemonConfig",
                    "unknown key; [Store] takes Path, Url, PasswordFile, SslMode and LeaseSeconds"));
    }
}

// The server's password: a line, in a file only its owner may read, read
// as the store reads it.
void Reader::CheckPasswordFile(const QString& section, const QString& key, const QString& path) {
    const auto password = ReadPasswordFile(path);
    if (!password)
        Problem(section, key, password.error());
    else if (password.value().isEmpty())
        Problem(section, key, QCoreApplication::translate("DaemonConfig", "%1 holds no password").arg(path));
}

} // namespace

Result<DaemonConfig, std::vector<ConfigProblem>> LoadDaemonConfig(const QString& file) {
    using Outcome = Result<DaemonConfig, std::vector<ConfigProblem>>;
    Reader reader(file);
    const auto read = ReadFilePrefix(file.toStdString(), kConfigLimit);
    if (!read) {
        reader.Problem(
            {}, {},
            QCoreApplication::translate("DaemonConfig", "cannot be read: %1").arg(Q(read.error().reason)));
        return Outcome::Fail(reader.problems);
    }
    if (read->truncated) {
        reader.Problem({}, {}, QCoreApplication::translate("DaemonConfig", "is larger than 1 MiB"));
        return Outcome::Fail(reader.problems);
    }

    DaemonConfig config;
    config.file = file;
    // Where each modem stands in config.modems, and each section seen, by
    // its name in lower case (sections are named without regard to case).
    std::map<QString, std::size_t> modemIndex;
    std::set<QString> sectionsSeen;
    std::set<std::pair<QString, QString>> keysSeen;
    // The section the lines below belong to: skipped when it is unknown or
    // given twice, so its keys are not reported one by one as well.
    QString section;
    bool inSection = false, skipping = false, modemSection = false;
    ModemConfig* modem = nullptr;
    std::vector<std::pair<bool, QString>> deviceGiven; // per modem: Device= seen

    for (const IniFile::Item& item : IniFile::Parse(read->bytes).Items()) {
        if (item.kind == IniFile::Item::Section) {
            section = Q(item.section);
            inSection = true;
            modem = nullptr;
            skipping = true;
            const QString lower = section.toLower();
            if (sectionsSeen.count(lower)) {
                reader.Problem(section, {},
                               QCoreApplication::translate(
                                   "DaemonConfig", "given twice; put all of its keys in one section"));
                continue;
            }
            sectionsSeen.insert(lower);
            if (lower == "store" || lower == "messages" || lower == "http" || lower == "hooks" ||
                lower == "webhooks") {
                skipping = false;
            } else if (lower == "modem" || lower.startsWith("modem ")) {
                modemSection = true;
                const QString name = section.mid(5).trimmed();
                if (!ValidModemName(name)) {
                    reader.Problem(section, {},
                                   QCoreApplication::translate(
                                       "DaemonConfig",
                                       "a modem's name is 1 to %1 letters, digits, '-', '_' or '.', as in "
                                       "[Modem office]")
                                       .arg(kMaxModemName));
                } else if (config.modems.size() >= kMaxModems) {
                    reader.Problem(
                        section, {},
                        QCoreApplication::translate("DaemonConfig", "more than %1 modems").arg(kMaxModems));
                } else {
                    modemIndex[lower] = config.modems.size();
                    config.modems.push_back({});
                    config.modems.back().name = name;
                    deviceGiven.push_back({false, section});
                    modem = &config.modems.back();
                    skipping = false;
                }
            } else {
                reader.Problem(section, {},
                               QCoreApplication::translate(
                                   "DaemonConfig",
                                   "unknown section; the file has [Modem NAME], [Store], [Messages], [Http], "
                                   "[Hooks] and [Webhooks]"));
            }
            continue;
        }
        if (item.kind == IniFile::Item::Stray) {
            reader.Problem(
                section, {},
                QCoreApplication::translate("DaemonConfig", "line %1 is neither [SECTION] nor KEY=VALUE: %2")
                    .arg(item.line)
                    .arg(Q(item.value)));
            continue;
        }
        const QString key = Q(item.key), value = Q(item.value);
        if (!inSection) {
            reader.Problem({}, key, QCoreApplication::translate("DaemonConfig", "stands before any section"));
            continue;
        }
        if (skipping)
            continue;
        if (!keysSeen.insert({section.toLower(), key.toLower()}).second) {
            reader.Problem(section, key,
                           QCoreApplication::translate("DaemonConfig", "given twice in the section"));
            continue;
        }
        const QString lower = section.toLower();
        if (modem) {
            if (SameName(key, "Device"))
                deviceGiven[modemIndex[lower]].first = true;
            reader.ReadModemKey(*modem, section, key, value);
        } else if (lower == "http") {
            reader.ReadHttpKey(config.http, section, key, value);
        } else if (lower == "hooks") {
            // A command line keeps its own quotes: split as written.
            reader.ReadHooksKey(config.hooks, section, key, Q(item.written));
        } else if (lower == "webhooks") {
            reader.ReadWebhooksKey(config.webhook, section, key, value);
        } else if (lower == "store") {
            reader.ReadStoreKey(config, section, key, value);
        } else {
            if (!SameName(key, "CountryCode")) {
                reader.Problem(
                    section, key,
                    QCoreApplication::translate("DaemonConfig", "unknown key; [Messages] takes CountryCode"));
            } else {
                const QString code = value.startsWith('+') ? value.mid(1) : value;
                if (IsCountryCode(code.toStdString()) && !code.startsWith(u'0'))
                    config.countryCode = code;
                else
                    reader.Problem(section, key,
                                   QCoreApplication::translate(
                                       "DaemonConfig",
                                       "\"%1\" is not a country calling code of 1 to 3 digits, such as 62")
                                       .arg(value));
            }
        }
    }

    // What only the whole file shows: a modem without its device, two
    // modems on one device, no modem at all.
    std::map<QString, QString> deviceOwner;
    for (std::size_t i = 0; i < config.modems.size(); ++i) {
        const ModemConfig& m = config.modems[i];
        const QString& sectionName = deviceGiven[i].second;
        if (!deviceGiven[i].first) {
            reader.Problem(
                sectionName, "Device",
                QCoreApplication::translate("DaemonConfig",
                                            "missing; name the modem's serial device, such as /dev/ttyUSB0"));
            continue;
        }
        if (m.device.isEmpty())
            continue; // already said why
        const QString same = SameDeviceKey(m.device);
        if (const auto owner = deviceOwner.find(same); owner != deviceOwner.end())
            reader.Problem(
                sectionName, "Device",
                QCoreApplication::translate("DaemonConfig",
                                            "%1 is the device of [Modem %2] already; one modem, one device")
                    .arg(m.device, owner->second));
        else
            deviceOwner.emplace(same, m.name);
    }
    // What a door needs beside its address, and an address that reaches
    // beyond this machine only when the file says so.
    if (!config.http.listen.isEmpty()) {
        if (config.http.tokenFile.isEmpty() && !keysSeen.count({"http", "tokenfile"}))
            reader.Problem("Http", "TokenFile",
                           QCoreApplication::translate(
                               "DaemonConfig", "missing; every request needs the token kept in this file"));
        const auto at = ParseListen(config.http.listen);
        if (at && !at->loopback && !config.http.allowRemote)
            reader.Problem("Http", "Listen",
                           QCoreApplication::translate(
                               "DaemonConfig", "%1 is reached from other machines too; add AllowRemote=yes "
                                               "to mean it")
                               .arg(config.http.listen));
    }
    if (!config.webhook.url.isEmpty() && config.webhook.secretFile.isEmpty() &&
        !keysSeen.count({"webhooks", "secretfile"}))
        reader.Problem(
            "Webhooks", "SecretFile",
            QCoreApplication::translate("DaemonConfig",
                                        "missing; every post is signed with the secret kept in this file"));
    // One store: a file or a server, and the server's keys only with it.
    if (!config.storeUrl.isEmpty()) {
        if (!config.storePath.isEmpty())
            reader.Problem("Store", "Url",
                           QCoreApplication::translate(
                               "DaemonConfig", "and Path= name two stores; give the one the daemon keeps"));
        const struct {
            const char* key;
            const char* item;
            bool given;
        } twice[] = {{"PasswordFile", "password_file", !config.storePasswordFile.isEmpty()},
                     {"SslMode", "sslmode", !config.storeSslMode.isEmpty()}};
        for (const auto& t : twice)
            if (t.given && StoreUrlItem(config.storeUrl, t.item))
                reader.Problem(
                    "Store", t.key,
                    QCoreApplication::translate("DaemonConfig", "is given in Url= too (%1=); give it once")
                        .arg(t.item));
    } else if (!keysSeen.count({"store", "url"})) {
        for (const char* key : {"PasswordFile", "SslMode"})
            if (keysSeen.count({"store", QString(key).toLower()}))
                reader.Problem(
                    "Store", key,
                    QCoreApplication::translate("DaemonConfig", "goes with Url=, the server it is for"));
    }
    if (!modemSection)
        reader.Problem({}, {},
                       QCoreApplication::translate(
                           "DaemonConfig", "names no modem; add a [Modem NAME] section with its Device="));

    if (!reader.problems.empty())
        return Outcome::Fail(reader.problems);
    return Outcome::Ok(config);
}

QString DaemonConfig::storeLocation() const {
    return storeUrl.isEmpty() ? storePath : StoreLocation(storeUrl, storePasswordFile, storeSslMode);
}

QString ConfigProblemLine(const ConfigProblem& problem) {
    QString line = problem.file + ": ";
    if (!problem.section.isEmpty())
        line += '[' + problem.section + "] ";
    if (!problem.key.isEmpty())
        line += problem.key + ' ';
    if (!problem.section.isEmpty() || !problem.key.isEmpty()) {
        line.chop(1);
        line += ": ";
    }
    return line + problem.why;
}

QString UserDaemonConfig(const QString& xdgConfigHome, const QString& home) {
    const QString base = QDir::isAbsolutePath(xdgConfigHome) ? xdgConfigHome : home + "/.config";
    return QDir::cleanPath(base + "/velmora/velmorad.conf");
}

QString UserDaemonConfig() {
    return UserDaemonConfig(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath());
}

} // namespace velmora
