// The window in the user's language: with an Indonesian desktop
// (LANG=id_ID.UTF-8) every menu and every dialog of the window is in
// Indonesian. The same window built with no catalog is the English it is
// compared with, so a text left untranslated is named here whatever its
// wording. Every word the window asks Qt's translation for is in one of
// the catalogs, under the context it is asked with.

#include "FindPhoneDialog.h"
#include "Inbox.h"
#include "InboxDialog.h"
#include "MessageRequest.h"
#include "MessageWords.h"
#include "Prompter.h"
#include "Terms.h"
#include "Translations.h"
#include "WindowFixture.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSet>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

using namespace velmora;
using namespace velmora::testing;

namespace {

// The menus' texts by the object names of their actions; unnamed ones (the
// ports and speeds the window lists) by their place.
QMap<QString, QString> MenuTexts(TForm1& form) {
    QMap<QString, QString> texts;
    const std::function<void(QMenu*, const QString&)> walk = [&](QMenu* menu, const QString& path) {
        texts.insert(path, menu->title());
        int i = 0;
        for (QAction* action : menu->actions()) {
            const QString key =
                path + "/" + (action->objectName().isEmpty() ? QString::number(i) : action->objectName());
            ++i;
            if (action->isSeparator())
                continue;
            if (action->menu())
                walk(action->menu(), key);
            else
                texts.insert(key, action->text());
        }
    };
    for (QAction* top : form.menuBar()->actions())
        if (top->menu())
            walk(top->menu(), top->menu()->objectName());
    return texts;
}

// Texts that read the same in both languages: names of things, numbers.
bool SameInBoth(const QString& text) {
    static const QRegularExpression kWords("[A-Za-z]{3,}");
    // Names, and words Indonesian writes as English does.
    static const QStringList kNames{"COM",     "SMS",   "PDU",     "EMS",   "RTTTL",
                                    "Velmora", "USSD",  "IMSI",    "RSSI",  "BER",
                                    "CTS",     "DSR",   "RLSD",    "MCC",   "Smart Messaging",
                                    "Tempo",   "Model", "Data",    "Flash", "Bitmap",
                                    "Dither",  "Email", "Unicode", "Port",  "vCard",
                                    "Ding",    "TaDa",  "Drum"};
    QString rest = text;
    rest.remove('&');
    for (const QString& name : kNames)
        rest.remove(name);
    return !kWords.match(rest).hasMatch();
}

// What a widget and those in it show or say to a screen reader, each by
// the widget's place: its object name, else its class and rank.
void CollectTexts(QWidget* widget, const QString& key, QMap<QString, QString>& texts) {
    const auto keep = [&](const QString& what, const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.insert(key + ":" + what, text);
    };
    if (widget->isWindow())
        keep("title", widget->windowTitle());
    keep("tip", widget->toolTip());
    keep("name", widget->accessibleName());
    keep("description", widget->accessibleDescription());
    if (auto* label = qobject_cast<QLabel*>(widget))
        keep("text", label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        keep("text", button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget))
        keep("text", group->title());
    if (auto* line = qobject_cast<QLineEdit*>(widget))
        keep("placeholder", line->placeholderText());
    if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
        keep("placeholder", plain->placeholderText());
        if (plain->isReadOnly())
            keep("text", plain->toPlainText());
    }
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        keep("special", spin->specialValueText());
        keep("suffix", spin->suffix());
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            keep(QString("tab%1").arg(i), tabs->tabText(i));
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && !combo->isEditable())
        for (int i = 0; i < combo->count(); ++i)
            keep(QString("item%1").arg(i), combo->itemText(i));
    if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model())
        for (int c = 0; c < view->model()->columnCount(); ++c)
            keep(QString("column%1").arg(c), view->model()->headerData(c, Qt::Horizontal).toString());
    QHash<QString, int> rank;
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        // Another window (a dialog of the main window's) counts on its own.
        if (!w || w->isWindow())
            continue;
        const QString name = w->objectName().startsWith("qt_") ? QString() : w->objectName();
        const QString cls = w->metaObject()->className();
        CollectTexts(w, key + "/" + (name.isEmpty() ? cls + "#" + QString::number(rank[cls]++) : name),
                     texts);
    }
}

QMap<QString, QString> WidgetTexts(QWidget* window) {
    QMap<QString, QString> texts;
    CollectTexts(window, window->objectName(), texts);
    return texts;
}

