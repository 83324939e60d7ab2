// The content tabs of the window, from files a user has, against the
// simulated phone.

#include "ContentFixtures.h"
#include "SMSLibU.h"
#include "SilentOutput.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

using namespace velmora;
using namespace velmora::testing;

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

bool Picture72x28(int x, int y) { return (x + 2 * y) % 5 == 0; }

} // namespace

class ContentTabsTest : public QObject {
    Q_OBJECT

private:
    ScratchDir m_files;
    QTemporaryDir m_tmp;
    int m_records = 0;
    QString record() { return m_tmp.filePath(QString("pdus-%1.txt").arg(++m_records)); }

    static QString memo(Window& w, const char* name) { return w.find<QPlainTextEdit>(name)->toPlainText(); }
    static bool waitSent(Window& w) {
        return QTest::qWaitFor([&] { return w.find<QPushButton>("bitSendSMS")->isEnabled(); }, 15000);
    }
    static void selectTab(Window& w, int index) {
        w.find<QTabWidget>("PageControl1")->setCurrentIndex(index);
    }

private slots:
    void loadsAFileIntoEachTabAndSendsIt_data();
    void loadsAFileIntoEachTabAndSendsIt();
    void refusesWhatATabCannotSend_data();
    void refusesWhatATabCannotSend();
    void sendsVoidIndicatorAndEmsMessages();
    void aPictureMessageSendsAllThreePartsWhenOneFails();
    void offersToCutATuneTooLongForOneMessage();
    void fileOpenLoadsByTheFilterChosen();
    void aRefusedFileLeavesTheTabAsItWas();
    void aLongPathNeverWidensTheWindow();
    void saveAsCopiesOrWritesAContentFile();
    void composesEmsTags();
    void encodesATuneAsItIsTyped();
    void playsTheTuneUntilStoppedOrLeft();
    void droppedFilesGoToTheirTab();
    void aFileNamedAsAPictureIsRefusedAsOne_data();
    void aFileNamedAsAPictureIsRefusedAsOne();
    void destinationFillsTheNetwork();
    void destinationTakesTheSettingsCountryCode_data();
    void destinationTakesTheSettingsCountryCode();
    void readsTheOperatorListOncePerConnection();
    void aPictureIsConvertedEditedAndExported();
    void pixelsNotInTheLoadedFileAreSavedAsShown_data();
    void pixelsNotInTheLoadedFileAreSavedAsShown();
};

void ContentTabsTest::loadsAFileIntoEachTabAndSendsIt_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("memo");
    QTest::addColumn<QString>("content"); // what the memo holds after loading
    QTest::addColumn<int>("parts");
    const std::string logo = ContentOf(72, 14, Diagonals);
    QTest::newRow("logo from a BMP") << "bitBrowse"
                                     << "logo.bmp" << QByteArray::fromStdString(MakeBmp({72, 14, Diagonals}))
                                     << 1 << "memHexLogo" << Q(logo) << 1;
    QTest::newRow("logo from the maker's file")
        << "bitBrowse"
        << "Logo.Nol" << QByteArray::fromStdString(MakeLogoFile("NOL", 20, '\0', Diagonals)) << 1
        << "memHexLogo" << Q(logo) << 1;
    QTest::newRow("own content file in a folder named bmp")
        << "bitBrowse"
        << "bmpfan/mine.VOL" << QByteArray::fromStdString(ContentFileText(logo, "Mine")) << 1 << "memHexLogo"
        << Q(logo) << 1;
    QTest::newRow("group graphic") << "bitBrowseGG"
                                   << "group.ngg"
                                   << QByteArray::fromStdString(MakeLogoFile("NGG", 16, '\0', Diagonals)) << 2
                                   << "memHexGG" << Q(logo) << 1;
    QTest::newRow("picture message") << "bitBrowsePM"
                                     << "picture.BMP"
                                     << QByteArray::fromStdString(MakeBmp({72, 28, Picture72x28})) << 3
                                     << "memHexPM" << Q(ContentOf(72, 28, Picture72x28)) << 3;
    QTest::newRow("ringtone from the web")
        << "bitBrowseRT"
        << "tune.txt" << QByteArray("Beep Song:d=4,o=5,b=125:8c6,8e.6,4g6.,p,16f#.6\r\n") << 4 << "memHexRT"
        << "" << 1;
}

