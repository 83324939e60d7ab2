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
    ini.m_text = std::string(text);
    if (const auto nl = text.find('\n'); nl != npos && nl > 0 && text[nl - 1] == '\r')
        ini.m_eol = "\r\n";
    return ini;
}

IniFile::Line IniFile::LineAt(std::size_t pos) const {
    const std::string_view text = m_text;
    Line line;
    line.begin = pos;
    const auto nl = text.find('\n', pos);
    line.end = nl == npos ? text.size() : nl;
    line.next = nl == npos ? text.size() : nl + 1;
    if (nl != npos && line.end > pos && text[line.end - 1] == '\r')
        --line.end;

    std::string_view t = Trim(text.substr(pos, line.end - pos));
    // A byte-order mark left by a Windows editor is not part of the first line.
    if (pos == 0 && t.substr(0, 3) == "\xEF\xBB\xBF")
        t = Trim(t.substr(3));
    if (!t.empty() && t.front() == '[') {
        const auto close = t.find(']');
        if (close != npos) {
            line.kind = Kind::Section;
            line.name = Trim(t.substr(1, close - 1));
        }
    } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
        const auto eq = t.find('=');
        if (eq != npos) {
            line.kind = Kind::Key;
            line.name = Trim(t.substr(0, eq));
            std::string_view v = Trim(t.substr(eq + 1));
            line.written = v;
            if (v.size() >= 2 && v.front() == '"' && v.back() == '"')
                v = v.substr(1, v.size() - 2);
            line.value = v;
        }
    }
    return line;
}

std::optional<IniFile::Line> IniFile::FindSection(std::string_view section) const {
    for (std::size_t pos = 0; pos < m_text.size();) {
        const Line line = LineAt(pos);
        if (line.kind == Kind::Section && SameName(line.name, section))
            return line;
        pos = line.next;
    }
    return std::nullopt;
}

std::optional<std::string> IniFile::Value(std::string_view section, std::string_view key) const {
    const auto header = FindSection(section);
    if (!header)
        return std::nullopt;
    for (std::size_t pos = header->next; pos < m_text.size();) {
        const Line line = LineAt(pos);
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key && SameName(line.name, key))
            return std::string(line.value);
        pos = line.next;
    }
    return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> IniFile::Entries(std::string_view section) const {
    std::vector<std::pair<std::string, std::string>> out;
    const auto header = FindSection(section);
    if (!header)
        return out;
    for (std::size_t pos = header->next; pos < m_text.size();) {
        const Line line = LineAt(pos);
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key)
            out.emplace_back(line.name, line.value);
        pos = line.next;
    }
    return out;
}

std::vector<IniFile::Item> IniFile::Items() const {
    std::vector<Item> items;
    std::string section;
    std::size_t number = 0;
    for (std::size_t pos = 0; pos < m_text.size();) {
        const Line line = LineAt(pos);
        ++number;
        if (line.kind == Kind::Section) {
            section = std::string(line.name);
            items.push_back({Item::Section, section, {}, {}, number, {}});
        } else if (line.kind == Kind::Key) {
            items.push_back({Item::Key, section, std::string(line.name), std::string(line.value), number,
                             std::string(line.written)});
        } else {
            std::string_view t = Trim(std::string_view(m_text).substr(line.begin, line.end - line.begin));
            if (pos == 0 && t.substr(0, 3) == "\xEF\xBB\xBF")
                t = Trim(t.substr(3));
            if (!t.empty() && t.front() != ';' && t.front() != '#')
                items.push_back({Item::Stray, section, {}, std::string(t), number, std::string(t)});
        }
        pos = line.next;
    }
    return items;
}

void IniFile::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string newLine = std::string(key) + "=" + std::string(value);
    const auto header = FindSection(section);
    if (!header) {
        // A missing section goes at the end, after a blank line.
        if (!m_text.empty()) {
            std::size_t last = 0;
            for (std::size_t pos = 0; pos < m_text.size(); pos = LineAt(pos).next)
                last = pos;
            const Line line = LineAt(last);
            if (line.next == line.end)
                m_text += m_eol; // a last line without its ending
            if (!Trim(std::string_view(m_text).substr(line.begin, line.end - line.begin)).empty())
                m_text += m_eol;
        }
        m_text += "[" + std::string(section) + "]" + m_eol + newLine + m_eol;
        return;
    }
    // A missing key follows the section's last key, before blank lines and
    // comments; in an empty section it follows the header.
    Line after = *header;
    for (std::size_t pos = header->next; pos < m_text.size();) {
        const Line line = LineAt(pos);
        if (line.kind == Kind::Section)
            break;
        if (line.kind == Kind::Key) {
            if (SameName(line.name, key)) {
                // Keep the spelling the file already uses for the key.
                const std::string rewritten = std::string(line.name) + "=" + std::string(value);
                m_text.replace(line.begin, line.end - line.begin, rewritten);
                return;
            }
            after = line;
        }
        pos = line.next;
    }
    if (after.next == after.end)
        m_text.insert(after.end, m_eol + newLine + m_eol);
    else
        m_text.insert(after.next, newLine + m_eol);
}

} // namespace velmora
