// Every dialog of the window opens inside the screen: the placement itself
// from a table, then the real dialogs on a 1024 x 768 screen.

#include "DialogPlacement.h"
#include "FindPhoneDialog.h"
#include "InboxDialog.h"
#include "PduFieldsDialog.h"
#include "PictureEditorDialog.h"
#include "TAboutBox.h"
#include "TForm2.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace velmora;
using namespace velmora::testing;

Q_DECLARE_METATYPE(std::vector<velmora::Side>)

namespace {

const QRect kSmall(0, 0, 1024, 768);
const QRect kWide(0, 0, 1920, 1080);

QRect Available() { return QGuiApplication::primaryScreen()->availableGeometry(); }

} // namespace

class DialogPlacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void placesBesideWhereItFitsElseOver_data();
    void placesBesideWhereItFitsElseOver();
    void theWindowsDialogsOpenInsideTheScreen_data();
    void theWindowsDialogsOpenInsideTheScreen();
    void aDialogOpensBesideTheWindowWhereItFits();
    void modalDialogsAndMessageBoxesStayOnTheScreen();
    void theSmallDialogsShowTheirTextsWhole();
    void theInboxStaysOnTheScreenWhateverItsStatusSays();
};

void DialogPlacementTest::initTestCase() { QCOMPARE(Available(), kSmall); }

void DialogPlacementTest::placesBesideWhereItFitsElseOver_data() {
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QSize>("dialog");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<std::vector<Side>>("sides");
    QTest::addColumn<QRect>("placed");
    const std::vector<Side> rightLeft{Side::Right, Side::Left};
    const std::vector<Side> leftRight{Side::Left, Side::Right};
    const QRect window(0, 0, 511, 400);
    QTest::newRow("beside on the right")
        << window << QSize(624, 464) << kWide << rightLeft << QRect(511, 0, 624, 464);
    QTest::newRow("no room on the right: on the left")
        << QRect(1300, 0, 511, 400) << QSize(624, 464) << kWide << rightLeft << QRect(676, 0, 624, 464);
    QTest::newRow("1024 wide: over the window, against the screen's right edge")
        << window << QSize(624, 464) << kSmall << rightLeft << QRect(400, 0, 624, 464);
    QTest::newRow("taller than the screen: shrunk, over the window at its left edge")
        << window << QSize(724, 800) << kSmall << leftRight << QRect(0, 0, 724, 768);
    QTest::newRow("wider and taller than the screen")
        << window << QSize(2000, 900) << kSmall << rightLeft << kSmall;
    QTest::newRow("beside, slid up to keep its bottom on the screen")
        << QRect(0, 500, 511, 400) << QSize(624, 684) << kWide << rightLeft << QRect(511, 396, 624, 684);
    QTest::newRow("below when there is room")
        << QRect(0, 100, 511, 400) << QSize(400, 300) << kWide << std::vector<Side>{Side::Below, Side::Above}
        << QRect(0, 500, 400, 300);
    QTest::newRow("above when below there is none")
        << QRect(0, 600, 511, 400) << QSize(400, 300) << kWide << std::vector<Side>{Side::Below, Side::Above}
        << QRect(0, 300, 400, 300);
    QTest::newRow("no side: centred over the window")
        << QRect(100, 100, 507, 396) << QSize(300, 200) << kSmall << std::vector<Side>{}
        << QRect(204, 198, 300, 200);
    QTest::newRow("centred over a window at the corner: kept on the screen")
        << QRect(800, 600, 507, 396) << QSize(300, 200) << kSmall << std::vector<Side>{}
        << QRect(724, 568, 300, 200);
    QTest::newRow("a panel above the available area")
        << window << QSize(624, 464) << QRect(0, 32, 1024, 736) << rightLeft << QRect(400, 32, 624, 464);
    QTest::newRow("a screen left of the primary one")
        << QRect(-600, 100, 511, 400) << QSize(624, 464) << QRect(-1280, 0, 1280, 1024) << rightLeft
        << QRect(-1224, 100, 624, 464);
}

void DialogPlacementTest::placesBesideWhereItFitsElseOver() {
    QFETCH(QRect, window);
    QFETCH(QSize, dialog);
    QFETCH(QRect, available);
    QFETCH(std::vector<Side>, sides);
    QFETCH(QRect, placed);
    QCOMPARE(PlaceDialog(window, dialog, available, sides), placed);
}

void DialogPlacementTest::theWindowsDialogsOpenInsideTheScreen_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("dialog");
    QTest::newRow("Inbox") << "mnuInbox"
                           << "InboxDialog";
    QTest::newRow("PDU Inspector") << "mnuPduInspector"
                                   << "PduFieldsDialog";
    QTest::newRow("Messages") << "mnuMessages"
                              << "MessagesWindow";
    QTest::newRow("Sent Messages") << "mnuSentMessages"
                                   << "MessagesWindow";
    QTest::newRow("Picture Editor") << "mnuPictureEditor"
                                    << "PictureEditorDialog";
    QTest::newRow("Outbox") << "mnuOutbox"
                            << "OutboxWindow";
}