void ContentTabsTest::loadsAFileIntoEachTabAndSendsIt() {
    QFETCH(QString, button);
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(int, tab);
    QFETCH(QString, memo);
    QFETCH(QString, content);
    QFETCH(int, parts);
    const QString path = Q(m_files.write(file.toStdString(), bytes.toStdString()));
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QLineEdit>("txtMCC")->setText("510");
    w.find<QLineEdit>("txtNC")->setText("10");
    selectTab(w, tab);
    w.prompter.files << Prompter::FileChoice{path, 1};
    w.find<QPushButton>(button.toLatin1())->click();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    const QString loaded = this->memo(w, memo.toLatin1());
    if (!content.isEmpty())
        QCOMPARE(loaded, content);
    QVERIFY(!loaded.isEmpty());
    QCOMPARE(w.find<QLabel>("lblFName")->text(), path);
    QVERIFY(w.find<QAction>("mnuFSaveAs")->isEnabled());
    if (tab == 4) {
        QCOMPARE(w.find<QLabel>("lblTitle")->text(), QString("Title = Beep Song"));
        QCOMPARE(w.find<QLabel>("lblTempo")->text(), QString("Tempo = 125"));
        QVERIFY(this->memo(w, "memRTTTL").startsWith("Beep Song:"));
    } else {
        // The preview shows the top-left pixel of the diagonals black.
        const QImage preview = w.find<QLabel>("imgShow")->pixmap().toImage();
        QCOMPARE(preview.size(), QSize(144, 56));
        QVERIFY(qAlpha(preview.pixel(0, 0)) == 255);
        QVERIFY(qAlpha(preview.pixel(143, 55)) == (tab == 3 && Picture72x28(71, 27) ? 255 : 0));
    }

    w.find<QPushButton>("bitSendSMS")->click();
    QVERIFY(waitSent(w));
    MessageRequest r;
    r.kind = tab == 1   ? MessageKind::Logo
             : tab == 2 ? MessageKind::Group
             : tab == 3 ? MessageKind::Picture
                        : MessageKind::Ringtone;
    r.destination = "628569999999";
    r.content = loaded.toStdString();
    r.mcc = "510";
    r.nc = "10";
    const auto job = BuildMessage(r);
    QVERIFY(job.ok());
    QStringList expected;
    for (const auto& pdu : job->pdus)
        expected << Q(pdu);
    QCOMPARE(w.phone.received(), expected);
    QCOMPARE(expected.size(), parts);
    QCOMPARE(w.lines("Tr_smsn.Txt").size(), parts);
}

void ContentTabsTest::refusesWhatATabCannotSend_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("mcc");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("focus");
    const QString ok = QString(252, 'F');
    QTest::newRow("MCC of two digits, before the destination")
        << 1 << "51" << ok << ""
        << "Unknown Mobile Operator, Please select provider or fill MCC and NC !"
        << "";
    QTest::newRow("MCC with a letter")
        << 1 << "5a0" << ok << "628569999999"
        << "Unknown Mobile Operator, Please select provider or fill MCC and NC !"
        << "";
    QTest::newRow("no logo") << 1 << "510"
                             << ""
                             << "628569999999"
                             << "Please choose operator logo !"
                             << "bitBrowse";
    QTest::newRow("no group graphic") << 2 << "510"
                                      << ""
                                      << "628569999999"
                                      << "Please choose grouph graphic !"
                                      << "bitBrowseGG";
    QTest::newRow("no picture") << 3 << "510"
                                << ""
                                << "628569999999"
                                << "Please choose picture message !"
                                << "bitBrowsePM";
    QTest::newRow("no ringtone") << 4 << "510"
                                 << ""
                                 << "628569999999"
                                 << "Please choose RTTTL ringtone !"
                                 << "bitBrowseRT";
    QTest::newRow("not hex") << 2 << "510"
                             << "FFXY"
                             << "628569999999"
                             << "not a hex digit"
                             << "";
    QTest::newRow("odd digits") << 2 << "510"
                                << "FFF"
                                << "628569999999"
                                << "odd number"
                                << "";
    QTest::newRow("void: destination only") << 5 << "510"
                                            << ""
                                            << ""
                                            << "Please Fill Destination Mobile Number !"
                                            << "txtHPNo";
}

void ContentTabsTest::refusesWhatATabCannotSend() {
    QFETCH(int, tab);
    QFETCH(QString, mcc);
    QFETCH(QString, content);
    QFETCH(QString, destination);
    QFETCH(QString, warning);
    QFETCH(QString, focus);
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText(destination);
    w.find<QLineEdit>("txtMCC")->setText(mcc);
    w.find<QLineEdit>("txtNC")->setText("10");
    const char* memos[] = {"", "memHexLogo", "memHexGG", "memHexPM", "memHexRT"};
    if (tab <= 4)
        w.find<QPlainTextEdit>(memos[tab])->setPlainText(content);
    selectTab(w, tab);
    w.find<QLineEdit>("txtMCC")->setFocus();
    w.find<QPushButton>("bitSendSMS")->click();
    QCOMPARE(w.prompter.warnings.size(), 1);
    QVERIFY2(w.prompter.warnings[0].contains(warning), qPrintable(w.prompter.warnings[0]));
    if (!focus.isEmpty())
        QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QTest::qWait(100);
    QVERIFY(w.phone.received().isEmpty());
}

