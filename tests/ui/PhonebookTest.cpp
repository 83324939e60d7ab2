// The phone book of the window against the simulated phone: reading the
// SIM, choosing an entry, showing and hiding the list, the text export,
// stopping a read with "&Disconnect" and printing.

#include "WindowFixture.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QDir>
#include <QElapsedTimer>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::testing;

using Rows = QList<QStringList>;

namespace {

// The link's answers as the window's thread sees them: recorded after the
// window's own handlers ran (a QSignalSpy would record them on the link's
// thread, before the window has seen them).
class LinkAnswers : public QObject {
public:
    struct Finished {
        bool read;
        int count;
        bool stopped;
    };
    QList<Finished> finished;
    int progress = 0;

    explicit LinkAnswers(PhoneLink& link) {
        connect(&link, &PhoneLink::phonebookFinished, this, [this](bool read, int count, bool stopped) {
            finished << Finished{read, count, stopped};
        });
        connect(&link, &PhoneLink::progress, this, [this] { ++progress; });
    }
};

} // namespace

class PhonebookTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    mutable int m_files = 0;

    QString tmpFile(const QString& stem) const {
        return m_tmp.filePath(QString("%1-%2").arg(++m_files).arg(stem));
    }

    // A phone with this SIM phone book (lines INDEX,NUMBER,NAME, Latin-1).
    std::unique_ptr<Phone> phoneWith(const QList<QByteArray>& book) const {
        const QString path = tmpFile("book.txt");
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return nullptr;
        for (const QByteArray& line : book)
            f.write(line + "\n");
        f.close();
        return std::make_unique<Phone>(tmpFile("pdus.txt"), QStringList{"--phonebook", path});
    }

    static QList<QByteArray> numberedBook(int count) {
        QList<QByteArray> book;
        for (int i = 1; i <= count; ++i)
            book << QByteArray::number(i) + ",08" + QByteArray::number(i) + ",N" + QByteArray::number(i);
        return book;
    }

    static Rows listed(Window& w) {
        Rows rows;
        auto* list = w.find<QTreeWidget>("lvContact");
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            rows << QStringList{item->text(0), item->text(1), item->text(2)};
        }
        return rows;
    }

    // The list covers the panel below the destination, separators included.
    static bool listShown(Window& w) {
        const bool covered = !w.find<QFrame>("Shape1")->isVisible() &&
                             !w.find<QFrame>("Shape2")->isVisible() &&
                             !w.find<QPlainTextEdit>("memDebug")->isVisible();
        const bool shown = w.find<QTreeWidget>("lvContact")->isVisible();
        return covered && shown;
    }
    static bool panelShown(Window& w) {
        return w.find<QFrame>("Shape1")->isVisible() && w.find<QFrame>("Shape2")->isVisible() &&
               w.find<QPlainTextEdit>("memDebug")->isVisible() &&
               !w.find<QTreeWidget>("lvContact")->isVisible();
    }

    // Reads through "&Phone Book" and waits for the link's answer.
    static bool readBook(Window& w, LinkAnswers& answers, int ms = 20000) {
        const auto before = answers.finished.size();
        w.find<QPushButton>("bitPhonebook")->click();
        return QTest::qWaitFor([&] { return answers.finished.size() > before; }, ms);
    }

private slots:
    void writesANewEntryAndShowsIt();
    void writingNeedsTheFastDialogue();
    void readsTheSimIntoTheList_data();
    void readsTheSimIntoTheList();
    void aDoubleClickMakesTheNumberTheDestination();
    void typingANameOffersItsNumber();
    void exportsTheListAsText_data();
    void exportsTheListAsText();
    void disconnectStopsAReadAndKeepsWhatWasRead();
    void printsThePhonebook_data();
    void printsThePhonebook();
};

void PhonebookTest::readsTheSimIntoTheList_data() {
    QTest::addColumn<QList<QByteArray>>("book");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QString>("status");
    QTest::newRow("entries 1 to 3 and 9: five misses end the read before 9")
        << QList<QByteArray>{"1,+628569999999,Budi", "2,0812345678,Sari, office", "3,0811,<b>Tom</b>",
                             "9,0899,Never read"}
        << Rows{{"Budi", "+628569999999", "1"},
                {"Sari, office", "0812345678", "2"},
                {"<b>Tom</b>", "0811", "3"}}
        << "Found (3) Contacts";
    QTest::newRow("an empty SIM") << QList<QByteArray>{} << Rows{} << "Found (0) Contacts";
}

