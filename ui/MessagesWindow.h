#pragma once

#include "MessageStore.h"

#include <QDialog>
#include <QPointer>

#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QTableView;
class QTreeView;

namespace velmora {

class ConversationModel;
class HistoryReader;
class MessageListModel;
class Prompter;

// Every message sent and received, as the store keeps them: the
// conversations on the left, newest first; the chosen one's messages on the
// right, oldest at the top and scrolled to the newest, with their state in
// words; the chosen message in full below, a picture drawn as the phone
// shows it. A search filters both as the user types. Shown beside the
// window without blocking it; it reads the store on a thread of its own.
class MessagesWindow : public QDialog {
    Q_OBJECT
public:
    // `store` may be null: the window says the history is not open.
    MessagesWindow(MessageStore* store, Prompter& prompter, QWidget* parent = nullptr);
    ~MessagesWindow() override;

    void setStore(MessageStore* store);
    MessageStore* store() const { return m_store; }

    // Opens on every message, or on every message sent, to any number.
    void showAll();
    void showSent();

    ConversationModel* conversations() const { return m_conversations; }
    MessageListModel* messages() const { return m_messages; }
    // The conversation chosen: its key as ConversationModel gives it.
    QString chosenConversation() const { return m_key; }
    bool chooseConversation(const QString& key);
    // The message chosen, when its row has been read.
    const MessageRecord* chosenMessage() const;
    void chooseMessage(int row);
    QString detailText() const;
    QString statusText() const;
    // Whether the chosen message is drawn as a picture.
    bool showsPicture() const;

public slots:
    // A message was recorded or changed its state: its row follows, the
    // choice and the scroll stay.
    void messageChanged(qint64 id);

signals:
    // The user asked to send a failed or uncertain message again.
    void resendRequested(qint64 id);
    // The user asked to put a message into the compose tabs.
    void forwardRequested(const velmora::MessageRecord& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void makeModels();
    void conversationChosen();
    void listMessages();
    void searchNow();
    void conversationsAnswered(bool sameRows);
    void messagesCounted();
    void showChosen();
    void updateButtons();
    void updateStatus();
    void resendClick();
    void forwardClick();
    void copyClick();
    void deleteClick();

    MessageStore* m_store;
    Prompter& m_prompter;
    std::unique_ptr<HistoryReader> m_reader; // ends before the models it answers
    ConversationModel* m_conversations = nullptr;
    MessageListModel* m_messages = nullptr;

    QLineEdit* m_search;
    QTreeView* m_conversationList;
    QLabel* m_title;
    QTableView* m_messageList;
    QLabel* m_picture;
    QPlainTextEdit* m_detail;
    QLabel* m_status;
    QPushButton* m_resend;
    QPushButton* m_forward;
    QPushButton* m_copy;
    QPushButton* m_delete;
    QTimer* m_searchDelay;
    QTimer* m_conversationDelay;

    QString m_key;                    // the conversation listed
    std::optional<qint64> m_chosenId; // kept across a list made anew
    QString m_problem;                // why the history cannot be read
    bool m_atBottom = true;           // the newest row was in sight
    bool m_tooShort = false;          // what is typed is too short to search by
};

} // namespace velmora
