// The mail-merge dialog on contacts files in a temporary directory, on the
// offscreen platform; no phone is needed.

#include "MailMergeDialog.h"
#include "StallMeter.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

using namespace velmora;
using namespace velmora::testing;

namespace {

// Lines 2 to 7: a good row, one without a number, Ani's number again, a
// quoted city with the separator in it, a word for a number, a blank line
// skipped, and a row in ISO-8859-1.
const QByteArray kContacts = "Name;Phone;City\r\n"
                             "Ani;0812 345 678;Bandung\r\n"
                             "Budi;;Solo\r\n"
                             "Cici;+62812345678;Medan\r\n"
                             "Dodi;0813-111 222;\"Jakarta; Pusat\"\r\n"
                             "Eko;call me;Bogor\r\n"
                             "\r\n"
                             "Jos\xe9;0814111222;Depok\r\n";

MessageRequest Text(const QString& text) {
    MessageRequest r;
    r.text = text.toStdU16String();
    return r;
}

QString Cell(const QAbstractItemModel* model, int row, int column, int role = Qt::DisplayRole) {
    return model->data(model->index(row, column), role).toString();
}

} // namespace

class MailMergeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void previewShowsEveryRowAsItWouldGo_data();
    void previewShowsEveryRowAsItWouldGo();
    void theSummaryAndTheRequestFollowTheTextAndColumn_data();
    void theSummaryAndTheRequestFollowTheTextAndColumn();
    void queueGivesThePacing();
    void anExpiryBeforeTheStartIsRefused();
    void aFileThatCannotBeReadIsNamed();
    void aContentKindGoesTheSameToEveryRow();
    void tenThousandRowsStayResponsive();

private:
    QString write(const QString& name, const QByteArray& bytes);
    std::unique_ptr<QTemporaryDir> m_dir;
    TestPrompter m_prompter;
};

void MailMergeDialogTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompter = TestPrompter{};
}

QString MailMergeDialogTest::write(const QString& name, const QByteArray& bytes) {
    const QString path = m_dir->filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return path;
}

void MailMergeDialogTest::previewShowsEveryRowAsItWouldGo_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("cells"); // Number, Name, Text, Coding, Parts, Problem
    QTest::newRow("line 2") << 0
                            << QStringList{"62812345678", "Ani", "Hi Ani of Bandung", "GSM 7-bit", "1", ""};
    QTest::newRow("line 3: no number")
        << 1 << QStringList{"", "Budi", "Hi Budi of Solo", "", "", "has no number"};
    QTest::newRow("line 4: the number again")
        << 2 << QStringList{"62812345678", "Cici", "Hi Cici of Medan",
                            "GSM 7-bit",   "",     "already in the list (line 2)"};
    QTest::newRow("line 5: a separator in quotes")
        << 3 << QStringList{"62813111222", "Dodi", "Hi Dodi of Jakarta; Pusat", "GSM 7-bit", "1", ""};
    QTest::newRow("line 6: not a number")
        << 4
        << QStringList{
               "call me",
               "Eko",
               "Hi Eko of Bogor",
               "",
               "",
               "invalid destination number \"callme\": it must be 1 to 20 digits (after \"+\" is dropped "
               "and a leading 0 becomes 62)"};
    QTest::newRow("line 8: ISO-8859-1")
        << 5 << QStringList{"62814111222", "José", "Hi José of Depok", "GSM 7-bit", "1", ""};
}