void ContentTabsTest::sendsVoidIndicatorAndEmsMessages() {
    const QString bmp = Q(m_files.write("smile.bmp", MakeBmp({16, 16, Diagonals})));
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    auto send = [&](int tab) {
        selectTab(w, tab);
        w.find<QPushButton>("bitSendSMS")->click();
        return waitSent(w);
    };
    QVERIFY(send(5));
    w.find<QRadioButton>("rdoEmail")->setChecked(true);
    w.find<QRadioButton>("rdoActive")->setChecked(true);
    QVERIFY(send(6));
    selectTab(w, 7);
    w.prompter.files << Prompter::FileChoice{bmp, 1};
    w.find<QPushButton>("btnAddPict")->click();
    w.find<QPlainTextEdit>("memEMS")->moveCursor(QTextCursor::End);
    w.find<QPlainTextEdit>("memEMS")->insertPlainText("Hi");
    emit w.find<QComboBox>("cboSound")->activated(3);
    QVERIFY(send(7));
    QVERIFY(w.prompter.warnings.isEmpty());

    MessageRequest voidRequest, indicator, ems;
    voidRequest.kind = MessageKind::Void;
    indicator.kind = MessageKind::Indicator;
    indicator.indicatorKind = Email;
    indicator.active = true;
    ems.kind = MessageKind::Ems;
    ems.text = ("[#PIC00100010" + Q(ContentOf(16, 16, Diagonals)) + "]Hi[#SND02]").toStdU16String();
    QStringList expected;
    for (MessageRequest* r : {&voidRequest, &indicator, &ems}) {
        r->destination = "628569999999";
        const auto job = BuildMessage(*r);
        QVERIFY(job.ok());
        expected << Q(job->pdus.at(0));
    }
    QCOMPARE(w.phone.received(), expected);
}

void ContentTabsTest::aPictureMessageSendsAllThreePartsWhenOneFails() {
    ConnectedWindow w(record(), {"--pdu-answer", "ok", "--pdu-answer", "error", "--pdu-answer", "ok"});
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    w.find<QPlainTextEdit>("memHexPM")->setPlainText(QString(504, '5'));
    selectTab(w, 3);
    w.find<QPushButton>("bitSendSMS")->click();
    QCOMPARE(w.form().statusText(), QString("Sending SMS Part (1)"));
    QVERIFY(waitSent(w));
    QCOMPARE(w.phone.received().size(), 3);
    QCOMPARE(w.form().statusText(), QString("Sending SMS Part (3)"));
    // Part three was sent: the failure of part two no longer shows.
    QVERIFY(!w.find<QLabel>("imgStatus")->isVisible() && w.find<QLabel>("imgOK")->isVisible());
    QCOMPARE(w.lines("Tr_smsn.Txt").size(), 2);
    QVERIFY(w.lines("Fl_smsn.Txt").join('\n').contains("ERROR"));
}

void ContentTabsTest::offersToCutATuneTooLongForOneMessage() {
    std::string line = "Long one:d=8,o=5,b=160:";
    for (int i = 0; i < 70; ++i)
        line += std::string(i ? "," : "") + "cdefgab"[i % 7];
    const QString path = Q(m_files.write("long.txt", line + "\r\n"));
    ConnectedWindow w(record());
    QVERIFY(w.connected());
    w.find<QLineEdit>("txtHPNo")->setText("628569999999");
    selectTab(w, 4);
    w.prompter.files << Prompter::FileChoice{path, 1};
    w.find<QPushButton>("bitBrowseRT")->click();
    QCOMPARE(w.prompter.questions.size(), 1);
    QVERIFY2(w.prompter.questions[0].contains("70 notes"), qPrintable(w.prompter.questions[0]));
    const RingtoneFit fit = FitRingtone(line);
    QCOMPARE(memo(w, "memHexRT"), Q(fit.content));
    w.find<QPushButton>("bitSendSMS")->click();
    QVERIFY(waitSent(w));
    QVERIFY(w.prompter.warnings.isEmpty());
    QCOMPARE(w.phone.received().size(), 1);

    // Declined: the whole tune stays, and the send says why it is refused.
    w.prompter.answerYes = false;
    w.prompter.files << Prompter::FileChoice{path, 1};
    w.find<QPushButton>("bitBrowseRT")->click();
    QVERIFY(w.form().statusText().contains(QString("first %1 of its 70 notes").arg(fit.fitting)));
    w.find<QPushButton>("bitSendSMS")->click();
    QCOMPARE(w.prompter.warnings.size(), 1);
}

void ContentTabsTest::fileOpenLoadsByTheFilterChosen() {
    const QString path = Q(m_files.write("open/any.bmp", MakeBmp({72, 14, Diagonals})));
    Window w("/nonexistent/velmora-test-device");
    w.prompter.files << Prompter::FileChoice{path, 2}; // "Group Graphic Files"
    w.find<QAction>("mnuFOpen")->trigger();
    QCOMPARE(w.find<QTabWidget>("PageControl1")->currentIndex(), 2);
    QCOMPARE(memo(w, "memHexGG"), Q(ContentOf(72, 14, Diagonals)));
    QCOMPARE(w.find<QLineEdit>("txtGroupFile")->text(), path);
    QVERIFY(memo(w, "memHexLogo").isEmpty());
    QVERIFY(w.prompter.filters[0].startsWith("Operator Logo Files|*.VOL;*.BMP;*.NOL|"));
    // The window's own dialog offers the extensions in any case.
    const QStringList qt = QtFileFilters({{"NOL Operator Logo Files", {"*.NOL"}}, {"All Files", {"*.*"}}});
    QCOMPARE(qt, (QStringList{"NOL Operator Logo Files (*.[Nn][Oo][Ll])", "All Files (*)"}));
}

