#pragma once

#include "Inbox.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QTreeWidget;

namespace velmora {

// Where the phone keeps a message's parts, in words: "SIM, places 2 and 3",
// "phone, place 5", "SIM, place 1; phone, place 4".
QString StoredPlaces(const std::vector<StoredMessage>& parts);
// What a message read from its PDUs is, a line each: its kind, how many of
// its parts came, whether it was cut short, a report's outcome, a tune's
// RTTTL.
QStringList ContentLines(const ReadMessage& message);
// Who sent it (for a sent one: to whom): "Budi (+628569999999)" with the
// phone book's name, else the number alone; "?" when it could not be read.
QString InboxSender(const InboxEntry& entry, const QString& name);
// What a row says of a message: the start of its text (`length`
// characters at most), or what it is (a logo, a tune, a waiting
// indication) in the user's language.
QString InboxRowText(const InboxEntry& entry, std::size_t length = 40);

// The messages the phone keeps, as the last read found them: a row each
// (time, sender, the start of the text or what it is), the chosen one in
// full below. Shown beside the window without blocking it; reading and
// deleting are the window's, through the link.
class InboxDialog : public QDialog {
    Q_OBJECT
public:
    // The phone book's name for a number, or "".
    using NameLookup = std::function<QString(const std::string& number)>;

    explicit InboxDialog(QWidget* parent = nullptr);

    void setEntries(std::vector<InboxEntry> entries, const NameLookup& names);
    const std::vector<InboxEntry>& entries() const { return m_entries; }
    // While a read runs: its progress shows, and nothing can be deleted.
    void setReading(bool reading);
    void setProgress(int done, int total);
    // Whether the phone is there to read from and delete on.
    void setPhoneReady(bool ready);
    // Read through another program, the phone's messages cannot be deleted
    // from here: Delete stays off, saying `why` ("" lets it be).
    void setNotDeletable(const QString& why);
    void setStatus(const QString& text);
    QString statusText() const;

    int rows() const;
    QString rowText(int row, int column) const;
    // The row chosen, -1 for none.
    int chosenRow() const;
    void choose(int row);
    QString detailText() const;
    // Who sent the message of a row, as InboxSender says it.
    QString sender(int row) const;

signals:
    void readRequested();
    void deleteRequested(int row);
    void messageChosen(int row);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void showChosen();
    void updateButtons();
    void fitStatus();

    QTreeWidget* m_list;
    QPlainTextEdit* m_detail;
    QProgressBar* m_progress;
    QLabel* m_status;
    QScrollArea* m_statusArea;
    QPushButton* m_read;
    QPushButton* m_delete;
    std::vector<InboxEntry> m_entries;
    std::vector<QString> m_names; // per entry, "" when the phone book has none
    bool m_reading = false;
    bool m_ready = false;
    bool m_deletable = true;
};

} // namespace velmora