void MailMergeDialogTest::previewShowsEveryRowAsItWouldGo() {
    QFETCH(int, row);
    QFETCH(QStringList, cells);
    m_prompter.files << Prompter::FileChoice{write("contacts.csv", kContacts), 1};
    MailMergeDialog dialog(Text("Hi {name} of {CITY}"), m_prompter);
    dialog.show();
    dialog.findChild<QPushButton*>("btnMergeFile")->click();
    QCOMPARE(m_prompter.filters.size(), 1);
    QVERIFY2(m_prompter.filters[0].startsWith("Contacts (CSV)|*.csv|"), qPrintable(m_prompter.filters[0]));
    QCOMPARE(dialog.findChild<QComboBox*>("cmbNumberColumn")->currentText(), QString("Phone"));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.checked(), 10000);
    const auto* model = dialog.findChild<QTableView*>("tblMergePreview")->model();
    QCOMPARE(model->rowCount(), 6);
    QStringList got;
    for (int c = 0; c < MergePreviewModel::Columns; ++c)
        got << Cell(model, row, c);
    QCOMPARE(got, cells);
    // A row left out is marked, and says why when pointed at.
    const bool marked = model->data(model->index(row, 0), Qt::BackgroundRole).isValid();
    QCOMPARE(marked, !cells.last().isEmpty());
    QCOMPARE(Cell(model, row, MergePreviewModel::Number, Qt::ToolTipRole).isEmpty(), cells.last().isEmpty());
    QCOMPARE(model->headerData(row, Qt::Vertical).toInt(), QList<int>({2, 3, 4, 5, 6, 8})[row]);
}

void MailMergeDialogTest::theSummaryAndTheRequestFollowTheTextAndColumn_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("summary"); // its start
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QStringList>("texts"); // of the recipients
    QTest::newRow("as given")
        << "Hi {name}"
        << "Phone"
        << "3 recipients, 3 left out: line 3 has no number, line 4: already in the list "
           "(line 2), line 6: invalid destination number \"callme\": it must be 1 to 20 "
           "digits (after \"+\" is dropped and a leading 0 becomes 62)."
        << "62)." << QStringList{"Hi Ani", "Hi Dodi", "Hi José"};
    QTest::newRow("braces of their own")
        << "{{Hi}} {City}}}"
        << "Phone"
        << "3 recipients, 3 left out"
        << "62)." << QStringList{"{Hi} Bandung}", "{Hi} Jakarta; Pusat}", "{Hi} Depok}"};
    QTest::newRow("an unknown placeholder")
        << "Hi {nmae} of {Town}"
        << "Phone"
        << "No column is named {nmae}, {Town}: mend the text or the file. 3 recipients, 3 left out"
        << "62)." << QStringList{"Hi {nmae} of {Town}", "Hi {nmae} of {Town}", "Hi {nmae} of {Town}"};
    QTest::newRow("a column without numbers")
        << "Hi"
        << "City"
        << "0 recipients, 6 left out: line 2: invalid destination number \"Bandung\""
        << "62) and 3 more." << QStringList{};
    QTest::newRow("the names for numbers")
        << "Hi"
        << "Name"
        << "0 recipients, 6 left out: line 2: invalid destination number \"Ani\""
        << "62) and 3 more." << QStringList{};
    QTest::newRow("too long for one message") << QString(200, 'x') + "{name}"
                                              << "Phone"
                                              << "0 recipients, 6 left out: line 2: the text takes"
                                              << "and 3 more." << QStringList{};
}

void MailMergeDialogTest::theSummaryAndTheRequestFollowTheTextAndColumn() {
    QFETCH(QString, text);
    QFETCH(QString, column);
    QFETCH(QString, summary);
    QFETCH(QString, ending);
    QFETCH(QStringList, texts);
    MailMergeDialog dialog(Text("Hi {name} of {City}"), m_prompter);
    QVERIFY(dialog.loadFile(write("contacts.csv", kContacts)));
    auto* queue = dialog.findChild<QPushButton*>("btnMergeQueue");
    // Typed a character at a time, as a user would: only the last counts.
    auto* edit = dialog.findChild<QPlainTextEdit*>("memMergeText");
    edit->clear();
    for (qsizetype i = 1; i <= text.size(); ++i)
        edit->setPlainText(text.left(i));
    dialog.findChild<QComboBox*>("cmbNumberColumn")->setCurrentText(column);
    QVERIFY(!queue->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dialog.checked(), 10000);
    const QString said = dialog.findChild<QLabel*>("lblMergeSummary")->text();
    QVERIFY2(said.startsWith(summary) && said.endsWith(ending), qPrintable(said));
    QStringList got;
    for (const BatchRecipient& r : dialog.request().recipients)
        got << QString::fromStdU16String(r.request.text);
    QCOMPARE(got, texts);
    // Queue only when something can go and nothing would go as written.
    QCOMPARE(queue->isEnabled(), !texts.isEmpty() && !summary.startsWith("No column"));
}