void ContentTabsTest::aRefusedFileLeavesTheTabAsItWas() {
    const QString good = Q(m_files.write("good.bmp", MakeBmp({72, 14, Diagonals})));
    BmpLayout colour{72, 14, Diagonals};
    colour.bitsPerPixel = 24;
    const QString bad = Q(m_files.write("colour.bmp", MakeBmp(colour)));
    const QString narrow = Q(m_files.write("narrow.bmp", MakeBmp({48, 14, Diagonals})));
    Window w("/nonexistent/velmora-test-device");
    selectTab(w, 1);
    w.prompter.files << Prompter::FileChoice{good, 1} << Prompter::FileChoice{bad, 1}
                     << Prompter::FileChoice{narrow, 1};
    w.find<QPushButton>("bitBrowse")->click();
    w.find<QPushButton>("bitBrowse")->click();
    QCOMPARE(w.prompter.warnings.size(), 1);
    QCOMPARE(memo(w, "memHexLogo"), Q(ContentOf(72, 14, Diagonals)));
    QCOMPARE(w.find<QLineEdit>("txtLogoFile")->text(), good);
    // A picture of another size is kept as loaded, and the status bar says so.
    w.find<QPushButton>("bitBrowse")->click();
    QCOMPARE(memo(w, "memHexLogo"), Q(ContentOf(48, 14, Diagonals)));
    QVERIFY2(w.form().statusText().contains("48 x 14"), qPrintable(w.form().statusText()));
}

void ContentTabsTest::aLongPathNeverWidensTheWindow() {
    const QString path = Q(m_files.write(std::string(3, 'd') + "/" + std::string(120, 'n') + "/logo.bmp",
                                         MakeBmp({72, 14, Diagonals})));
    Window w("/nonexistent/velmora-test-device");
    w.show();
    const int width = w.form().width();
    selectTab(w, 1);
    w.prompter.files << Prompter::FileChoice{path, 1};
    w.find<QPushButton>("bitBrowse")->click();
    QApplication::processEvents();
    QCOMPARE(w.form().width(), width);
    QVERIFY(w.form().minimumSizeHint().width() <= width);
    auto* label = w.find<QLabel>("lblFName");
    QCOMPARE(label->text(), path);
    QCOMPARE(label->toolTip(), path);
    QCOMPARE(label->accessibleDescription(), path);
}

void ContentTabsTest::saveAsCopiesOrWritesAContentFile() {
    const std::string bmp = MakeBmp({72, 14, Diagonals});
    const QString source = Q(m_files.write("save/logo.bmp", bmp));
    Window w("/nonexistent/velmora-test-device");
    selectTab(w, 1);
    w.prompter.files << Prompter::FileChoice{source, 1};
    w.find<QPushButton>("bitBrowse")->click();
    auto* label = w.find<QLabel>("lblFName");
    auto* saveAs = w.find<QAction>("mnuFSaveAs");

    // A content file: the memo in three lines; the extension is not doubled.
    const QString vol = Q(m_files.path("save/mine.vol"));
    w.prompter.files << Prompter::FileChoice{vol, 1};
    saveAs->trigger();
    QCOMPARE(label->text(), vol);
    const std::string written = ScratchDir::read(vol.toStdString());
    QVERIFY(written.rfind(ContentOf(72, 14, Diagonals) + "\r\n// Velmora Operator Logo File\r\n", 0) == 0);
    QVERIFY(w.prompter.filters.last().startsWith("Velmora Operator Logo Files|*.VOL"));

    // Any other format is a copy of the file behind the label.
    w.find<QPlainTextEdit>("memHexLogo")->setPlainText("00");
    w.prompter.files << Prompter::FileChoice{Q(m_files.path("save/copy")), 2};
    label->setText(source);
    saveAs->trigger();
    QCOMPARE(ScratchDir::read(m_files.path("save/copy.BMP")), bmp);

    // A file that cannot be written: a warning, and the label stays.
    w.prompter.files << Prompter::FileChoice{Q(m_files.path("save/missing/dir/x.vol")), 1};
    const QString before = label->text();
    saveAs->trigger();
    QCOMPARE(w.prompter.warnings.size(), 1);
    QCOMPARE(label->text(), before);
}

