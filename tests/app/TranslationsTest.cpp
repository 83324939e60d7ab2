// Every text the programs show has its Indonesian translation, and each
// translation keeps what the program fills in and the menu's shortcut key.
// The sources are read afresh by lupdate, so a text added without its
// translation fails here, not in front of a user.

#include "Translations.h"

#include "PduFields.h"
#include "Replies.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

const QString kSource = VELMORA_SOURCE_DIR;

struct Catalog {
    QString name;
    QStringList dirs;
};

std::vector<Catalog> Catalogs() {
    std::vector<Catalog> catalogs;
    QFile file(kSource + "/i18n/catalogs");
    if (!file.open(QIODevice::ReadOnly))
        return catalogs;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        QStringList words = line.split(' ', Qt::SkipEmptyParts);
        const QString name = words.takeFirst();
        catalogs.push_back({name, words});
    }
    return catalogs;
}

struct Entry {
    QString context, source, translation;
    bool finished = false;
};

std::vector<Entry> Read(const QString& path) {
    std::vector<Entry> entries;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    QXmlStreamReader xml(&file);
    QString context;
    Entry entry;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            entry = {context, {}, {}, false};
        } else if (xml.name() == u"source") {
            entry.source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const auto type = xml.attributes().value("type");
            entry.finished = type.isEmpty();
            entry.translation = xml.readElementText();
            // Only what the program can still show counts.
            if (type != u"vanished" && type != u"obsolete")
                entries.push_back(entry);
        }
    }
    return entries;
}

// What the program fills in: %1..%99 and %n, each as often as in the source.
QStringList Placeholders(const QString& text) {
    static const QRegularExpression kPlaceholder("%(\\d+|n)");
    QStringList found;
    for (auto it = kPlaceholder.globalMatch(text); it.hasNext();)
        found << it.next().captured();
    found.sort();
    return found;
}

// A menu's or button's shortcut letter: "&File", but not "&&".
bool HasShortcut(const QString& text) {
    return QString(text).remove("&&").contains(QRegularExpression("&\\S"));
}

QStringList Problems(const std::vector<Entry>& entries) {
    QStringList problems;
    for (const Entry& e : entries) {
        const QString where = e.context + ": \"" + e.source + "\"";
        if (!e.finished || e.translation.isEmpty())
            problems << "no translation for " + where;
        else if (Placeholders(e.source) != Placeholders(e.translation))
            problems << "the translation of " + where + " does not keep " + Placeholders(e.source).join(' ');
        else if (HasShortcut(e.source) && !HasShortcut(e.translation))
            problems << "the translation of " + where + " has no shortcut letter (&)";
    }
    return problems;
}

TEST(Translations, EveryTextTheProgramsShowHasItsIndonesianTranslation) {
    const auto catalogs = Catalogs();
    ASSERT_FALSE(catalogs.empty()) << "i18n/catalogs could not be read";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Catalog& catalog : catalogs) {
        const QString ts = QString("%1_id.ts").arg(catalog.name);
        const QString copy = dir.filePath(ts);
        ASSERT_TRUE(QFile::copy(kSource + "/i18n/" + ts, copy)) << ts.toStdString();
        QProcess lupdate;
        lupdate.setWorkingDirectory(kSource);
        lupdate.start(VELMORA_LUPDATE, QStringList{"-silent", "-no-obsolete", "-locations", "none",
                                                   "-source-language", "en", "-target-language", "id",
                                                   "-tr-function-alias", "QT_TRANSLATE_NOOP+=VELMORA_WORDS"}
                                           << catalog.dirs << "-ts" << copy);
        ASSERT_TRUE(lupdate.waitForFinished(120000));
        ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();
        const auto entries = Read(copy);
        EXPECT_FALSE(entries.empty()) << ts.toStdString() << " holds no text";
        const QStringList problems = Problems(entries);
        EXPECT_TRUE(problems.isEmpty())
            << ts.toStdString() << " (run tools/update-translations.sh, then translate):\n  "
            << problems.join("\n  ").toStdString();
    }
}

