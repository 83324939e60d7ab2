#include "Translations.h"

#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>

#include <algorithm>
#include <atomic>
#include <vector>

namespace velmora {

namespace {

std::atomic<bool> g_translated{false};

struct Pattern {
    QString context, source;
    QRegularExpression match; // the whole sentence, with one group for each %n
    QList<int> numbers;       // which %n each group is
    qsizetype fixed = 0;      // characters that are not %n: the longest wins
};

// smslib's patterns, from the catalog built into the program: every
// language's catalog holds the same sources.
std::vector<Pattern> LoadPatterns() {
    std::vector<Pattern> patterns;
    QFile file(":/velmora/velmora-sms_id.ts");
    if (!file.open(QIODevice::ReadOnly))
        return patterns;
    static const QRegularExpression kNumber("%([1-9])");
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source" && context.startsWith("smslib/")) {
            Pattern p{context, xml.readElementText(), {}, {}, 0};
            QString expression = "^";
            qsizetype at = 0;
            for (auto it = kNumber.globalMatch(p.source); it.hasNext();) {
                const auto m = it.next();
                expression += QRegularExpression::escape(p.source.mid(at, m.capturedStart() - at)) + "(.*?)";
                p.numbers << m.captured(1).toInt();
                at = m.capturedEnd();
            }
            expression += QRegularExpression::escape(p.source.mid(at)) + "$";
            p.fixed = p.source.size() - 2 * p.numbers.size();
            p.match.setPattern(expression);
            p.match.setPatternOptions(QRegularExpression::DotMatchesEverythingOption);
            patterns.push_back(std::move(p));
        }
    }
    std::stable_sort(patterns.begin(), patterns.end(),
                     [](const Pattern& a, const Pattern& b) { return a.fixed > b.fixed; });
    return patterns;
}

// `within`: the context of the sentence `said` was put in, "" for a
// whole sentence. A part is said in the language only where it is one of
// the same subject's words, or a sentence of its own with something filled
// in: a file named "note" stays "note" wherever it is put.
// A sentence put in a sentence put in another: the PDU inspector's coding
// says "GSM 7-bit, compressed, class 1 (phone)" as three wrappings.
constexpr int kDeepest = 6;

QString Localize(const QString& said, int depth, const QString& within) {
    static const std::vector<Pattern> patterns = LoadPatterns();
    for (const Pattern& p : patterns) {
        if (!within.isEmpty() && p.context != within && p.numbers.isEmpty())
            continue;
        const auto m = p.match.match(said);
        if (!m.hasMatch())
            continue;
        QString out =
            QCoreApplication::translate(p.context.toUtf8().constData(), p.source.toUtf8().constData());
        // Filled in one pass, so what smslib put in is never read as a %n.
        QString filled;
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (out[i] == '%' && i + 1 < out.size() && out[i + 1] >= '1' && out[i + 1] <= '9') {
                const int number = out[i + 1].digitValue();
                const int group = static_cast<int>(p.numbers.indexOf(number));
                if (group >= 0) {
                    const QString arg = m.captured(group + 1);
                    // What the user named (a file, a number) is quoted.
                    const qsizetype at = p.source.indexOf(QString("%%1").arg(number));
                    const bool quoted = at > 0 && (p.source[at - 1] == '"' || p.source[at - 1] == '\'');
                    filled += depth < kDeepest && !quoted ? Localize(arg, depth + 1, p.context) : arg;
                    ++i;
                    continue;
                }
            }
            filled += out[i];
        }
        return filled;
    }
    return said;
}

} // namespace

QString Localized(const std::string& said) {
    const QString text = QString::fromStdString(said);
    return g_translated ? Localize(text, 0, {}) : text;
}

std::string LocalizedBytes(const std::string& said) {
    if (!g_translated)
        return said;
    const QString text = QString::fromStdString(said);
    // Bytes that are not UTF-8 are no sentence of smslib's alone.
    if (text.toStdString() != said)
        return said;
    const QString localized = Localize(text, 0, {});
    return localized == text ? said : localized.toStdString();
}

QString TranslationsDir() {
    const QString bin = QString::fromStdString(CurrentProgramDir());
    return QDir::cleanPath(bin + "/../share/velmora/translations");
}

QString InstallTranslations(const QStringList& catalogs, const QString& dir, const QLocale& locale) {
    auto* app = QCoreApplication::instance();
    if (!app)
        return {};
    QString loaded;
    for (const QString& catalog : catalogs) {
        // QTranslator::load walks the locale's UI languages (id_ID, id, ...)
        // and takes the first catalog it finds; English finds none.
        auto* translator = new QTranslator(app);
        if (translator->load(locale, catalog, "_", dir) && QCoreApplication::installTranslator(translator)) {
            if (loaded.isEmpty())
                loaded = translator->language();
            g_translated = true;
        } else {
            delete translator;
        }
    }
    return loaded;
}

} // namespace velmora
