#include "CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

namespace velmora {

namespace {

// Qt is handed a stand-in for each word that is not an option and for each
// value written after "=": a NUL, which no word of a command line holds, and
// the word's place. So Qt decides what is an option, a value or a positional,
// while the words themselves never pass through QString: their bytes need
// not be UTF-8, and a text such as "-5" is not taken for short options.
QString StandIn(std::size_t index) { return QChar(u'\0') + QString::number(index); }

std::optional<std::size_t> PlaceOf(const QString& given) {
    if (!given.startsWith(QChar(u'\0')))
        return std::nullopt;
    return given.mid(1).toULongLong();
}

bool LooksLikeOption(const std::string& word) { return word.size() > 2 && word.compare(0, 2, "--") == 0; }

// "--as" of "--as=logo".
std::string NameOf(const std::string& word) { return word.substr(0, word.find('=')); }

} // namespace

CommandLine::CommandLine(const std::vector<std::string>& words, const std::vector<KnownOption>& options,
                         const WordRules& rules) {
    const std::size_t end =
        rules.doubleDashEndsOptions
            ? static_cast<std::size_t>(std::find(words.begin(), words.end(), "--") - words.begin())
            : words.size();
    const auto asOption = [&](std::size_t i) -> std::string {
        return rules.shortHelp && words[i] == "-h" ? "--help" : words[i];
    };
    QStringList args{QStringLiteral("velmora")};
    for (std::size_t i = 0; i < end; ++i) {
        const std::string word = asOption(i);
        const auto equals = word.find('=');
        if (!LooksLikeOption(word))
            args << StandIn(i);
        else if (equals == std::string::npos)
            args << QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size()));
        else
            args << QString::fromUtf8(word.data(), static_cast<qsizetype>(equals + 1)) + StandIn(i);
    }
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(rules.optionsAfterPositionals
                                                      ? QCommandLineParser::ParseAsOptions
                                                      : QCommandLineParser::ParseAsPositionalArguments);
    std::set<std::string> withValue;
    for (const KnownOption& o : options) {
        parser.addOption(QCommandLineOption(QString::fromStdString(o.name.substr(2)), QString(),
                                            o.takesValue ? QStringLiteral("value") : QString()));
        if (o.takesValue)
            withValue.insert(o.name);
    }
    // What Qt refuses (an option it does not know, a flag given a value, a
    // value missing) is read back below, word by word, from what it found.
    parser.parse(args);

    std::set<std::size_t> positional;
    for (const QString& p : parser.positionalArguments())
        if (const auto place = PlaceOf(p))
            positional.insert(*place);
    // Where options may not follow a positional, Qt read all from the first
    // one on as positional.
    const std::size_t rest = rules.optionsAfterPositionals || positional.empty() ? end : *positional.begin();

    std::size_t i = 0;
    const auto notOptions = [&](std::size_t upTo) {
        for (; i < upTo; ++i)
            m_given.push_back(
                {positional.count(i) ? GivenWord::Positional : GivenWord::Unknown, i, words[i]});
    };
    // How often each option was met so far: a value missing is the last.
    std::map<std::string, qsizetype> seen;
    // Qt lists the options it found in order; each is at the next word that
    // names it, and the words before it were no options.
    for (const QString& name : parser.optionNames()) {
        const std::string option = "--" + name.toStdString();
        std::size_t at = i;
        while (at < rest && NameOf(asOption(at)) != option)
            ++at;
        notOptions(at);
        if (at == rest)
            break;
        GivenWord given{GivenWord::Option, at, words[at], option};
        const bool joined = asOption(at).find('=') != std::string::npos;
        const qsizetype before = seen[option]++;
        i = at + 1;
        if (withValue.count(option)) {
            const QStringList values = parser.values(name);
            if (before >= values.size()) {
                given.kind = GivenWord::MissingValue;
            } else if (joined) {
                given.value = words[at].substr(words[at].find('=') + 1);
            } else {
                // Its value is the next word, whether a stand-in or a word
                // that looks like an option.
                const auto place = PlaceOf(values[before]);
                given.value = words[place.value_or(at + 1)];
                i = at + 2;
            }
        } else if (joined) {
            given.kind = GivenWord::Unknown; // a flag takes no value
        }
        if (rules.eachOnce && before > 0)
            given.kind = GivenWord::Unknown;
        if (given.kind == GivenWord::Unknown) {
            given.option.clear();
            given.value.clear();
        }
        m_given.push_back(std::move(given));
    }
    notOptions(rest);
    for (std::size_t j = rest; j < words.size(); ++j)
        if (j != end)
            m_given.push_back({GivenWord::Positional, j, words[j]});
}

bool CommandLine::has(const std::string& option) const { return value(option).has_value(); }

std::optional<std::string> CommandLine::value(const std::string& option) const {
    std::optional<std::string> found;
    for (const GivenWord& g : m_given)
        if (g.kind == GivenWord::Option && g.option == option)
            found = g.value;
    return found;
}

std::vector<std::string> CommandLine::positional() const {
    std::vector<std::string> out;
    for (const GivenWord& g : m_given)
        if (g.kind == GivenWord::Positional)
            out.push_back(g.word);
    return out;
}

const GivenWord* CommandLine::first(GivenWord::Kind kind) const {
    const auto found =
        std::find_if(m_given.begin(), m_given.end(), [&](const GivenWord& g) { return g.kind == kind; });
    return found == m_given.end() ? nullptr : &*found;
}

} // namespace velmora
