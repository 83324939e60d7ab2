#include "IniFile.h"

namespace velmora {

namespace {

constexpr std::size_t npos = std::string::npos;

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == npos)
        return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    bool eolSeen = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        const auto nl = text.find('\n', pos);
        std::string_view raw = text.substr(pos, nl == npos ? npos : nl - pos);
        pos = nl == npos ? text.size() : nl + 1;
        if (nl != npos) {
            line.eol = "\n";
            if (!raw.empty() && raw.back() == '\r') {
                raw.remove_suffix(1);
                line.eol = "\r\n";
            }
            if (!eolSeen) {
                ini.m_eol = line.eol;
                eolSeen = true;
            }
        }
        line.raw = std::string(raw);

        std::string_view t = Trim(raw);
        // A byte-order mark left by a Windows editor is not part of the first line.
        if (ini.m_lines.empty() && t.substr(0, 3) == "\xEF\xBB\xBF")
            t = Trim(t.substr(3));
        if (!t.empty() && t.front() == '[') {
            const auto close = t.find(']');
            if (close != npos) {
                line.kind = Kind::Section;
                line.name = std::string(Trim(t.substr(1, close - 1)));
            }
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            const auto eq = t.find('=');
            if (eq != npos) {
                line.kind = Kind::Key;
                line.name = std::string(Trim(t.substr(0, eq)));
                std::string_view v = Trim(t.substr(eq + 1));
                if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                    v = v.substr(1, v.size() - 2);
                line.value = std::string(v);
            }
        }
        ini.m_lines.push_back(std::move(line));
    }
    return ini;
}

std::size_t IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < m_lines.size(); ++i)
        if (m_lines[i].kind == Kind::Section && SameName(m_lines[i].name, section))
            return i;
    return npos;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const auto start = FindSection(section);
    if (start == npos)
        return std::nullopt;
    for (std::size_t i = start + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i)
        if (m_lines[i].kind == Kind::Key && SameName(m_lines[i].name, key))
            return m_lines[i].value;
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> IniFile::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    const auto start = FindSection(section);
    if (start == npos)
        return out;
    for (std::size_t i = start + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i)
        if (m_lines[i].kind == Kind::Key)
            out.emplace_back(m_lines[i].name, m_lines[i].value);
    return out;
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    Line line;
    line.kind = Kind::Key;
    line.name = std::string(key);
    line.value = std::string(value);
    line.eol = m_eol;

    auto start = FindSection(section);
    if (start == npos) {
        if (!m_lines.empty()) {
            if (m_lines.back().eol.empty())
                m_lines.back().eol = m_eol;
            if (!Trim(m_lines.back().raw).empty())
                m_lines.push_back(Line{"", m_eol, Kind::Other, "", ""});
        }
        m_lines.push_back(
            Line{"[" + std::string(section) + "]", m_eol, Kind::Section, std::string(section), ""});
        start = m_lines.size() - 1;
    }

    std::size_t insertAfter = start;
    for (std::size_t i = start + 1; i < m_lines.size() && m_lines[i].kind != Kind::Section; ++i) {
        if (m_lines[i].kind != Kind::Key)
            continue;
        if (SameName(m_lines[i].name, key)) {
            // Keep the spelling the file already uses for the key.
            m_lines[i].raw = m_lines[i].name + "=" + std::string(value);
            m_lines[i].value = std::string(value);
            return;
        }
        insertAfter = i;
    }
    line.raw = std::string(key) + "=" + std::string(value);
    if (m_lines[insertAfter].eol.empty())
        m_lines[insertAfter].eol = m_eol;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAfter) + 1, std::move(line));
}

std::string IniFile::Text() const {
    std::string out;
    for (const auto& l : m_lines) {
        out += l.raw;
        out += l.eol;
    }
    return out;
}

} // namespace velmora