void MailMergeDialogTest::queueGivesThePacing() {
    MailMergeDialog dialog(Text("Hi {name}"), m_prompter);
    QVERIFY(dialog.loadFile(write("contacts.csv", kContacts)));
    dialog.findChild<QSpinBox*>("spnInterval")->setValue(30);
    dialog.findChild<QSpinBox*>("spnPerHour")->setValue(100);
    auto* sendAt = dialog.findChild<QDateTimeEdit*>("dteSendAt");
    QVERIFY(!sendAt->isEnabled());
    dialog.findChild<QCheckBox*>("chkSendAt")->setChecked(true);
    QVERIFY(sendAt->isEnabled());
    const QDateTime start = QDateTime::currentDateTime().addDays(2);
    sendAt->setDateTime(start);
    QTRY_VERIFY_WITH_TIMEOUT(dialog.findChild<QPushButton*>("btnMergeQueue")->isEnabled(), 10000);
    bool accepted = false;
    connect(&dialog, &QDialog::accepted, this, [&] { accepted = true; });
    dialog.findChild<QPushButton*>("btnMergeQueue")->click();
    QVERIFY(accepted);
    const BatchRequest r = dialog.request();
    QCOMPARE(r.pacing.intervalMs, qint64(30000));
    QCOMPARE(r.pacing.perHour, 100);
    // To the minute the editor shows.
    QCOMPARE(r.pacing.startAt.timeSpec(), Qt::UTC);
    QVERIFY2(qAbs(r.pacing.startAt.secsTo(start)) < 60, qPrintable(r.pacing.startAt.toString(Qt::ISODate)));
    QVERIFY(!r.pacing.expireAt.isValid());
    QStringList numbers, names;
    for (const BatchRecipient& b : r.recipients) {
        numbers << QString::fromStdString(b.request.destination);
        names << b.name;
    }
    QCOMPARE(numbers, QStringList({"62812345678", "62813111222", "62814111222"}));
    QCOMPARE(names, QStringList({"Ani", "Dodi", "José"}));
    QVERIFY(m_prompter.warnings.isEmpty());
}

void MailMergeDialogTest::anExpiryBeforeTheStartIsRefused() {
    MailMergeDialog dialog(Text("Hi {name}"), m_prompter);
    QVERIFY(dialog.loadFile(write("contacts.csv", kContacts)));
    dialog.findChild<QCheckBox*>("chkSendAt")->setChecked(true);
    dialog.findChild<QDateTimeEdit*>("dteSendAt")->setDateTime(QDateTime::currentDateTime().addDays(3));
    dialog.findChild<QCheckBox*>("chkExpire")->setChecked(true);
    dialog.findChild<QDateTimeEdit*>("dteExpire")->setDateTime(QDateTime::currentDateTime().addDays(2));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.checked(), 10000);
    bool accepted = false;
    connect(&dialog, &QDialog::accepted, this, [&] { accepted = true; });
    dialog.findChild<QPushButton*>("btnMergeQueue")->click();
    QVERIFY(!accepted);
    QCOMPARE(m_prompter.warnings.size(), 1);
    QVERIFY2(m_prompter.warnings[0].contains("expire before"), qPrintable(m_prompter.warnings[0]));
    dialog.findChild<QDateTimeEdit*>("dteExpire")->setDateTime(QDateTime::currentDateTime().addDays(4));
    dialog.findChild<QPushButton*>("btnMergeQueue")->click();
    QVERIFY(accepted);
    QVERIFY(dialog.request().pacing.expireAt > dialog.request().pacing.startAt);
}

