#include "DaemonConfig.h"

#include "FileIo.h"
#include "IniFile.h"
#include "Strings.h"
#include "Ussd.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <map>
#include <optional>
#include <set>
#include <sys/stat.h>

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

// The PIN is a secret: a file that anyone but its owner may read (or put
// another PIN into) is refused, not used.
void Reader::CheckPinFile(const QString& section, const QString& path) {
    const QString key = "PinFile";
    struct stat st {};
    if (::stat(path.toLocal8Bit().constData(), &st) != 0) {
        Problem(section, key,
                QCoreApplication::translate("DaemonConfig", "%1 cannot be read: %2")
                    .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        Problem(section, key,
                QCoreApplication::translate("DaemonConfig", "%1 is not a regular file").arg(path));
        return;
    }
    if (st.st_mode & (S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH)) {
        Problem(section, key,
                QCoreApplication::translate(
                    "DaemonConfig",
                    "%1 may be read or changed by others than its owner (mode %2); make it chmod 600")
                    .arg(path)
                    .arg(st.st_mode & 0777, 4, 8, QChar(u'0')));
        return;
    }
    const auto read = ReadFilePrefixOrRefusal(path.toStdString(), kPinFileLimit);
    if (!read) {
        Problem(section, key, Q(read.error()));
        return;
    }
    const QString pin = Q(read->bytes).trimmed();
    const auto digits = Digits(pin);
    if (read->truncated || !digits || pin.size() < 4 || pin.size() > 8)
        Problem(
            section, key,
            QCoreApplication::translate("DaemonConfig", "%1 does not hold a PIN of 4 to 8 digits").arg(path));
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
            if (lower == "store" || lower == "messages") {
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
                                   "unknown section; the file has [Modem NAME], [Store] and [Messages]"));
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
        } else if (lower == "store") {
            if (!SameName(key, "Path"))
                reader.Problem(
                    section, key,
                    QCoreApplication::translate("DaemonConfig", "unknown key; [Store] takes Path"));
            else if (value.isEmpty())
                reader.Problem(section, key,
                               QCoreApplication::translate(
                                   "DaemonConfig", "is empty; leave the key out for the default place"));
            else
                config.storePath = reader.Absolute(value);
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
    if (!modemSection)
        reader.Problem({}, {},
                       QCoreApplication::translate(
                           "DaemonConfig", "names no modem; add a [Modem NAME] section with its Device="));

    if (!reader.problems.empty())
        return Outcome::Fail(reader.problems);
    return Outcome::Ok(config);
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