// Typing keeps the file field, shows what the line encodes to and where it
// is not taken as written, and Save As writes the typed line.
void ContentTabsTest::encodesATuneAsItIsTyped() {
    const QString path = Q(m_files.write("typed/beep.txt", "Beep:d=4,o=5,b=100:c,8e,p\r\n"));
    Window w("/nonexistent/velmora-test-device");
    selectTab(w, 4);
    w.prompter.files << Prompter::FileChoice{path, 1};
    w.find<QPushButton>("bitBrowseRT")->click();
    auto* check = w.find<QLabel>("lblRtFit");
    const int loaded = int(RingtoneFromLine("Beep:d=4,o=5,b=100:c,8e,p").content.size() / 2);
    QCOMPARE(check->text(), QString("%1 of 133 octets, %2 left").arg(loaded).arg(133 - loaded));

    const std::string line = "Tune:d=4,o=5,b=125:c,8h,e";
    w.find<QPlainTextEdit>("memRTTTL")->setPlainText(Q(line));
    QCOMPARE(memo(w, "memHexRT"), Q(RingtoneFromLine(line).content));
    QCOMPARE(w.find<QLabel>("lblTitle")->text(), QString("Title = Tune"));
    QCOMPARE(w.find<QLabel>("lblTempo")->text(), QString("Tempo = 125"));
    QCOMPARE(check->text(),
             QString("19 of 133 octets, 114 left\nCharacter 22: \"8h\" is not a note; it is left out"));
    QCOMPARE(w.find<QLineEdit>("txtRTFile")->text(), path);
    // Tab goes on to Play, not into the line.
    QTest::keyClick(w.find<QPlainTextEdit>("memRTTTL"), Qt::Key_Tab);
    QCOMPARE(memo(w, "memRTTTL"), Q(line));

    std::string longLine = "Long:d=8,o=5,b=160:";
    for (int i = 0; i < 70; ++i)
        longLine += std::string(i ? "," : "") + "cdefgab"[i % 7];
    w.find<QPlainTextEdit>("memRTTTL")->setPlainText(Q(longLine));
    QVERIFY2(check->text().contains(
                 QString("too long: the first %1 of 70 notes fit").arg(FitRingtone(longLine).fitting)),
             qPrintable(check->text()));

    w.find<QPlainTextEdit>("memRTTTL")->setPlainText(Q(line));
    const QString saved = Q(m_files.path("typed/mine.txt"));
    w.prompter.files << Prompter::FileChoice{saved, 1};
    w.find<QAction>("mnuFSaveAs")->trigger();
    QCOMPARE(ScratchDir::read(saved.toStdString()), line + "\r\n");
}

// Stop, another page and another tune each stop the sound at once; a failing
// output is a status, not a message box.
void ContentTabsTest::playsTheTuneUntilStoppedOrLeft() {
    const QString path = Q(m_files.write("play/beep.txt", "Beep:d=4,o=5,b=100:c,8e,p\r\n"));
    QStringList calls; // outlives the window, whose player ends with it
    SilentOutput* output = nullptr;
    Window w("/nonexistent/velmora-test-device");
    w.tuneOutput = [&] {
        auto o = std::make_unique<SilentOutput>(calls);
        output = o.get();
        return o;
    };
    selectTab(w, 4);
    w.prompter.files << Prompter::FileChoice{path, 1} << Prompter::FileChoice{path, 1};
    w.find<QPushButton>("bitBrowseRT")->click();
    auto* play = w.find<QPushButton>("btnPlay");
    auto* stop = w.find<QPushButton>("btnStop");
    const std::vector<std::pair<const char*, std::function<void()>>> ends{
        {"Stop", [&] { stop->click(); }},
        {"another page", [&] { selectTab(w, 0), selectTab(w, 4); }},
        {"another tune", [&] { w.find<QPushButton>("bitBrowseRT")->click(); }},
        {"typing", [&] { w.find<QPlainTextEdit>("memRTTTL")->setPlainText("Beep:c"); }},
    };
    for (const auto& [name, end] : ends) {
        calls.clear();
        play->click();
        QVERIFY2(!play->isEnabled() && stop->isEnabled(), name);
        end();
        QCOMPARE(calls, QStringList({"start", "stop"}));
        QVERIFY2(play->isEnabled() && !stop->isEnabled(), name);
    }
    play->click();
    emit output->failed("The audio output stopped playing the tune.");
    QVERIFY(play->isEnabled());
    QCOMPARE(w.form().statusText(), QString("The audio output stopped playing the tune."));
    QVERIFY(w.prompter.warnings.isEmpty());

    calls.clear();
    play->click();
    w.form().close();
    QCOMPARE(calls, QStringList({"start", "stop"}));
}