// The window as it first opens, at the screen's top left: the dialogs that
// go beside it found no room there on a 1024 x 768 screen and were cut off.
void DialogPlacementTest::theWindowsDialogsOpenInsideTheScreen() {
    QFETCH(QString, action);
    QFETCH(QString, dialog);
    Window w("/nonexistent/velmora-test-device");
    w.show();
    w.find<QAction>(action.toLatin1())->trigger();
    auto* shown = w.form().findChild<QDialog*>(dialog);
    QVERIFY(shown);
    QTRY_VERIFY(shown->isVisible());
    const QRect frame = shown->frameGeometry();
    QVERIFY2(
        Available().contains(frame),
        qPrintable(
            QString("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    // Its buttons too, the Close button at the bottom among them.
    for (const QAbstractButton* child : shown->findChildren<QAbstractButton*>())
        if (child->isVisible())
            QVERIFY2(Available().contains(QRect(child->mapToGlobal(QPoint(0, 0)), child->size())),
                     qPrintable(child->objectName() + " " + child->text()));
}

void DialogPlacementTest::aDialogOpensBesideTheWindowWhereItFits() {
    Window w("/nonexistent/velmora-test-device", "[Form]\nZLeft=10\nZTop=0\n");
    w.show();
    w.find<QAction>("mnuPictureEditor")->trigger();
    auto* editor = w.form().findChild<PictureEditorDialog*>("PictureEditorDialog");
    QTRY_VERIFY(editor->isVisible());
    const QRect window = w.form().frameGeometry();
    QCOMPARE(editor->frameGeometry().topLeft(), QPoint(10, window.bottom() + 1));
    // Moved by the user and shown again, it comes back beside the window.
    editor->hide();
    editor->move(900, 700);
    w.find<QAction>("mnuPictureEditor")->trigger();
    QTRY_VERIFY(editor->isVisible());
    QCOMPARE(editor->frameGeometry().topLeft(), QPoint(10, window.bottom() + 1));
}

// Near the screen's bottom right corner, a dialog centred on the window
// would reach past the screen.
void DialogPlacementTest::modalDialogsAndMessageBoxesStayOnTheScreen() {
    Window w("/nonexistent/velmora-test-device", "[Form]\nZLeft=700\nZTop=560\n");
    w.show();
    QStringList outside;
    const auto check = [&](QWidget& d) {
        if (!Available().contains(d.frameGeometry()))
            outside << d.objectName() + d.windowTitle();
    };
    w.prompter.onDialog = check;
    w.find<QAction>("About1")->trigger();
    w.find<QAction>("mnuFindPhone")->trigger();
    w.find<QAction>("mnuGroups")->trigger();
    auto* form2 = w.form().findChild<TForm2*>();
    QVERIFY(form2);
    w.prompter.Exec(*form2);

    // A real message box, through the wrapper the tests otherwise answer.
    Prompter real;
    int boxes = 0;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            check(*box);
            box->reject();
        }
    });
    real.Warning(&w.form(), QString("A long refusal that makes the box wide. ").repeated(4));
    QCOMPARE(boxes, 1);
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
}

// A fixed size that does not hold the texts in the fonts of the system cuts
// them: the About box showed "Velmor" beside its version.
void DialogPlacementTest::theSmallDialogsShowTheirTextsWhole() {
    Window w("/nonexistent/velmora-test-device");
    w.show();
    QStringList cut;
    int dialogs = 0;
    w.prompter.onDialog = [&](QWidget& d) {
        ++dialogs;
        for (const QLabel* label : d.findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap() &&
                label->width() < label->sizeHint().width())
                cut << QString("%1 %2: %3 of %4 px")
                           .arg(d.objectName(), label->text())
                           .arg(label->width())
                           .arg(label->sizeHint().width());
    };
    w.find<QAction>("About1")->trigger();
    auto* form2 = w.form().findChild<TForm2*>();
    QVERIFY(form2);
    w.prompter.Exec(*form2);
    QCOMPARE(dialogs, 2);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
}

// Each message the phone could not give is named in the Inbox's status: a
// phone that garbles many of them made that one line wider than the screen,
// and the dialog with it, its Close button past the screen's edge.
void DialogPlacementTest::theInboxStaysOnTheScreenWhateverItsStatusSays() {
    Window w("/nonexistent/velmora-test-device");
    w.show();
    w.find<QAction>("mnuInbox")->trigger();
    auto* inbox = w.form().findChild<InboxDialog*>("InboxDialog");
    QVERIFY(inbox);
    QTRY_VERIFY(inbox->isVisible());
    const auto* label = inbox->findChild<QLabel*>("lblInboxStatus");
    QVERIFY(label);
    for (const int problems : {3, 300}) {
        QString status = "2 messages on the phone.";
        for (int i = 1; i <= problems; ++i)
            status += QString(" SM:%1 could not be read (its PDU is not hex).").arg(i);
        inbox->setStatus(status);
        QTest::qWait(50);
        const QRect frame = inbox->frameGeometry();
        QVERIFY2(Available().contains(frame), qPrintable(QString("%1 problems: %2,%3 %4x%5")
                                                             .arg(problems)
                                                             .arg(frame.x())
                                                             .arg(frame.y())
                                                             .arg(frame.width())
                                                             .arg(frame.height())));
        for (const QAbstractButton* b : inbox->findChildren<QAbstractButton*>())
            if (b->isVisible())
                QVERIFY2(Available().contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())),
                         qPrintable(b->text()));
        // Every line of it is there to be read, scrolled to where it is long.
        QCOMPARE(label->text(), status);
        QVERIFY(label->height() >= label->heightForWidth(label->width()));
    }
}

// A 1024 x 768 screen, the smallest the window is made for, on the
// offscreen platform.
int main(int argc, char** argv) {
    QTemporaryDir dir;
    QFile config(dir.filePath("screen.json"));
    if (!config.open(QIODevice::WriteOnly) ||
        config.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024, "height": 768,
                         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") < 0)
        return 1;
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    QApplication app(argc, argv);
    DialogPlacementTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "DialogPlacementTest.moc"