TEST(Translations, QtsOwnWordsInOurDialogsAreTranslated) {
    const auto entries = Read(kSource + "/i18n/qt_id.ts");
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(Problems(entries), QStringList());
}

// The checks themselves, on texts a translator could get wrong.
TEST(Translations, AFaultyTranslationIsNamed) {
    const std::vector<Entry> entries{
        {"TForm1", "&File", "Berkas", true},
        {"TForm1", "Found (%1) Contacts", "Ditemukan (%2) kontak", true},
        {"TForm1", "Sent %1 of %2", "%2 dari %1 terkirim", true},
        {"TForm1", "Delete", "", true},
        {"TForm1", "Close", "Tutup", false},
        {"TForm1", "Save && quit", "Simpan dan keluar", true},
    };
    EXPECT_EQ(Problems(entries),
              (QStringList{"the translation of TForm1: \"&File\" has no shortcut letter (&)",
                           "the translation of TForm1: \"Found (%1) Contacts\" does not keep %1",
                           "no translation for TForm1: \"Delete\"", "no translation for TForm1: \"Close\""}));
}

} // namespace

// smslib's sentences said in Indonesian: the pattern found again, its parts
// said too where they are smslib's words, what the user named kept as is.
class LocalizedTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "translations_tests";
        static char* argv[] = {name, nullptr};
        app = new QCoreApplication(argc, argv);
        loaded = velmora::InstallTranslations(velmora::kCliCatalogs, VELMORA_QM_DIR, QLocale("id_ID"));
    }
    static inline QCoreApplication* app = nullptr;
    static inline QString loaded;
};

TEST_F(LocalizedTest, SmslibsSentencesAreSaidInTheLanguage) {
    ASSERT_FALSE(loaded.isEmpty()) << "no Indonesian catalog in " VELMORA_QM_DIR;
    const std::pair<const char*, const char*> cases[] = {
        {"Please Fill Destination Mobile Number !", "Silakan isi nomor HP tujuan !"},
        {"Cannot read \"/tmp/note\": it is a directory, not a regular file",
         "Tidak bisa membaca \"/tmp/note\": itu sebuah folder, bukan berkas biasa"},
        // The shorter pattern that also fits is not taken.
        {"Cannot read \"a\": No such file or directory",
         "Tidak bisa membaca \"a\": No such file or directory"},
        // A file named like one of smslib's words stays as named.
        {"Save to file note !", "Tersimpan ke berkas note !"},
        {"Cannot open \"status\": gone", "Tidak bisa membuka \"status\": gone"},
        {"Character 5: \"x\" is not a note; it is left out", "Karakter 5: \"x\" bukan not; dilewati"},
        {"ringtone: octet 3 (style): no such style", "nada dering: oktet ke-3 (gaya): gaya tidak dikenal"},
        {"Not delivered: recipient busy", "Tidak sampai: penerima sibuk"},
        // What the user typed holds a %1 of its own.
        {"invalid content: '%' is not a hex digit", "isi tidak valid: '%' bukan digit heksa"},
        {"The destination number must be 1 to 20 digits, not \"%1%2\"",
         "Nomor tujuan harus 1 sampai 20 digit, bukan \"%1%2\""},
        // Not one of smslib's: as it came.
        {"The phone said no", "The phone said no"},
        {"", ""},
    };
    for (const auto& [english, expected] : cases)
        EXPECT_EQ(velmora::Localized(english), QString::fromUtf8(expected)) << english;
}

