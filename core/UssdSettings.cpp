#include "UssdSettings.h"

#include "FileIo.h"
#include "IniFile.h"
#include "Said.h"

#include <algorithm>

namespace velmora {

namespace {

const char kCommSection[] = "Communication Port";
const char kEncodingsSection[] = "USSD Encodings";
const char kUssdSection[] = "USSD";
constexpr std::size_t kSettingsLimit = 1024 * 1024; // as GlobalU reads it
constexpr std::size_t kModemKeyLimit = 80;
constexpr std::size_t kCodeLimit = 182;

// The file's text; nothing (and why) when it cannot be used.
std::optional<IniFile> Read(const std::string& file, std::string* why) {
    const auto read = ReadFilePrefix(file, kSettingsLimit);
    if (!read) {
        if (read.error().kind == FileRefusal::Missing)
            return IniFile::Parse("");
        if (why)
            *why = Fill(
                translate("Settings", "%1: not read (%2); using the defaults and leaving the file as it is"),
                {file, read.error().reason});
        return std::nullopt;
    }
    if (read->truncated) {
        if (why)
            *why = Fill(
                translate("Settings", "%1: not read (%2); using the defaults and leaving the file as it is"),
                {file, translate("Settings", "larger than 1 MiB")});
        return std::nullopt;
    }
    return IniFile::Parse(read->bytes);
}

Result<std::string> Write(const std::string& file, const IniFile& ini) {
    if (!WriteFileAtomically(file, ini.Text(), true))
        return Result<std::string>::Fail(Fill(translate("Settings", "Unable to write to %1"), {file}));
    return Result<std::string>::Ok(file);
}

std::vector<std::string> SplitRecent(const std::string& value) {
    std::vector<std::string> codes;
    std::size_t start = 0;
    while (start <= value.size() && codes.size() < kRecentUssdCodes) {
        const auto bar = std::min(value.find('|', start), value.size());
        if (bar > start && bar - start <= kCodeLimit)
            codes.push_back(value.substr(start, bar - start));
        start = bar + 1;
    }
    return codes;
}

} // namespace

std::string UssdModemKey(const std::string& manufacturer, const std::string& model) {
    const auto trimmed = [](const std::string& s) {
        const auto first = s.find_first_not_of(' ');
        return first == std::string::npos ? std::string()
                                          : s.substr(first, s.find_last_not_of(' ') - first + 1);
    };
    const std::string maker = trimmed(manufacturer), named = trimmed(model);
    std::string key = maker + (maker.empty() || named.empty() ? "" : " ") + named;
    for (char& c : key)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '=' || c == '[' || c == ']' || c == ';')
            c = '_';
    if (key.size() > kModemKeyLimit)
        key.resize(kModemKeyLimit);
    return key;
}

UssdSettings LoadUssdSettings(const std::string& file, const std::string& modemKey,
                              std::vector<std::string>* problems) {
    UssdSettings s;
    std::string why;
    const auto ini = Read(file, &why);
    if (!ini) {
        if (problems)
            problems->push_back(why);
        return s;
    }
    if (const auto forced = ini->Value(kCommSection, "UssdEncoding")) {
        if (const auto wire = UssdWireFromName(*forced))
            s.forced = *wire;
        else if (problems && !forced->empty())
            problems->push_back(
                Fill(translate("Settings", "[Communication Port] UssdEncoding=%1 is neither text nor "
                                           "packed; each modem is found out"),
                     {*forced}));
    }
    if (!modemKey.empty())
        if (const auto learnt = ini->Value(kEncodingsSection, modemKey))
            s.learnt = UssdWireFromName(*learnt).value_or(UssdWire::Unknown);
    if (const auto recent = ini->Value(kUssdSection, "Recent"))
        s.recent = SplitRecent(*recent);
    return s;
}

Result<std::string> SaveUssdWire(const std::string& file, const std::string& modemKey, UssdWire wire) {
    auto ini = Read(file, nullptr);
    if (!ini || modemKey.empty() || wire == UssdWire::Unknown)
        return Result<std::string>::Fail(Fill(translate("Settings", "Unable to write to %1"), {file}));
    ini->SetValue(kEncodingsSection, modemKey, UssdWireName(wire));
    return Write(file, *ini);
}

Result<std::string> SaveUssdRecent(const std::string& file, const std::string& code) {
    auto ini = Read(file, nullptr);
    if (!ini || code.empty() || code.size() > kCodeLimit || code.find('|') != std::string::npos)
        return Result<std::string>::Fail(Fill(translate("Settings", "Unable to write to %1"), {file}));
    std::vector<std::string> codes = SplitRecent(ini->Value(kUssdSection, "Recent").value_or(""));
    codes.erase(std::remove(codes.begin(), codes.end(), code), codes.end());
    codes.insert(codes.begin(), code);
    if (codes.size() > kRecentUssdCodes)
        codes.resize(kRecentUssdCodes);
    std::string value;
    for (const auto& c : codes)
        value += (value.empty() ? "" : "|") + c;
    ini->SetValue(kUssdSection, "Recent", value);
    return Write(file, *ini);
}

} // namespace velmora
