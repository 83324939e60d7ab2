#include "ArgList.h"

#include <algorithm>

namespace velmora::cli {

ArgList::ArgList(std::vector<std::string> words) {
    auto dashes = std::find(words.begin(), words.end(), "--");
    if (dashes != words.end()) {
        m_afterDashes.assign(dashes + 1, words.end());
        words.erase(dashes, words.end());
    }
    m_words = std::move(words);
}

bool ArgList::takeFlag(const std::string& name) {
    auto it = std::find(m_words.begin(), m_words.end(), name);
    if (it == m_words.end())
        return false;
    m_words.erase(it);
    return true;
}

std::optional<std::string> ArgList::takeOption(const std::string& name) {
    for (auto it = m_words.begin(); it != m_words.end(); ++it) {
        if (*it == name) {
            if (it + 1 == m_words.end()) {
                m_missing = name;
                m_words.erase(it);
                return std::nullopt;
            }
            std::string value = *(it + 1);
            m_words.erase(it, it + 2);
            return value;
        }
        if (it->rfind(name + "=", 0) == 0) {
            std::string value = it->substr(name.size() + 1);
            m_words.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ArgList::takeAll(const std::string& name) {
    std::vector<std::string> values;
    while (auto v = takeOption(name))
        values.push_back(*v);
    return values;
}

std::vector<std::string> ArgList::positional() const {
    std::vector<std::string> out;
    for (const auto& w : m_words)
        if (!(w.size() > 1 && w[0] == '-' && w[1] == '-'))
            out.push_back(w);
    out.insert(out.end(), m_afterDashes.begin(), m_afterDashes.end());
    return out;
}

std::optional<std::string> ArgList::unknownOption() const {
    for (const auto& w : m_words)
        if (w.size() > 1 && w[0] == '-' && w[1] == '-')
            return w;
    return std::nullopt;
}

} // namespace velmora::cli