void PhonebookTest::readsTheSimIntoTheList() {
    QFETCH(QList<QByteArray>, book);
    QFETCH(Rows, rows);
    QFETCH(QString, status);
    auto phone = phoneWith(book);
    Window w(phone->device());
    w.prompter.printerFile = tmpFile("book.pdf");
    w.show();
    QVERIFY(w.waitConnected());
    QVERIFY(!w.find<QMenu>("mnuPrintAll")->menuAction()->isEnabled());
    QVERIFY(panelShown(w));
    LinkAnswers answers(w.form().link());

    QVERIFY(readBook(w, answers));
    QVERIFY(answers.finished.last().read);
    QCOMPARE(listed(w), rows);
    QCOMPARE(w.form().statusText(), status);
    QVERIFY(listShown(w));
    // The submenu itself takes its items' clicks too, not only its entry.
    QVERIFY(w.find<QMenu>("mnuPrintAll")->menuAction()->isEnabled());
    QVERIFY(w.find<QMenu>("mnuPrintAll")->isEnabled());
    auto* header = w.find<QTreeWidget>("lvContact")->headerItem();
    QCOMPARE((QStringList{header->text(0), header->text(1), header->text(2)}),
             (QStringList{"Contact", "Phone No.", "No."}));
    // At the window's own size every number shows whole, with room for a
    // name beside it.
    auto* list = w.find<QTreeWidget>("lvContact");
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        QVERIFY(list->fontMetrics().horizontalAdvance(list->topLevelItem(i)->text(1)) < list->columnWidth(1));
    QVERIFY(list->columnWidth(0) >= list->fontMetrics().averageCharWidth() * 12);

    // The list is current: "&Phone Book" shows it without asking the phone.
    const int asked = answers.progress;
    QVERIFY(readBook(w, answers));
    QVERIFY(!answers.finished.last().read);
    QCOMPARE(answers.progress, asked);
    QCOMPARE(listed(w), rows);

    // "&Read From SIM" always reads.
    const auto before = answers.finished.size();
    w.find<QAction>("mnuReadSIM")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(answers.finished.size() > before, 20000);
    QVERIFY(answers.finished.last().read);
    QVERIFY(answers.progress > asked);
    QCOMPARE(listed(w), rows);

    // An empty list is neither printed nor exported.
    if (rows.isEmpty()) {
        w.find<QAction>("mnuPrinter")->trigger();
        w.find<QAction>("mnuTextFile")->trigger();
        QTest::qWait(300);
        QVERIFY(!QFile::exists(w.prompter.printerFile));
        QVERIFY(!QFile::exists(w.path("Contact.Txt")));
        QVERIFY(w.prompter.warnings.isEmpty());
        QCOMPARE(w.form().statusText(), status);
    }
}

