// The window in the user's language: with an Indonesian desktop
// (LANG=id_ID.UTF-8) every menu of the window is in Indonesian. The same
// window built with no catalog is the English it is compared with, so a
// menu item left untranslated is named here whatever its wording.

#include "Translations.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>

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
    static const QStringList kNames{"COM", "SMS", "PDU", "EMS", "RTTTL", "Velmora", "USSD"};
    QString rest = text;
    rest.remove('&');
    for (const QString& name : kNames)
        rest.remove(name);
    return !kWords.match(rest).hasMatch();
}

} // namespace

class LanguageTest : public QObject {
    Q_OBJECT
private slots:
    void theSystemsLanguageIsFollowed();
    void everyMenuOfTheWindowIsInIndonesian();
};

void LanguageTest::theSystemsLanguageIsFollowed() {
    QCOMPARE(QLocale::system().name(), QString("id_ID"));
    QVERIFY(!qApp->findChildren<QTranslator*>().isEmpty());
}

void LanguageTest::everyMenuOfTheWindowIsInIndonesian() {
    Window indonesian("/nonexistent/velmora-test");
    const auto translated = MenuTexts(indonesian.form());
    for (QTranslator* t : qApp->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(t);
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

int main(int argc, char** argv) {
    // The desktop's language, as a user's session sets it.
    qputenv("LANG", "id_ID.UTF-8");
    qunsetenv("LC_ALL");
    qunsetenv("LC_MESSAGES");
    qunsetenv("LANGUAGE");
    QApplication app(argc, argv);
    InstallTranslations(kWindowCatalogs, VELMORA_QM_DIR);
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LanguageTest.moc"
