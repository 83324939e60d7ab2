#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

class QPrinter;
class QWidget;

namespace Ui {
class TForm1;
}

namespace velmora {

class ContactCompleter;
class PhoneLink;
class Prompter;

// The phone book in the left panel: the SIM's entries as the link reads
// them, listed as they come over what the list covers; a chosen number made
// the destination; the printout and the text export of the link's copy.
class PhonebookPanel {
    Q_DECLARE_TR_FUNCTIONS(PhonebookPanel)

public:
    PhonebookPanel(Ui::TForm1& ui, QWidget& window, Prompter& prompter, PhoneLink& link, QString exportFile);

    // The list's columns and looks, and the destination's completion from
    // the entries read, once at start.
    void shapeList();
    void show(bool show);
    // A read takes up to a minute and a half; asking again meanwhile would
    // only queue a second read behind it.
    void request(bool readAgain);
    // The link really reads: the list empties for what comes.
    void readStarted();
    void entryFound(const QString& name, const QString& number, const QString& index);
    void readFinished();
    void choose();
    void setImsi(const QString& imsi) { m_imsi = imsi; }
    void print();
    void exportText();
    // The phone book read, as vCard cards in a file the user chooses; the
    // status text, "" when nothing was written.
    QString exportVCard();

private:
    bool printPages(QPrinter& printer);
    void fitColumns(bool show);

    Ui::TForm1& m_ui;
    QWidget& m_window;
    Prompter& m_prompter;
    PhoneLink& m_link;
    QString m_exportFile;
    bool m_pending = false;                  // a read asked for has not finished yet
    QString m_imsi;                          // the SIM's, for the printout's header
    ContactCompleter* m_completer = nullptr; // owned by the destination edit
    QList<int> m_panelSizes;                 // the splitter's before the list widened it
};

} // namespace velmora