void MailMergeDialogTest::aFileThatCannotBeReadIsNamed() {
    MailMergeDialog dialog(Text("Hi {name}"), m_prompter);
    const QString open = write("open.csv", "Name,Phone\n\"Ani,0812345678\n");
    QVERIFY(!dialog.loadFile(open));
    QVERIFY(!dialog.loadFile(m_dir->filePath("missing.csv")));
    QCOMPARE(m_prompter.warnings.size(), 2);
    QCOMPARE(m_prompter.warnings[0], open + ": the quote opened on line 2 is never closed.");
    QVERIFY2(m_prompter.warnings[1].startsWith(m_dir->filePath("missing.csv") + ": "),
             qPrintable(m_prompter.warnings[1]));
    QVERIFY(!dialog.findChild<QPushButton*>("btnMergeQueue")->isEnabled());
    // A file with no column of numbers says which it has and waits for a choice.
    QVERIFY(dialog.loadFile(write("names.csv", "Name,City\nAni,Bandung\n")));
    QCOMPARE(dialog.findChild<QComboBox*>("cmbNumberColumn")->currentIndex(), -1);
    QCOMPARE(dialog.findChild<QLabel*>("lblMergeSummary")->text(),
             QString("No column looks like phone numbers; the columns are \"Name\", \"City\"."));
}

void MailMergeDialogTest::aContentKindGoesTheSameToEveryRow() {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.content = std::string(252, '0');
    logo.mcc = "510";
    logo.nc = "01";
    MailMergeDialog dialog(logo, m_prompter);
    QVERIFY(!dialog.findChild<QPlainTextEdit*>("memMergeText")->isEnabled());
    QVERIFY(dialog.loadFile(write("contacts.csv", kContacts)));
    QTRY_VERIFY_WITH_TIMEOUT(dialog.checked(), 10000);
    const auto* model = dialog.preview();
    QCOMPARE(Cell(model, 0, MergePreviewModel::Coding), QString("8-bit"));
    const BatchRequest r = dialog.request();
    QCOMPARE(r.recipients.size(), std::size_t(3));
    for (const BatchRecipient& b : r.recipients) {
        QCOMPARE(b.request.kind, MessageKind::Logo);
        QCOMPARE(b.request.content, logo.content);
    }
}

void MailMergeDialogTest::tenThousandRowsStayResponsive() {
    QByteArray csv = "number,name\n";
    for (int i = 0; i < 10000; ++i)
        csv += "08" + QByteArray::number(100000000 + i) + ",Name " + QByteArray::number(i) + "\n";
    MailMergeDialog dialog(Text("Hello {name}"), m_prompter);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(dialog.loadFile(write("many.csv", csv)));
    QVERIFY(RunUntil([&] { return dialog.checked(); }, 60000));
    auto* edit = dialog.findChild<QPlainTextEdit*>("memMergeText");
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    // Typed while the whole table is checked behind it, again after each
    // pause: the window answers all along.
    StallMeter meter;
    meter.start();
    QElapsedTimer checking;
    checking.start();
    for (const char* typed : {", how are you", "?"}) {
        QTest::keyClicks(edit, typed, Qt::NoModifier, 20);
        QVERIFY(RunUntil([&] { return dialog.checked(); }, 60000));
    }
    const qint64 longest = meter.stop();
    qInfo() << "longest stall" << longest << "ms; typing and checking took" << checking.elapsed() << "ms";
    QVERIFY2(longest < 400, qPrintable(QString::number(longest)));
    const auto* model = dialog.preview();
    QCOMPARE(model->rowCount(), 10000);
    QCOMPARE(Cell(model, 9999, MergePreviewModel::Text), QString("Hello Name 9999, how are you?"));
    QCOMPARE(dialog.findChild<QLabel*>("lblMergeSummary")->text(), QString("10000 recipients."));
    QCOMPARE(dialog.request().recipients.size(), std::size_t(10000));
    QCOMPARE(dialog.request().recipients.back().request.text,
             std::u16string(u"Hello Name 9999, how are you?"));
}

QTEST_MAIN(MailMergeDialogTest)
#include "MailMergeDialogTest.moc"