void ContentTabsTest::composesEmsTags() {
    const QString bmp = Q(m_files.write("ems16.bmp", MakeBmp({16, 16, Diagonals})));
    Window w("/nonexistent/velmora-test-device");
    w.show();
    auto* animation = w.find<QComboBox>("cboAnimation");
    auto* sound = w.find<QComboBox>("cboSound");
    auto* text = w.find<QPlainTextEdit>("memEMS");
    selectTab(w, 7);
    QCOMPARE(animation->count(), 16);
    QCOMPARE(sound->count(), 11);
    auto choose = [](QComboBox* box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    };
    choose(animation, 15); // Devil
    QCOMPARE(text->toPlainText(), QString("[#ANI14]"));
    choose(sound, 3); // Ding
    QCOMPARE(text->toPlainText(), QString("[#ANI14][#SND02]"));
    choose(animation, 0);
    QCOMPARE(text->toPlainText(), QString("[#ANI14][#SND02]"));
    text->moveCursor(QTextCursor::Start);
    choose(animation, 1);
    QCOMPARE(text->toPlainText(), QString("[#ANI00][#ANI14][#SND02]"));
    // Entering the tab sets both lists back to "[ None ]".
    selectTab(w, 0);
    selectTab(w, 7);
    QCOMPARE(animation->currentIndex(), 0);
    QCOMPARE(sound->currentIndex(), 0);
    w.prompter.files << Prompter::FileChoice{bmp, 1};
    w.find<QPushButton>("btnAddPict")->click();
    QCOMPARE(text->toPlainText(), "[#PIC00100010" + Q(ContentOf(16, 16, Diagonals)) + "]");
    w.find<QPushButton>("btnClearEMS")->click();
    QVERIFY(text->toPlainText().isEmpty());
}

void ContentTabsTest::droppedFilesGoToTheirTab() {
    const QString ngg = Q(m_files.write("drop/g.NGG", MakeLogoFile("NGG", 16, '\0', Diagonals)));
    const QString pdf = Q(m_files.write("drop/notes.pdf", "%PDF"));
    Window w("/nonexistent/velmora-test-device");
    w.form().DropFile(ngg);
    QCOMPARE(w.find<QTabWidget>("PageControl1")->currentIndex(), 2);
    QCOMPARE(memo(w, "memHexGG"), Q(ContentOf(72, 14, Diagonals)));
    w.form().DropFile(pdf);
    QCOMPARE(w.prompter.warnings.size(), 1);
    QVERIFY(w.prompter.warnings[0].contains("notes.pdf"));
}

// Browsed for, dropped or added to EMS, a file named as a picture that Qt
// cannot read is refused as a picture, never read as a content file.
void ContentTabsTest::aFileNamedAsAPictureIsRefusedAsOne_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QImage noise(400, 200, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) & 0xFF));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(noise.save(&buffer, "JPEG"));
    const QByteArray text = "0A1B2C3D\r\n"; // as a content file holds
    const QByteArray cut = jpeg.left(jpeg.size() / 2);
    const QByteArray broken = "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect";
    for (const char* way : {"browse", "drop", "ems"}) {
        QTest::addRow("%s text named png", way) << way << "photo.png" << text;
        QTest::addRow("%s cut jpeg", way) << way << "cut.jpg" << cut;
        QTest::addRow("%s svg that does not parse", way) << way << "broken.svg" << broken;
        QTest::addRow("%s svg cut short", way) << way << "short.svg" << QByteArray("<svg");
    }
}

void ContentTabsTest::aFileNamedAsAPictureIsRefusedAsOne() {
    QFETCH(QString, way);
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    const QString good = Q(m_files.write("named/good.bmp", MakeBmp({72, 14, Diagonals})));
    const QString bad = Q(m_files.write("named/" + name.toStdString(), bytes.toStdString()));
    Window w("/nonexistent/velmora-test-device");
    const bool ems = way == "ems";
    selectTab(w, ems ? 7 : 1);
    w.prompter.files << Prompter::FileChoice{good, 1};
    w.find<QPushButton>(ems ? "btnAddPict" : "bitBrowse")->click();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    const QString before = memo(w, ems ? "memEMS" : "memHexLogo");
    QVERIFY(!before.isEmpty());
    if (way == "drop") {
        w.form().DropFile(bad);
    } else {
        w.prompter.files << Prompter::FileChoice{bad, 1};
        w.find<QPushButton>(ems ? "btnAddPict" : "bitBrowse")->click();
    }
    QCOMPARE(w.prompter.warnings.size(), 1);
    QVERIFY2(w.prompter.warnings[0].startsWith("\"" + name + "\" is not a picture Velmora can read ("),
             qPrintable(w.prompter.warnings[0]));
    QCOMPARE(memo(w, ems ? "memEMS" : "memHexLogo"), before);
}

void ContentTabsTest::destinationFillsTheNetwork() {
    Window w("/nonexistent/velmora-test-device");
    auto* number = w.find<QLineEdit>("txtHPNo");
    auto* mcc = w.find<QLineEdit>("txtMCC");
    auto* nc = w.find<QLineEdit>("txtNC");
    QTest::keyClicks(number, "+628569999999");
    QCOMPARE(number->text(), QString("628569999999"));
    const MccNc expected = SplitNetworkCode(NetworkCodeForNumber("628569999999"));
    QVERIFY(!expected.mcc.empty());
    QCOMPARE(mcc->text(), Q(expected.mcc));
    QCOMPARE(nc->text(), Q(expected.nc));
    number->setText("08569999999");
    QCOMPARE(number->text(), QString("628569999999"));
    number->setText("1555");
    QVERIFY(mcc->text().isEmpty() && nc->text().isEmpty());
}