// The window's dialogs, each by the menu item that opens it (modal ones
// through the prompter), and the window itself.
struct Opened {
    const char* action; // "" for none (a dialog the window made, or the window)
    const char* dialog; // the object name of one beside the window; "" for a modal one
};
const Opened kDialogs[] = {
    {"", ""},
    {"About1", ""},
    {"", "TForm2"}, // its menu item waits for a phone
    {"mnuInbox", "InboxDialog"},
    {"mnuPduInspector", "PduFieldsDialog"},
    {"mnuPictureEditor", "PictureEditorDialog"},
    {"mnuMessages", "MessagesWindow"},
    {"mnuOutbox", "OutboxWindow"},
    {"mnuGroups", ""},
    {"mnuMailMerge", ""},
};

QMap<QString, QString> DialogTexts(const Opened& opened) {
    Window window("/nonexistent/velmora-test");
    if (!*opened.action && !*opened.dialog)
        return WidgetTexts(&window.form());
    QMap<QString, QString> texts;
    window.prompter.onDialog = [&](QDialog& dialog) { texts = WidgetTexts(&dialog); };
    if (*opened.action) {
        auto* action = window.find<QAction>(opened.action);
        if (!action)
            return {{"missing", opened.action}};
        action->trigger();
    }
    if (*opened.dialog) {
        auto* dialog = window.find<QDialog>(opened.dialog);
        if (!dialog)
            return {{"missing", opened.dialog}};
        texts = WidgetTexts(dialog);
    }
    return texts;
}

QMap<QString, QString> FindPhoneTexts() {
    // The window's own port alone: the dialog asks no device.
    FindPhoneDialog dialog({{1, "/nonexistent/velmora-test"}}, ProbeOptions{}, 1);
    return WidgetTexts(&dialog);
}

// The English texts that came out the same in Indonesian.
QStringList Untranslated(const QMap<QString, QString>& source, const QMap<QString, QString>& translated) {
    QStringList untranslated;
    for (auto it = source.begin(); it != source.end(); ++it)
        if (!SameInBoth(it.value()) && translated.value(it.key()) == it.value())
            untranslated << it.key() + " \"" + it.value() + "\"";
    return untranslated;
}

void RemoveTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
}

// Every lookup of a text, as asked: a catalog that answers nothing and
// is asked first, so the real ones still answer.
class LookupRecorder : public QTranslator {
public:
    struct Lookup {
        QString context, source, disambiguation;
        int n;
        bool operator==(const Lookup&) const = default;
    };
    mutable QList<Lookup> lookups;
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override {
        if (source && *source) {
            const Lookup l{context, source, disambiguation, n};
            if (!lookups.contains(l))
                lookups << l;
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

// The prompter's own boxes and file dialogs, each closed as soon as it is
// up: they are Qt's, with Qt's words.
void OpenPrompterDialogs() {
    Prompter prompter;
    const auto closeNext = [] {
        QTimer::singleShot(0, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    };
    closeNext();
    prompter.Warning(nullptr, "w");
    closeNext();
    prompter.Ask(nullptr, "q");
    closeNext();
    prompter.AskYesNoCancel(nullptr, "q");
    closeNext();
    prompter.AskText(nullptr, "t", "l");
    closeNext();
    prompter.AskSecret(nullptr, "t", "l");
    const FileFilter filter{{{"Contacts (CSV)", {"*.csv"}}, {"All files", {"*"}}}, 1};
    closeNext();
    prompter.OpenFile(nullptr, filter);
    closeNext();
    prompter.SaveFile(nullptr, filter);
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void theSystemsLanguageIsFollowed();
    void everyMenuOfTheWindowIsInIndonesian();
    void everyDialogOfTheWindowIsInIndonesian_data();
    void everyDialogOfTheWindowIsInIndonesian();
    void theFindPhoneDialogIsInIndonesian();
    void everyTextAskedForIsInACatalog();
    void thePduInspectorSaysWhatEachFieldMeans();
    void monthsAreNamedInIndonesian();
    void whatAMessageIsIsSaidInIndonesian();
    void init() { InstallTranslations(kWindowCatalogs, VELMORA_QM_DIR); }
    void cleanup() { RemoveTranslators(); }
};

QMap<QString, QString> InspectorTexts();

void LanguageTest::theSystemsLanguageIsFollowed() {
    QCOMPARE(QLocale::system().name(), QString("id_ID"));
    QVERIFY(!qApp->findChildren<QTranslator*>().isEmpty());
}

void LanguageTest::everyMenuOfTheWindowIsInIndonesian() {
    Window indonesian("/nonexistent/velmora-test");
    const auto translated = MenuTexts(indonesian.form());
    RemoveTranslators();
    Window english("/nonexistent/velmora-test");
    const auto source = MenuTexts(english.form());

    QCOMPARE(translated.keys(), source.keys());
    QVERIFY(source.size() > 30);
    QCOMPARE(source.value("mnuFile"), QString("&File"));
    QStringList untranslated;
    for (auto it = source.begin(); it != source.end(); ++it)
        if (!SameInBoth(it.value()) && translated.value(it.key()) == it.value())
            untranslated << it.key() + " \"" + it.value() + "\"";
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(", ")));
}

void LanguageTest::everyDialogOfTheWindowIsInIndonesian_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < static_cast<int>(std::size(kDialogs)); ++i)
        QTest::newRow(*kDialogs[i].action   ? kDialogs[i].action
                      : *kDialogs[i].dialog ? kDialogs[i].dialog
                                            : "window")
            << i;
}