void PhonebookTest::aDoubleClickMakesTheNumberTheDestination() {
    auto phone = phoneWith({"1,+628569999999,Budi", "2,0812345678,Sari"});
    Window w(phone->device());
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    QVERIFY(readBook(w, answers));
    auto* list = w.find<QTreeWidget>("lvContact");
    QCOMPARE(list->topLevelItemCount(), 2);

    // A national number becomes international as the destination.
    const QRect row = list->visualItemRect(list->topLevelItem(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(w.find<QLineEdit>("txtHPNo")->text(), QString("62812345678"));
    QVERIFY(panelShown(w));

    // Show and hide only show and hide: the phone is not asked again.
    const int asked = answers.progress;
    w.find<QAction>("mnuShowContact")->trigger();
    QVERIFY(listShown(w));
    QCOMPARE(list->topLevelItemCount(), 2);
    w.find<QAction>("mnuHideContact")->trigger();
    QVERIFY(panelShown(w));
    // On a wider window the panel widens for the whole list, in sight, and
    // goes back to its width with what it covered.
    w.form().resize(1024, 700);
    auto* panel = w.find<QWidget>("Panel1");
    QTRY_COMPARE(w.form().width(), 1024);
    const int narrow = panel->width();
    w.find<QAction>("mnuShowContact")->trigger();
    QTRY_VERIFY(panel->width() > narrow);
    QVERIFY(list->header()->sectionViewportPosition(2) + list->columnWidth(2) <= list->viewport()->width());
    w.find<QAction>("mnuHideContact")->trigger();
    QTRY_COMPARE(panel->width(), narrow);
    w.find<QAction>("mnuShowContact")->trigger();
    QVERIFY(listShown(w));
    QTest::qWait(200);
    QCOMPARE(answers.progress, asked);
}

// The completion follows the list read: "sar" finds Sari by the middle of
// her name, choosing her puts her number in (made international) without
// sending, and a
// second read replaces what is offered instead of adding to it.
void PhonebookTest::typingANameOffersItsNumber() {
    auto phone = phoneWith({"1,+628569999999,Budi", "2,0812345678,Sari", "3,0855,Tsarina"});
    Window w(phone->device());
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    QVERIFY(readBook(w, answers));
    QVERIFY(readBook(w, answers));
    w.find<QAction>("mnuHideContact")->trigger();

    auto* edit = w.find<QLineEdit>("txtHPNo");
    QCompleter* completer = edit->completer();
    QVERIFY(completer);
    QCOMPARE(completer->model()->rowCount(), 3);
    edit->setFocus();
    QTest::keyClicks(edit, "sAr");
    QTRY_VERIFY(completer->popup()->isVisible());
    QCOMPARE(completer->completionCount(), 2);
    QCOMPARE(completer->currentCompletion(), QString("0812345678"));
    QTest::keyClick(completer->popup(), Qt::Key_Down);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    QCOMPARE(edit->text(), QString("62812345678"));
    // Enter chose the entry; it did not send the message yet to be written.
    QVERIFY(!completer->popup()->isVisible());
    QVERIFY(w.find<QPushButton>("bitSendSMS")->isEnabled());
}

void PhonebookTest::exportsTheListAsText_data() {
    QTest::addColumn<bool>("blocked");
    QTest::newRow("written") << false;
    QTest::newRow("a folder where the file should be") << true;
}

void PhonebookTest::exportsTheListAsText() {
    QFETCH(bool, blocked);
    // A name of 30 characters, uncut; a name in Latin-1 as the phone sent it.
    auto phone = phoneWith({"1,+628569999999,Budi", "2,0812345678,Sari, office",
                            "3,0811,Abcdefghij Klmnopqrst Uvwxyz12", "4,0822,Andr\xe9"});
    Window w(phone->device());
    const QString path = w.path("Contact.Txt");
    if (blocked)
        QVERIFY(QDir().mkpath(path));
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    QVERIFY(readBook(w, answers));
    QCOMPARE(listed(w).last(), (QStringList{QString::fromUtf8("André"), "0822", "4"}));

    w.find<QAction>("mnuTextFile")->trigger();
    if (blocked) {
        QTRY_VERIFY(w.form().statusText().startsWith("Unable to save to file " + path));
        QVERIFY(QFileInfo(path).isDir());
        return;
    }
    QTRY_COMPARE(w.form().statusText(), "Save to file " + path + " !");
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const qsizetype headerEnd = bytes.indexOf("\r\n") + 2;
    const QString header = QString::fromUtf8(bytes.left(headerEnd));
    QVERIFY2(QRegularExpression(R"(^Generated by Velmora 1\.00 \( \d\d \S+ \d{4}, \d\d:\d\d\) \r\n$)")
                 .match(header)
                 .hasMatch(),
             qPrintable(header));
    const QByteArray rule(50, '-');
    const QByteArray expected = rule + "\r\n" +
                                "Budi                      +628569999999       1\r\n"
                                "Sari, office              0812345678          2\r\n"
                                "Abcdefghij Klmnopqrst Uvwxyz12 0811                3\r\n"
                                "Andr\xe9                     0822                4\r\n" +
                                rule + "\r\n";
    QCOMPARE(bytes.mid(headerEnd), expected);

    // The same book as cards; the Latin-1 name goes out in UTF-8.
    w.prompter.files << Prompter::FileChoice{w.path("book"), 1};
    w.find<QAction>("mnuExportVCard")->trigger();
    QCOMPARE(w.form().statusText(), "Save to file " + w.path("book.vcf") + " !");
    QFile cards(w.path("book.vcf"));
    QVERIFY(cards.open(QIODevice::ReadOnly));
    const QByteArray vcf = cards.readAll();
    QCOMPARE(vcf.count("BEGIN:VCARD"), 4);
    QVERIFY(vcf.contains("FN:Andr\xc3\xa9\r\n"));
}

void PhonebookTest::disconnectStopsAReadAndKeepsWhatWasRead() {
    auto phone = phoneWith(numberedBook(250));
    // At a fifth of real time each entry takes about 60 ms: the read is
    // surely running when "&Disconnect" is chosen.
    Window w(phone->device(), {}, 0.2);
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    auto* list = w.find<QTreeWidget>("lvContact");
    w.find<QPushButton>("bitPhonebook")->click();
    QTRY_VERIFY_WITH_TIMEOUT(list->topLevelItemCount() >= 5, 10000);
    QVERIFY(w.form().statusText().startsWith("Get contact from SIM ("));

    QElapsedTimer stopping;
    stopping.start();
    w.find<QAction>("mnuClosePort")->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(answers.finished.size() == 1, 5000);
    // One exchange at most (1.5 s at real time) runs to its end.
    QVERIFY2(stopping.elapsed() < 1500, qPrintable(QString::number(stopping.elapsed())));
    QVERIFY(answers.finished[0].stopped);
    const int count = answers.finished[0].count;
    QVERIFY2(count >= 5 && count < 250, qPrintable(QString::number(count)));
    QTRY_COMPARE(w.form().statusText(), QString("Communication Port Close"));
    QVERIFY(!w.find<QPushButton>("bitPhonebook")->isEnabled());

    // What was read stays, in order, and nothing more arrives.
    QTest::qWait(300);
    const Rows rows = listed(w);
    QCOMPARE(rows.size(), count);
    QCOMPARE(rows.first(), (QStringList{"N1", "081", "1"}));
    QCOMPARE(rows.last(),
             (QStringList{QString("N%1").arg(count), QString("08%1").arg(count), QString::number(count)}));
    QVERIFY(listShown(w));
}

void PhonebookTest::printsThePhonebook_data() {
    QTest::addColumn<bool>("printer");
    QTest::newRow("to the default printer, a PDF file here") << true;
    QTest::newRow("no printer at all") << false;
}

void PhonebookTest::printsThePhonebook() {
    QFETCH(bool, printer);
    // 131 entries: 65 rows and a continuation on page one, one row and the
    // end line on page two.
    auto phone = phoneWith(numberedBook(131));
    Window w(phone->device());
    const QString pdf = tmpFile("book.pdf");
    if (printer)
        w.prompter.printerFile = pdf;
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    QVERIFY(readBook(w, answers, 30000));
    QCOMPARE(w.find<QTreeWidget>("lvContact")->topLevelItemCount(), 131);

    w.find<QAction>("mnuPrinter")->trigger();
    if (!printer) {
        QCOMPARE(w.prompter.warnings,
                 QStringList{"No printer is available, so the phone book cannot be printed."});
        return;
    }
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));

    QProcess info;
    info.start(VELMORA_PDFINFO, {pdf});
    QVERIFY2(info.waitForFinished(10000), "pdfinfo (poppler-utils) is needed: tools/setup.sh installs it");
    const QString about = QString::fromUtf8(info.readAllStandardOutput());
    QVERIFY2(about.contains(QRegularExpression(R"(Title:\s+Velmora 1\.00\n)")), qPrintable(about));
    QVERIFY2(about.contains(QRegularExpression(R"(Pages:\s+2\n)")), qPrintable(about));

    QProcess text;
    text.start(VELMORA_PDFTOTEXT, {pdf, "-"});
    QVERIFY2(text.waitForFinished(10000), "pdftotext (poppler-utils) is needed: tools/setup.sh installs it");
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split('\f');
    QVERIFY(pages.size() >= 2);
    const auto has = [](const QString& page, const QString& pattern) {
        return QRegularExpression(pattern).match(page).hasMatch();
    };
    const QString& one = pages[0];
    const QString& two = pages[1];
    QVERIFY2(one.contains("***** Velmora 1.00"), qPrintable(one));
    QVERIFY(one.contains("***** Phonebook (510109876543210)"));
    QVERIFY(has(one, R"(\*\*\*\*\* Printed On \d\d:\d\d, \w+, \d\d \S+ \d{4})"));
    for (const char* entry : {R"(\bN1\b)", R"(\bN65\b)", R"(\bN67\b)", R"(\bN131\b)"})
        QVERIFY2(has(one, entry), entry);
    QVERIFY(!has(one, R"(\bN66\b)"));
    QVERIFY(one.contains("***** Continue to Next Page"));
    QVERIFY(!one.contains("End of Phonebook"));
    QVERIFY2(has(two, R"(\bN66\b)") && has(two, R"(\b0866\b)"), qPrintable(two));
    QVERIFY(two.contains("***** End of Phonebook"));
    QVERIFY(!two.contains("Velmora 1.00"));
}