void ContentTabsTest::destinationTakesTheSettingsCountryCode_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Finland") << QByteArray("[Messages]\r\nCountryCode=358\r\n") << "0401234567"
                             << "358401234567";
    QTest::newRow("none set") << QByteArray() << "0401234567"
                              << "62401234567";
    QTest::newRow("not a code") << QByteArray("[Messages]\r\nCountryCode=3581\r\n") << "0401234567"
                                << "62401234567";
    QTest::newRow("an international number") << QByteArray("[Messages]\r\nCountryCode=358\r\n") << "+62856"
                                             << "62856";
}

void ContentTabsTest::destinationTakesTheSettingsCountryCode() {
    QFETCH(QByteArray, settings);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Window w("/nonexistent/velmora-test-device", settings);
    auto* number = w.find<QLineEdit>("txtHPNo");
    QTest::keyClicks(number, typed);
    QCOMPARE(number->text(), shown);
}

void ContentTabsTest::readsTheOperatorListOncePerConnection() {
    Phone phone(record());
    Window w(phone.device(), {}, 0.05);
    w.show();
    QVERIFY(w.waitConnected());
    auto* providers = w.find<QComboBox>("cboProvider");
    selectTab(w, 1);
    QTRY_VERIFY_WITH_TIMEOUT(providers->count() > 0, 5000);
    QTRY_COMPARE(w.form().statusText(), QString("Get provider list")); // and no more afterwards
    QVERIFY(providers->itemText(0).startsWith("510"));
    emit providers->activated(0);
    QCOMPARE(w.find<QLineEdit>("txtMCC")->text(), providers->itemText(0).left(3));
    QCOMPARE(w.find<QLineEdit>("txtNC")->text(), providers->itemText(0).mid(3, 2));
    const int count = providers->count();
    w.find<QAction>("mnuClosePort")->trigger(); // leaves a status to compare with
    QTRY_COMPARE(w.form().statusText(), QString("Communication Port Close"));
    w.find<QAction>("mnuOpenPort")->trigger();
    QVERIFY(w.waitConnected());
    selectTab(w, 0);
    selectTab(w, 1); // a new connection reads again
    QTRY_COMPARE(w.form().statusText(), QString("Get provider list"));
    QTRY_VERIFY_WITH_TIMEOUT(w.find<QPushButton>("bitSendSMS")->isEnabled(), 5000);
    QCOMPARE(providers->count(), count);
}

namespace {

int BlackIn(const QString& hex) {
    int n = 0;
    for (const char c : HexToBits(NormaliseContentHex(hex.toStdString())))
        n += c == '1';
    return n;
}

} // namespace

