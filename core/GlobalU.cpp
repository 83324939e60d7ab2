#include "GlobalU.h"

#include "FileIo.h"
#include "IniFile.h"
#include "QtText.h"
#include "Said.h"
#include "StoreLocation.h"

#include <charconv>
#include <cstdint>
#include <optional>

namespace velmora {

namespace {

const char kCommSection[] = "Communication Port";
const char kFormSection[] = "Form";
const char kDevicesSection[] = "Serial Devices";
const char kMessagesSection[] = "Messages";
const char kOutboxSection[] = "Outbox";
const char kStoreSection[] = "Store";

// Far above any settings file the programs write, and small enough that
// reading it costs nothing.
constexpr std::size_t kSettingsLimit = 1024 * 1024;

// A whole number as the settings file writes it: an optional sign and
// decimal digits that fit 32 bits. Blanks around it are already gone.
std::optional<std::int32_t> ParseWholeNumber(const std::string& text) {
    std::string_view s = text;
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty() || (s.size() != text.size() && s.front() == '-'))
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

std::string NotAnInteger(const std::string& text) {
    return Fill(translate("Settings", "'%1' is not a valid integer value"), {text});
}

// Reads one integer key, falling back to its default (with a message) when
// the text is not a whole number.
std::int32_t ReadInt(const IniFile& ini, const char* section, const char* key, std::int32_t fallback,
                     std::vector<std::string>& messages) {
    const auto text = ini.Value(section, key);
    if (!text)
        return fallback;
    if (const auto v = ParseWholeNumber(*text))
        return *v;
    messages.push_back(NotAnInteger(*text));
    return fallback;
}

void ReadSerialDevices(const IniFile& ini, std::map<int, std::string>& devices) {
    devices.clear();
    for (const auto& [key, path] : ini.Entries(kDevicesSection)) {
        if (key.size() < 4 || path.empty())
            continue;
        if ((key[0] | 0x20) != 'c' || (key[1] | 0x20) != 'o' || (key[2] | 0x20) != 'm')
            continue;
        int n = 0;
        const auto [end, ec] = std::from_chars(key.data() + 3, key.data() + key.size(), n);
        if (ec != std::errc() || end != key.data() + key.size() || n < 1 || n > 96)
            continue;
        devices.emplace(n, path); // the first mention wins, as for every key
    }
}

// A server named wrongly is not guessed at, nor is a weaker sslmode than
// the one meant: the file is used and the user told why.
void ReadStore(const IniFile& ini, const std::string& file, Settings& settings,
               std::vector<std::string>& messages) {
    settings.StoreUrl = ini.Value(kStoreSection, "Url").value_or("");
    settings.StoreSslMode = ini.Value(kStoreSection, "SslMode").value_or("");
    settings.StorePasswordFile = ini.Value(kStoreSection, "PasswordFile").value_or("");
    if (!settings.StorePasswordFile.empty() && settings.StorePasswordFile.front() != '/') {
        const auto slash = file.rfind('/');
        if (slash != std::string::npos)
            settings.StorePasswordFile = file.substr(0, slash + 1) + settings.StorePasswordFile;
    }
    if (settings.StoreUrl.empty())
        return;
    std::string why = S(StoreUrlProblem(Q(settings.StoreUrl)));
    if (why.empty() && !settings.StoreSslMode.empty() && !IsSslMode(Q(settings.StoreSslMode)))
        why = Fill(translate("Settings", "SslMode=%1 is not disable, allow, prefer, require, verify-ca or "
                                         "verify-full"),
                   {settings.StoreSslMode});
    if (why.empty())
        return;
    messages.push_back(
        Fill(translate("Settings", "[Store] Url: %1; the message store file is used instead"), {why}));
    settings.StoreUrl.clear();
}

void ReadCommunication(const IniFile& ini, const std::string& file, Settings& settings,
                       std::vector<std::string>& messages) {
    settings.PortNumber = static_cast<std::uint8_t>(ReadInt(ini, kCommSection, "Port", 1, messages) & 0xFF);
    // Only the offered speeds, compared as text; anything else runs (and
    // is saved back) as 19200.
    const auto baud = ini.Value(kCommSection, "Baudrate").value_or("19200");
    settings.BaudRate = 19200;
    for (int offered : kOfferedBaudRates)
        if (baud == std::to_string(offered))
            settings.BaudRate = offered;
    settings.FastDialogue = ini.Value(kCommSection, "Dialogue") == std::optional<std::string>("fast");
    settings.DeliveryReport = ini.Value(kCommSection, "DeliveryReport") == std::optional<std::string>("1");
    ReadSerialDevices(ini, settings.SerialDevices);
    settings.MessageStore = ini.Value(kMessagesSection, "Store").value_or("");
    ReadStore(ini, file, settings, messages);
    const int keep = ReadInt(ini, kMessagesSection, "KeepDays", 0, messages);
    settings.KeepDays = 0;
    if (keep >= 0 && keep <= kMaxKeepDays)
        settings.KeepDays = keep;
    else
        messages.push_back(
            Fill(translate("Settings", "[Messages] KeepDays=%1 is not from 0 to %2; every message is kept"),
                 {std::to_string(keep), std::to_string(kMaxKeepDays)}));
    // A code that is not one would send every national number nowhere: it
    // is named and the default kept.
    const auto country = ini.Value(kMessagesSection, "CountryCode");
    settings.CountryCode = std::string(kDefaultCountryCode);
    if (country && IsCountryCode(*country))
        settings.CountryCode = *country;
    else if (country)
        messages.push_back(
            Fill(translate("Settings", "[Messages] CountryCode=%1 is not 1 to 3 digits; %2 is used"),
                 {*country, kDefaultCountryCode}));
    // Beyond the range a batch could hold up the phone for hours on one
    // refused number: such a value is named and the default kept.
    const int retries = ReadInt(ini, kOutboxSection, "Retries", 2, messages);
    settings.Retries = 2;
    if (retries >= 0 && retries <= kMaxRetries)
        settings.Retries = retries;
    else
        messages.push_back(Fill(translate("Settings", "[Outbox] Retries=%1 is not from 0 to %2; 2 is used"),
                                {std::to_string(retries), std::to_string(kMaxRetries)}));
}

void ReadWindow(const IniFile& ini, Settings& settings, std::vector<std::string>& messages) {
    settings.WindowTop = ReadInt(ini, kFormSection, "ZTop", 0, messages);
    settings.WindowLeft = ReadInt(ini, kFormSection, "ZLeft", 0, messages);
    settings.WindowHeight = ReadInt(ini, kFormSection, "ZHeight", 0, messages);
    settings.WindowWidth = ReadInt(ini, kFormSection, "ZWidth", 0, messages);
}

// The settings file's text, or nothing (with the message) when it is missing
// or cannot be used: then every key takes its default.
IniFile ReadSettingsFile(const std::string& file, std::vector<std::string>& messages) {
    const auto notRead = [&](const std::string& what) {
        messages.push_back(
            Fill(translate("Settings", "%1: not read (%2); using the defaults and leaving the file as it is"),
                 {file, what}));
        return IniFile::Parse("");
    };
    const auto read = ReadFilePrefix(file, kSettingsLimit);
    if (!read) {
        if (read.error().kind == FileRefusal::Unsuitable)
            return notRead(read.error().reason);
        if (read.error().kind == FileRefusal::Failed)
            messages.push_back(
                Fill(translate("Settings", "Unable to read %1: %2"), {file, read.error().reason}));
        return IniFile::Parse("");
    }
    if (read->truncated)
        return notRead(translate("Settings", "larger than 1 MiB"));
    return IniFile::Parse(read->bytes);
}

} // namespace

std::string SettingsStore(const Settings& settings) {
    if (settings.StoreUrl.empty())
        return settings.MessageStore;
    return S(StoreLocation(Q(settings.StoreUrl), Q(settings.StorePasswordFile), Q(settings.StoreSslMode)));
}

bool IsOfferedBaudRate(int baud) {
    for (int offered : kOfferedBaudRates)
        if (baud == offered)
            return true;
    return false;
}

std::vector<std::string> LoadSettings(SettingsSection section, const std::string& file, Settings& settings) {
    std::vector<std::string> messages;
    const IniFile ini = ReadSettingsFile(file, messages);
    if (section == SettingsSection::Communication)
        ReadCommunication(ini, file, settings, messages);
    else
        ReadWindow(ini, settings, messages);
    return messages;
}

std::vector<std::string> LoadSettings(const std::string& file, Settings& settings) {
    std::vector<std::string> messages;
    const IniFile ini = ReadSettingsFile(file, messages);
    ReadCommunication(ini, file, settings, messages);
    ReadWindow(ini, settings, messages);
    return messages;
}

Result<std::string> SaveSettings(SettingsSection section, const std::string& file, const Settings& settings) {
    const auto failure =
        Result<std::string>::Fail(Fill(translate("Settings", "Unable to write to %1"), {file}));
    // A file that cannot be read is not overwritten, since its other sections
    // would be lost; nor is anything that is not a settings file (a FIFO, a
    // device, a huge file the user pointed the program at).
    const auto read = ReadFilePrefix(file, kSettingsLimit);
    if (read ? read->truncated : read.error().kind != FileRefusal::Missing)
        return failure;
    IniFile ini = IniFile::Parse(read ? read->bytes : std::string());
    if (section == SettingsSection::Communication) {
        ini.SetValue(kCommSection, "Port", std::to_string(settings.PortNumber));
        ini.SetValue(kCommSection, "Baudrate", std::to_string(settings.BaudRate));
        // A file from before these options only gains them once one is used.
        if (settings.FastDialogue || ini.Value(kCommSection, "Dialogue"))
            ini.SetValue(kCommSection, "Dialogue", settings.FastDialogue ? "fast" : "classic");
        if (settings.DeliveryReport || ini.Value(kCommSection, "DeliveryReport"))
            ini.SetValue(kCommSection, "DeliveryReport", settings.DeliveryReport ? "1" : "0");
    } else {
        ini.SetValue(kFormSection, "ZTop", std::to_string(settings.WindowTop));
        ini.SetValue(kFormSection, "ZLeft", std::to_string(settings.WindowLeft));
        ini.SetValue(kFormSection, "ZHeight", std::to_string(settings.WindowHeight));
        ini.SetValue(kFormSection, "ZWidth", std::to_string(settings.WindowWidth));
    }
    if (!WriteFileAtomically(file, ini.Text(), true))
        return failure;
    return Result<std::string>::Ok(file);
}

} // namespace velmora