// Phonebook > New Entry: the dialog offers the first free place with the
// SIM's limits, keeps Write off while the name holds what the SIM cannot,
// not even in UCS2, and the list read again shows the entry written.
void PhonebookTest::writesANewEntryAndShowsIt() {
    auto phone = phoneWith({"1,+62811,Budi"});
    Window w(phone->device(), "[Communication Port]\nDialogue=fast\n");
    w.show();
    QVERIFY(w.waitConnected());
    LinkAnswers answers(w.form().link());
    QVERIFY(readBook(w, answers));
    QString limits, refused, count;
    int index = 0;
    bool refusedOff = false, okOn = false;
    w.prompter.onDialog = [&](QDialog& d) {
        limits = d.findChild<QLabel*>("lblEntryLimits")->text();
        index = d.findChild<QSpinBox*>("spnEntryIndex")->value();
        d.findChild<QLineEdit*>("txtEntryNumber")->setText("+62 813");
        d.findChild<QLineEdit*>("txtEntryName")->setText(QString::fromUtf8("Ani \xF0\x9F\x98\x80"));
        refused = d.findChild<QLabel*>("lblEntryProblem")->text();
        refusedOff = !d.findChild<QPushButton*>("btnEntryOk")->isEnabled();
        d.findChild<QLineEdit*>("txtEntryName")->setText("Ani");
        count = d.findChild<QLabel*>("lblEntryNameCount")->text();
        okOn = d.findChild<QPushButton*>("btnEntryOk")->isEnabled();
    };
    const auto before = answers.finished.size();
    w.find<QAction>("mnuNewEntry")->trigger();
    QVERIFY(QTest::qWaitFor([&] { return answers.finished.size() > before; }, 20000));
    QCOMPARE(limits,
             QString("Places 1 to 250, numbers of up to 40 digits, names of up to 18 characters (GSM)"));
    QCOMPARE(index, 2);
    QCOMPARE(refused,
             QString::fromUtf8(
                 "The SIM cannot hold \"\xF0\x9F\x98\x80\" in a name; write the name without them."));
    QVERIFY(refusedOff);
    QCOMPARE(count, QString("3 of 18 characters (GSM)"));
    QVERIFY(okOn);
    QCOMPARE(w.prompter.warnings, QStringList());
    QCOMPARE(listed(w), (Rows{{"Budi", "+62811", "1"}, {"Ani", "+62813", "2"}}));
}

void PhonebookTest::writingNeedsTheFastDialogue() {
    auto phone = phoneWith({"1,+62811,Budi"});
    Window w(phone->device());
    w.show();
    QVERIFY(w.waitConnected());
    bool shown = false;
    w.prompter.onDialog = [&](QDialog&) { shown = true; };
    w.find<QAction>("mnuNewEntry")->trigger();
    QCOMPARE(w.prompter.warnings, QStringList{"Writing to the SIM's phone book needs the fast dialogue "
                                              "(Communication > Fast Dialogue, or --fast)."});
    QVERIFY(!shown);
}

QTEST_MAIN(PhonebookTest)
#include "PhonebookTest.moc"