void ContentTabsTest::aPictureIsConvertedEditedAndExported() {
    // A grey ramp from black on the left to white on the right, twice the
    // logo's size.
    QImage ramp(144, 28, QImage::Format_RGB32);
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 144; ++x)
            ramp.setPixel(x, y, qRgb(x * 255 / 143, x * 255 / 143, x * 255 / 143));
    const QString photo = Q(m_files.path("photo.png"));
    QVERIFY(ramp.save(photo));
    Window w("/nonexistent/velmora-test-device");
    w.show();
    selectTab(w, 1);
    w.prompter.files << Prompter::FileChoice{photo, 1};
    w.find<QPushButton>("bitBrowse")->click();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    auto* slider = w.find<QSlider>("sldThreshold");
    auto* canvas = w.find<QWidget>("pictureCanvas");
    QVERIFY(canvas->isVisible() && slider->isEnabled());
    QCOMPARE(canvas->accessibleDescription(), QString("72 × 14 pixels"));
    QCOMPARE(QAccessible::queryAccessibleInterface(canvas)->role(), QAccessible::Canvas);
    QCOMPARE(BlackIn(memo(w, "memHexLogo")), 36 * 14);

    // The slider converts the kept picture again: memo and preview follow.
    slider->setValue(64);
    QCOMPARE(BlackIn(memo(w, "memHexLogo")), 18 * 14);
    const QImage preview = w.find<QLabel>("imgShow")->pixmap().toImage();
    QCOMPARE(qAlpha(preview.pixel(2 * 17, 0)), 255);
    QCOMPARE(qAlpha(preview.pixel(2 * 18, 0)), 0);

    // A click on a cell toggles that pixel; Undo puts it back.
    const QString converted = memo(w, "memHexLogo");
    const int cell = canvas->width() / 72;
    QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(40 * cell + cell / 2, 3 * cell + cell / 2));
    QCOMPARE(BlackIn(memo(w, "memHexLogo")), 18 * 14 + 1);
    QVERIFY(HexToBits(NormaliseContentHex(memo(w, "memHexLogo").toStdString()))[3 * 72 + 40] == '1');
    w.find<QPushButton>("btnPictureUndo")->click();
    QCOMPARE(memo(w, "memHexLogo"), converted);

    // A drag from a white cell across black ones paints them all black, and
    // undoes as one step.
    const auto at = [&](int x) { return QPointF(x * cell + cell / 2.0, 5 * cell + cell / 2.0); };
    const auto send = [&](QEvent::Type type, int x, Qt::MouseButtons held) {
        QMouseEvent e(type, at(x), canvas->mapToGlobal(at(x)), Qt::LeftButton, held, {});
        QApplication::sendEvent(canvas, &e);
    };
    send(QEvent::MouseButtonPress, 20, Qt::LeftButton);
    for (int x = 19; x >= 10; --x)
        send(QEvent::MouseMove, x, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 10, Qt::NoButton);
    QCOMPARE(BlackIn(memo(w, "memHexLogo")), 18 * 14 + 3);
    w.find<QPushButton>("btnPictureUndo")->click();
    QCOMPARE(memo(w, "memHexLogo"), converted);

    // Typed content redraws the editor.
    w.find<QPlainTextEdit>("memHexLogo")->setPlainText("80" + QString(124, '0') + "01");
    QTest::mouseClick(w.find<QPushButton>("btnPictureInvert"), Qt::LeftButton);
    QCOMPARE(BlackIn(memo(w, "memHexLogo")), 72 * 14 - 2);

    // Exported as a 1-bit BMP that reads back, and as a PNG.
    const QString bmp = Q(m_files.path("shown"));
    const QString png = Q(m_files.path("shown.png"));
    w.prompter.files << Prompter::FileChoice{bmp, 2} << Prompter::FileChoice{png, 3};
    w.find<QAction>("mnuFSaveAs")->trigger();
    w.find<QAction>("mnuFSaveAs")->trigger();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    QVERIFY(w.prompter.filters.last().contains("PNG Pictures, as shown|*.PNG"));
    const auto back = ReadBitmapFile(bmp.toStdString() + ".BMP");
    QVERIFY(back.ok());
    QCOMPARE(Q(back->content), memo(w, "memHexLogo"));
    const QImage exported(png);
    QCOMPARE(exported.size(), QSize(72, 14));
    QCOMPARE(qGray(exported.pixel(0, 0)), 255);
    QCOMPARE(qGray(exported.pixel(1, 0)), 0);

    // A picture converted into the EMS text follows the slider in place,
    // leaving the text around it as typed.
    selectTab(w, 7);
    w.prompter.files << Prompter::FileChoice{photo, 1};
    w.find<QPushButton>("btnAddPict")->click();
    auto* ems = w.find<QPlainTextEdit>("memEMS");
    QVERIFY(ems->toPlainText().startsWith("[#PIC"));
    ems->setPlainText("Hi " + ems->toPlainText() + " there");
    const QString before = ems->toPlainText();
    slider->setValue(200);
    QVERIFY(ems->toPlainText() != before);
    QVERIFY(ems->toPlainText().startsWith("Hi [#PIC") && ems->toPlainText().endsWith("] there"));
    QCOMPARE(ems->toPlainText().size(), before.size());
}

void ContentTabsTest::pixelsNotInTheLoadedFileAreSavedAsShown_data() {
    QTest::addColumn<bool>("colour");
    QTest::newRow("colour BMP, converted") << true;
    QTest::newRow("1-bit BMP, changed by hand") << false;
}

// The second type offered is then the BMP of the memo, not a copy of the
// file behind the label.
void ContentTabsTest::pixelsNotInTheLoadedFileAreSavedAsShown() {
    QFETCH(bool, colour);
    const QString name = colour ? "shown-colour" : "shown-mono";
    const QString source = Q(m_files.path(name.toStdString() + ".bmp"));
    if (colour) {
        QImage photo(144, 28, QImage::Format_RGB32);
        photo.fill(qRgb(200, 40, 40));
        QVERIFY(photo.save(source, "BMP"));
    } else {
        m_files.write(name.toStdString() + ".bmp", MakeBmp({72, 14, Diagonals}));
    }
    Window w("/nonexistent/velmora-test-device");
    w.show();
    selectTab(w, 1);
    w.prompter.files << Prompter::FileChoice{source, 1};
    w.find<QPushButton>("bitBrowse")->click();
    if (!colour) {
        w.find<QAction>("mnuPictureEditor")->trigger();
        QTest::mouseClick(w.find<QWidget>("pictureCanvas"), Qt::LeftButton, {}, QPoint(2, 2));
    }
    const QString saved = Q(m_files.path(name.toStdString() + "-saved"));
    w.prompter.files << Prompter::FileChoice{saved, 2};
    w.find<QAction>("mnuFSaveAs")->trigger();
    QVERIFY2(w.prompter.warnings.isEmpty(), qPrintable(w.prompter.warnings.join('\n')));
    const auto back = ReadBitmapFile(saved.toStdString() + ".BMP");
    QVERIFY2(back.ok(), back.ok() ? "" : back.error().c_str());
    QCOMPARE(Q(back->content), memo(w, "memHexLogo"));
}

QTEST_MAIN(ContentTabsTest)
#include "ContentTabsTest.moc"
