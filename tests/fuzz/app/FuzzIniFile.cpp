// The settings reader takes whatever a user (or a crash of another editor)
// left in the file. Reading and rewriting must keep every byte it does not own.

#include "../FuzzCheck.h"
#include "IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const velmora::IniFile ini = velmora::IniFile::Parse(text);
    FUZZ_CHECK(ini.Text() == text);

    const char* sections[] = {"Form", "Communication Port", "Serial Devices"};
    for (const char* s : sections) {
        // A lookup finds the first key of that name, as the list shows it.
        const auto entries = ini.Entries(s);
        for (const auto& [key, value] : entries) {
            for (const auto& [k, v] : entries) {
                if (SameName(k, key)) {
                    FUZZ_CHECK(ini.Value(s, key) == v);
                    break;
                }
            }
        }
    }

    // Setting one key changes that key only.
    velmora::IniFile changed = ini;
    changed.SetValue("Form", "ZTop", "-123");
    const velmora::IniFile again = velmora::IniFile::Parse(changed.Text());
    FUZZ_CHECK(again.Value("Form", "ZTop") == "-123");
    FUZZ_CHECK(again.Entries("Communication Port") == ini.Entries("Communication Port"));
    FUZZ_CHECK(again.Entries("Serial Devices") == ini.Entries("Serial Devices"));
    auto before = ini.Entries("Form");
    const auto after = again.Entries("Form");
    bool replaced = false;
    for (auto& [k, v] : before) {
        if (SameName(k, "ZTop")) {
            v = "-123";
            replaced = true;
            break;
        }
    }
    if (!replaced)
        before.emplace_back("ZTop", "-123");
    FUZZ_CHECK(after == before);
    return 0;
}