void LanguageTest::everyDialogOfTheWindowIsInIndonesian() {
    QFETCH(int, row);
    const Opened& opened = kDialogs[row];
    const auto translated = DialogTexts(opened);
    RemoveTranslators();
    const auto source = DialogTexts(opened);

    QVERIFY2(!source.contains("missing"), qPrintable(source.value("missing")));
    QVERIFY2(source.size() > 3, qPrintable(QStringList(source.keys()).join(", ")));
    QCOMPARE(translated.keys(), source.keys());
    const QStringList untranslated = Untranslated(source, translated);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(", ")));
}

void LanguageTest::theFindPhoneDialogIsInIndonesian() {
    const auto translated = FindPhoneTexts();
    RemoveTranslators();
    const auto source = FindPhoneTexts();
    QCOMPARE(source.value("FindPhoneDialog/lblFindStatus:text"),
             QString("This window is connected on COM1. No other phone answered."));
    QCOMPARE(translated.keys(), source.keys());
    const QStringList untranslated = Untranslated(source, translated);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(", ")));
}

// A text asked for under a context no catalog has (a class without
// Q_OBJECT asks as "QObject"), or one of Qt's that qt_id.ts lacks, stays
// English whatever the catalogs hold.
void LanguageTest::everyTextAskedForIsInACatalog() {
    LookupRecorder recorder;
    QCoreApplication::installTranslator(&recorder);
    for (const Opened& opened : kDialogs)
        DialogTexts(opened);
    FindPhoneTexts();
    OpenPrompterDialogs();
    QCoreApplication::removeTranslator(&recorder);
    QVERIFY(recorder.lookups.size() > 100);

    std::vector<std::unique_ptr<QTranslator>> catalogs;
    for (const QString& name : kWindowCatalogs) {
        catalogs.push_back(std::make_unique<QTranslator>());
        QVERIFY2(catalogs.back()->load(name + "_id", VELMORA_QM_DIR), qPrintable(name));
    }
    QStringList missing;
    for (const auto& l : recorder.lookups) {
        const QByteArray context = l.context.toUtf8(), source = l.source.toUtf8(),
                         disambiguation = l.disambiguation.toUtf8();
        const bool found = std::any_of(catalogs.begin(), catalogs.end(), [&](const auto& c) {
            return !c->translate(context, source,
                                 disambiguation.isEmpty() ? nullptr : disambiguation.constData(), l.n)
                        .isEmpty();
        });
        if (!found)
            missing << l.context + ": \"" + l.source + "\"" +
                           (l.disambiguation.isEmpty() ? QString() : " (" + l.disambiguation + ")");
    }
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join("\n")));
}

// The conversations' day within the year: "7 Des", not "7 Dec".
void LanguageTest::thePduInspectorSaysWhatEachFieldMeans() {
    const auto translated = InspectorTexts();
    RemoveTranslators();
    const auto source = InspectorTexts();
    QVERIFY2(!source.contains("missing"), "no PduFieldsDialog");
    QVERIFY2(source.size() > 60, qPrintable(QString::number(source.size())));
    QCOMPARE(translated.keys(), source.keys());
    const QStringList untranslated = Untranslated(source, translated);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(", ")));
}