// The PDU inspector's rows are put together from small pieces; each row,
// once said in Indonesian, keeps none of the English words they are made
// of, however deep the pieces nest.
TEST_F(LocalizedTest, ThePduInspectorsRowsAreSaidWhole) {
    ASSERT_FALSE(loaded.isEmpty());
    const char* const pdus[] = {
        // A deliver: "Hello" from +628569999999.
        "0791261895000000040C9126589699999900006221801200008205C8329BFD06",
        // A submit asking for a report, relative validity, UCS2 flash with compression.
        "0031000C912658969999990038AA0400480069",
        // Enhanced validity, single attempt, in seconds; reject a duplicate.
        "000D000C91265896999999000041020000000000000100",
        // A long text's first part (8-bit reference) on a logo's port.
        "0041000C9126589699999900040D0B0003A5020105041582000000",
        // EMS formatting and a predefined sound; message waiting: store, e-mail.
        "0041000C9126589699999900DA0D090A030005100B0200021004",
        // A special message indication: store, e-mail, 3 waiting.
        "0041000C91265896999999000406040102820300",
        // Octets after the end of the message.
        "0041000C912658969999990004060401028203000000",
        // A status report with its optional parameters after it.
        "079121DC3E547698064B0C9126589699999962218012000082622180120000820000FF",
        // Cut short in its user data.
        "0791261895000000040C9126589699999900006221801200008210C832",
    };
    static const QRegularExpression english(
        "\\b(octets?|septets|digits|characters?|reference|part|class|waiting|message|messages|cut short|"
        "length|type|international|validity|status report|reply path|duplicate|compressed|follow|"
        "not read|element|picture|sound|formatting|came|after|relative|enhanced|seconds?|discard|store)\\b",
        QRegularExpression::CaseInsensitiveOption);
    int rows = 0;
    for (const char* pdu : pdus) {
        const auto inspected = velmora::InspectPdu(pdu);
        for (const velmora::PduField& f : inspected.fields) {
            const QString name = velmora::Localized(f.name), meaning = velmora::Localized(f.meaning);
            EXPECT_FALSE(english.match(name).hasMatch()) << pdu << ": " << name.toStdString();
            if (f.words) {
                EXPECT_FALSE(english.match(meaning).hasMatch())
                    << pdu << ": " << f.name << ": " << f.meaning << " -> " << meaning.toStdString();
            }
            ++rows;
        }
    }
    EXPECT_GT(rows, 80);
    // And a few whole, to see the pieces land where Indonesian puts them.
    const std::pair<const char*, const char*> cases[] = {
        {"UCS2, compressed, delete once read, class 1 (phone)",
         "UCS2, dimampatkan, hapus setelah dibaca, kelas 1 (ponsel)"},
        {"enhanced, single attempt: 3 hours", "diperluas, satu kali coba: 3 jam"},
        {"to port 5506 (operator logo), from port 0", "ke port 5506 (logo operator), dari port 0"},
        {"16 septets, cut short: only 2 octets came", "16 septet, terpotong: hanya 2 oktet yang datang"},
        {"GSM 7-bit text \"3 octets\"", "teks GSM 7-bit \"3 octets\""}, // the message's own words stay
        {"TP-OA length", "Panjang TP-OA"},
    };
    for (const auto& [english, expected] : cases)
        EXPECT_EQ(velmora::Localized(english), QString::fromUtf8(expected)) << english;
}

// The phone's error line stays as it came; our name for its code is said.
TEST_F(LocalizedTest, ThePhonesErrorCodesAreNamedInTheLanguage) {
    ASSERT_FALSE(loaded.isEmpty());
    EXPECT_EQ(velmora::PhoneRefusal("\r\n+CME ERROR: 10\r\n"), "+CME ERROR: 10 (SIM tidak terpasang)");
    EXPECT_EQ(velmora::PhoneRefusal("\r\n+CMS ERROR: 330\r\n"),
              "+CMS ERROR: 330 (alamat SMSC tidak diketahui)");
    EXPECT_EQ(velmora::PhoneRefusal("\r\n+CME ERROR: SIM PIN required\r\n"), "+CME ERROR: SIM PIN required");
}
