#pragma once

// The settings of velmorad, the daemon that runs the message centre for one
// or more modems on a box without a screen. An INI file as the other
// programs' settings, but read whole and strictly: a daemon that guesses
// around a typing mistake sends from the wrong modem or at the wrong pace,
// so every key it does not know, every value it cannot take and every
// clash between modems is a problem, and a file with any problem is not
// used at all.
//
//     [Modem office]
//     Device=/dev/serial/by-id/usb-HUAWEI_E1550-if00-port0
//     Speed=115200
//     PinFile=/etc/velmora/office.pin
//     Interval=10
//     PerHour=60
//     UssdEncoding=packed
//     DeleteAfterStore=yes
//
//     [Store]
//     Path=/var/lib/velmora/messages.sqlite
//     ; or a PostgreSQL server, which two daemons on two boxes may share:
//     ; Url=postgresql://velmora@db.example.org/velmora
//     ; PasswordFile=/etc/velmora/db.password
//     ; SslMode=verify-full
//     ; LeaseSeconds=60
//
//     [Messages]
//     CountryCode=62

#include "Result.h"

#include <QString>

#include <vector>

namespace velmora {

struct ModemConfig {
    QString name;                  // [Modem NAME]
    QString device;                // Device=
    int speed = 115200;            // Speed=
    QString pinFile;               // PinFile= (refused when group or others may read it)
    qint64 intervalMs = 0;         // Interval= (seconds in the file)
    int perHour = 0;               // PerHour=
    QString ussdEncoding;          // UssdEncoding= ("", "text" or "packed", as the window's setting)
    bool deleteAfterStore = false; // DeleteAfterStore=

    // A modem whose settings changed is closed and opened again on a reload.
    bool operator==(const ModemConfig&) const = default;
};

// [Http]: the API for scripts. Off while Listen= is empty.
struct HttpConfig {
    QString listen;           // Listen= "PORT", "HOST:PORT" or "[V6]:PORT"; "" off
    bool allowRemote = false; // AllowRemote=: a Listen= address other than loopback is refused without it
    QString tokenFile;        // TokenFile= (needed with Listen=; refused when group or others may read it)
    int perMinute = 600;      // PerMinute=: requests a minute, over them 429; 0 no limit
    bool operator==(const HttpConfig&) const = default;
};

// [Hooks]: programs run, never through a shell, with the event as JSON on
// their standard input. "" none. The value is the program and its
// arguments, split as QProcess::splitCommand splits them.
struct HooksConfig {
    QString onReceive; // OnReceive=
    QString onState;   // OnState=
    bool operator==(const HooksConfig&) const = default;
};

// [Webhooks]: every event posted to a URL, signed with the secret.
struct WebhookConfig {
    QString url;        // Url= (http or https); "" off
    QString secretFile; // SecretFile= (needed with Url=; refused when group or others may read it)
    bool operator==(const WebhookConfig&) const = default;
};

struct DaemonConfig {
    QString file;
    QString storePath;          // [Store] Path= ("": the daemon's default place)
    QString storeUrl;           // [Store] Url= (postgresql://...; never with Path=)
    QString storePasswordFile;  // [Store] PasswordFile= (refused when group or others may read it)
    QString storeSslMode;       // [Store] SslMode= (libpq's, in lower case; "" as the Url= says)
    int leaseSeconds = 60;      // [Store] LeaseSeconds=: a silent daemon's claims go after this
    QString countryCode = "62"; // [Messages] CountryCode=
    std::vector<ModemConfig> modems;
    HttpConfig http;
    HooksConfig hooks;
    WebhookConfig webhook;

    // The store as MessageStore::Open takes it: the server's URL with its
    // password file and sslmode, or else storePath.
    QString storeLocation() const;
};

// One thing wrong in the file: where (section and key, either "" when the
// problem is the file's or the section's as a whole) and why, in the
// user's language.
struct ConfigProblem {
    QString file, section, key, why;
};

// Reads and checks the whole file. Relative paths in it (PinFile=, Path=, PasswordFile=)
// are taken from the file's own folder and given back absolute. Gives every
// problem found, in file order, rather than stopping at the first.
Result<DaemonConfig, std::vector<ConfigProblem>> LoadDaemonConfig(const QString& file);

// "FILE: [SECTION] KEY: why", leaving out what the problem does not name.
QString ConfigProblemLine(const ConfigProblem& problem);

// The modems at most one daemon runs, and a modem's name at most.
inline constexpr std::size_t kMaxModems = 64;
inline constexpr int kMaxModemName = 40;
// [Store] LeaseSeconds= at least and at most.
inline constexpr int kMinLeaseSeconds = 10;
inline constexpr int kMaxLeaseSeconds = 3600;

// The settings of the system's daemon (the velmorad.service unit).
inline constexpr char kSystemDaemonConfig[] = "/etc/velmora/velmorad.conf";

// A user's daemon's settings: $XDG_CONFIG_HOME/velmora/velmorad.conf, or
// ~/.config/velmora/velmorad.conf when that is unset or not absolute.
QString UserDaemonConfig(const QString& xdgConfigHome, const QString& home);
// The same from this process's environment.
QString UserDaemonConfig();

} // namespace velmora