// A logo or a compressed text the phone keeps, and one the Messages window
// shows from the store: made in Indonesian, never kept in English.
void LanguageTest::whatAMessageIsIsSaidInIndonesian() {
    MessageRequest logo;
    logo.kind = MessageKind::Logo;
    logo.destination = "628569999999";
    logo.content = std::string(126, 'F') + std::string(126, '0');
    logo.mcc = "510";
    logo.nc = "10";
    const auto entries = JoinInbox({{"SM", 1, 1, BuildMessage(logo)->pdus[0]},
                                    {"SM", 2, 1,
                                     "07912618485400F9040C9126589699999900286221801290000006"
                                     "0A1B2C3D4E5F"}});
    QCOMPARE(entries.size(), std::size_t(2));
    // The dated one first, as the inbox lists them.
    QCOMPARE(InboxRowText(entries[0]), QString("Teks terkompresi: 0A1B2C3D4E5F"));
    QCOMPARE(InboxRowText(entries[1]), QString("Logo operator untuk 510 10"));
    MessageRecord kept;
    kept.kind = "logo";
    kept.content = QJsonObject{{"mcc", "510"}, {"nc", "10"}};
    QCOMPARE(terms::MessageText(kept), QString("Logo operator untuk 510 10"));
}

void LanguageTest::monthsAreNamedInIndonesian() {
    const QDateTime now(QDate(2026, 12, 8), QTime(21, 0));
    QCOMPARE(ShortTime(QDateTime(QDate(2026, 12, 7), QTime(23, 59)).toUTC(), now), QString("7 Des"));
    QCOMPARE(ShortTime(QDateTime(QDate(2026, 8, 17), QTime(10, 0)).toUTC(), now), QString("17 Agu"));
}

// The inspector's rows and what it reads, for a few PDUs pasted in: a
// submit with a header on a logo's port, a flash text, an EMS text with a
// waiting indication, a delivery report, one cut short.
QMap<QString, QString> InspectorTexts() {
    Window window("/nonexistent/velmora-test");
    window.find<QAction>("mnuPduInspector")->trigger();
    auto* dialog = window.find<QDialog>("PduFieldsDialog");
    if (!dialog)
        return {{"missing", "PduFieldsDialog"}};
    dialog->findChild<QPlainTextEdit*>("memInspectorPdus")
        ->setPlainText("0041000C9126589699999900040D0B0003A5020105041582000000\n"
                       "0031000C912658969999990038AA0400480069\n"
                       "0041000C9126589699999900DA0D090A030005100B0200021004\n"
                       "079121DC3E547698064B0C9126589699999962218012000082622180120000820000FF\n"
                       "0791261895000000040C9126589699999900006221801200008210C832\n");
    // Names of the standard, the same in every language: SMS-SUBMIT, UDHL, GSM 7-bit.
    static const QRegularExpression kStandard("^[A-Z0-9-]+( 7-bit)?$");
    QMap<QString, QString> texts;
    const auto insert = [&](const QString& key, const QString& text) {
        if (!kStandard.match(text).hasMatch())
            texts.insert(key, text);
    };
    auto* pdus = dialog->findChild<QComboBox*>("cboInspectorPdu");
    auto* fields = dialog->findChild<QTreeWidget*>("lvPduFields");
    for (int p = 0; p < pdus->count(); ++p) {
        pdus->setCurrentIndex(p);
        texts.insert(QString("pdu %1").arg(p), pdus->currentText());
        for (int row = 0; row < fields->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = fields->topLevelItem(row);
            // The PDU's own address is no words.
            insert(QString("pdu %1 row %2 name").arg(p).arg(row), item->text(0));
            if (!item->text(3).startsWith('+'))
                insert(QString("pdu %1 row %2 meaning").arg(p).arg(row), item->text(3));
        }
    }
    auto* messages = dialog->findChild<QComboBox*>("cboInspectorMessage");
    for (int m = 0; m < messages->count(); ++m) {
        messages->setCurrentIndex(m);
        texts.insert(
            QString("message %1").arg(m),
            dialog->findChild<QPlainTextEdit*>("memInspectorContent")->toPlainText().section('\n', 0, 0));
    }
    return texts;
}

int main(int argc, char** argv) {
    // The desktop's language, as a user's session sets it.
    qputenv("LANG", "id_ID.UTF-8");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
