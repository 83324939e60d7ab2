#pragma once

#include "ContentFile.h"
#include "GlobalU.h"
#include "MessageReader.h"
#include "MessageRequest.h"
#include "MessageService.h"
#include "PhoneLink.h"
#include "Preview.h"
#include "RunningProgram.h"
#include "Tab.h"
#include "WindowSetup.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QPushButton;
class QPlainTextEdit;
class QProgressBar;
class QThread;
class QTimer;

namespace Ui {
class TForm1;
}

namespace velmora {

namespace api {
class ApiHost;
}

class ContentTabs;
class DesktopNotifier;
class HistoryReader;
class InboxDialog;
class LinkIndicators;
class MessageStore;
class MessagesWindow;
class Outbox;
class OutboxRunner;
class OutboxWindow;
struct BatchRequest;
struct QueuedBatch;
struct QueueRefusal;
struct RecipientProblem;
class PduFieldsDialog;
class PhonebookEditor;
class RunningMessagesDialog;
class PhonebookPanel;
class PictureEditorDialog;
class LinkTransport;
class LogObserver;
class MessageCentre;
class MessageStore;
class Prompter;
class TAboutBox;
class TForm2;
class TextTab;
class TunePlayer;
class UssdDialog;

// The main window: destination, one tab per kind of message, the phone
// link's indicators and the menus. Handlers read their widgets, call one
// encoder or one PhoneLink request and show the result; the phone dialogue
// runs on the link's thread, so the window always answers.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(WindowSetup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    // The text the status bar shows now.
    QString statusText() const;
    const Settings& settings() const { return m_settings; }
    PhoneLink& link() { return *m_link; }
    // The message center and its store; the store is null when it could not
    // be opened (the send is then refused, saying why).
    MessageService& messages() { return *m_service; }
    MessageStore* messageStore() const { return m_store; }
    // Sending to many: the batches it queues and the window that shows them
    // (made at its first showing; null before).
    Outbox& outbox() { return *m_outbox; }
    OutboxWindow* outboxWindow() const { return m_outboxWindow.get(); }
    // Whether a batch is on its way to the store (QueueBatch records it
    // off the window's thread).
    bool recordingBatch() const { return m_recording; }
    // The program the window works through, when another one held the
    // modems at the start (velmorad); null when the window holds its own.
    RunningProgram* runningProgram() const { return m_running.get(); }
    // What the connection area says of that program; "" when there is none.
    QString frontEndText() const;
    // What the user was writing: kept when the window is made again to take
    // the modem.
    struct Draft {
        QString destination, text;
        int tab = 0;
    };
    Draft draft() const;
    void setDraft(const Draft& draft);

signals:
    // The user asked to take the modem after the program the window worked
    // through stopped: the window is to be made again, holding it itself.
    void takeModemRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // Start and end (TForm1.cpp)
    void FormActivate();
    void mnuFTransmitLogClick();
    void mnuFFailedLogClick();
    void mnuFBackUpStoreClick();
    void mnuFExitClick();
    void About1Click();
    void mnuMobileClick();

    // The phone link (TForm1Link.cpp)
    void mnuOpenPortClick();
    void mnuClosePortClick();
    void mnuFastDialogueClick(bool on);
    void mnuDeliveryReportClick(bool on);
    void SerialPortClick(int portNumber);
    void BaudrateClick(int baudRate);
    void mnuFindPhoneClick();
    void LinkStateChanged(PhoneLink::State state);
    void LinkStatus(const QString& text);
    void ReadProgress(int done, int total);
    void LinkMonitor(const QString& text);
    void LinkProblem(ProblemKind kind, const QString& text);
    void LampChanged(LedSignal lamp, bool on);
    void ShowLineSignals(bool cts, bool dsr, bool ring, bool rlsd);
    void SetSignalBar(int bars);
    void ShowSignalQuality(const QString& rssi, const QString& ber, int bars, int berBar);
    void IdentityRead(const QString& manufacturer, const QString& model, const QString& revision,
                      const QString& imsi, const QString& serviceCentre);

    // Messages (TForm1Send.cpp)
    void bitSendSMSClick();
    void Submitted(const PartOutcome& part);
    void SendFinished();
    void MessageChanged(qint64 id, msg::State state);
    void mnuSentMessagesClick();
    void mnuMessagesClick();

    // Sending to many (TForm1Outbox.cpp)
    void mnuOutboxClick();
    void mnuGroupsClick();
    void mnuMailMergeClick();
    void actMakeGroupClick();
    void OutboxBatchChanged(qint64 batch);
    // From the Messages window: the same request sent anew, or put into
    // the compose tabs.
    void Resend(qint64 id);
    void Forward(const velmora::MessageRecord& message);
    void PinRequested(int triesLeft);
    void memTextChange();
    void chkFlashClick();
    void chkLongClick();
    void btnClearClick();
    void btnClearEMSClick();
    void txtHPNoChange();
    void PageControl1Change(int index);
    void cboProviderClick(int index);
    void OperatorsRead(bool read, const QStringList& items);

    // Content tabs (TForm1Content.cpp)
    void bitBrowseClick();
    void bitBrowseGGClick();
    void bitBrowsePMClick();
    void bitBrowseRTClick();
    void btnAddPictClick();
    void mnuFOpenClick();
    void mnuFSaveAsClick();
    void cboAnimationChange(int index);
    void cboSoundChange(int index);
    void memRTTTLChange();
    void btnPlayClick();
    void btnStopClick();
    void TunePlaying(bool playing);
    void TuneFailed(const QString& why);
    void mnuPictureEditorClick();
    void PictureEdited();
    void PictureOptionsChanged();

    // The phone book (TForm1Phonebook.cpp)
    void bitPhonebookClick();
    void mnuPReadFromSIMClick();
    void mnuPShowContactClick();
    void mnuPHideContactClick();
    void lvContactDblClick();
    void Printer1Click();
    void TextFile1Click();
    void mnuExportVCardClick();
    void ContactFound(const QString& name, const QString& number, const QString& index);
    void PhonebookFinished(bool read, int count, bool stopped);

    // The inbox (TForm1Inbox.cpp)
    void mnuInboxClick();
    void InboxReadClick();
    void InboxDeleteClick(int row);
    void InboxChosen(int row);
    void InboxRead(bool read, const QList<velmora::StoredMessage>& messages, bool stopped,
                   const QStringList& problems);
    void StoredDeleted(bool ok, const QString& reason);
    void MessageArrived(const velmora::StoredMessage& m);

    // Working through another program (TForm1FrontEnd.cpp)
    void RunningStateChanged(qint64 id, const QString& state, const QString& reason, uint part);
    void RunningReceived(qint64 id, const QString& modem, const QString& number, const QString& text);
    void RunningVanished();
    void RunningReturned();
    void mnuTakeModemClick();

    // The PDU inspector (TForm1PduFields.cpp)
    void mnuPduInspectorClick();
    void mnuInspectPdusClick();
    void InspectorLoad(const velmora::ReadMessage& message);
    void memDebugMenu(const QPoint& at);

private:
    // QueueBatch's two halves: on the recorder's thread, then back here.
    void RecordBatch(BatchRequest request);
    // The thread batches are read and recorded on, with its own connection.
    HistoryReader& Recorder();
    void BatchRecorded(BatchRequest request, Result<QueuedBatch, QueueRefusal> queued);
    void WireSignals();
    void LoadSettingsAtStart();
    void ApplyWindowBounds();
    void CheckMenuItems();
    void SaveSettingsAtEnd();
    void DrawPictures();

    void ShowStatus(const QString& text);
    void ShowInbox();
    void ShowInspector();
    MessagesWindow& Messages();
    QStringList DialoguePdus() const;
    QString NameOf(const std::string& number) const;
    void DeleteNextPart();
    QString NotDeletable(const DeleteRefusal& refused) const;
    void SetConnectedUI(bool on);
    QString DeviceDescription(int portNumber) const;
    void ShowPortDevices();
    QList<QAction*> PortItems() const;
    void ChoosePort(int portNumber);

    MessageRequest ComposedMessage() const;
    // Whether the destination names several recipients, or a group or a
    // phone-book name, rather than one number.
    bool SendsToMany(const QStringList& words) const;
    void SendToMany(const QStringList& words);
    // Queues `request` after asking about what is left out, off the
    // window's thread; asks about a batch queued before and shows it once it
    // is recorded. False when nothing goes to be recorded.
    bool QueueBatch(BatchRequest request, const std::vector<RecipientProblem>& leftOut);
    OutboxWindow& OutboxView();
    // Asked on closing while batches have messages queued; false: stay open.
    bool LeaveBatches();
    QWidget* FieldWidget(RefusedField field) const;
    void Refuse(const QString& text, QWidget* focus);
    void ShowResultIndicators();
    // Communication > USSD... and its dialog (TForm1Ussd.cpp).
    void SetUpUssd();
    // Working through another program (TForm1FrontEnd.cpp): its store, read
    // only, the connection area's words, and the controls that need the
    // port itself turned off, saying why.
    void StartFrontEnd();
    void ShowFrontEnd();
    void SetFrontEndControls();
    void SendThroughRunning();
    // The program's messages through its list, when its store cannot be
    // read here; false when the store shows them.
    bool ShowRunningMessages();
    void ResendThroughRunning(qint64 id);
    // The inbox: the phone of the program's first modem, read by it.
    void ReadPhoneThroughRunning();
    // Holding the modem, the window answers on the bus; letting it go, it
    // gives the name up with it.
    void HoldName(bool hold);
    void QueuedThroughRunning(const QStringList& numbers, RunningProgram::Queued queued);

public:
    // Loads a file as dropping it on the window does.
    void DropFile(const QString& path);

private:
    std::unique_ptr<Ui::TForm1> m_ui;
    WindowSetup m_setup;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter* m_prompter;
    std::unique_ptr<TForm2> m_form2;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<PhoneLink> m_link;
    // The store, the logs and the link's channel; goes before the link.
    std::unique_ptr<MessageCentre> m_centre;
    // What the centre's one channel holds, by the names the handlers use.
    MessageStore* m_store = nullptr;
    LinkTransport* m_transport = nullptr;
    MessageService* m_service = nullptr;
    Outbox* m_outbox = nullptr;
    OutboxRunner* m_runner = nullptr; // drives m_outbox while the link is up
    std::unique_ptr<TunePlayer> m_tunes;
    std::unique_ptr<ContentTabs> m_content;
    std::unique_ptr<TextTab> m_text;
    std::unique_ptr<LinkIndicators> m_indicators;
    std::unique_ptr<PhonebookPanel> m_phonebook;
    PhonebookEditor* m_phonebookEditor = nullptr; // owned by the window
    std::unique_ptr<InboxDialog> m_inbox;
    std::unique_ptr<PduFieldsDialog> m_inspector;
    std::unique_ptr<PictureEditorDialog> m_pictureEditor;
    std::unique_ptr<DesktopNotifier> m_notifier;
    std::unique_ptr<MessagesWindow> m_messages;
    std::unique_ptr<OutboxWindow> m_outboxWindow;
    std::unique_ptr<HistoryReader> m_recorder; // records batches, through its own connection
    bool m_recording = false;                  // a batch is on its way to the store
    QProgressBar* m_outboxBar = nullptr;       // in the status bar while a batch runs
    qint64 m_outboxBatch = 0;                  // the batch it shows
    qint64 m_outboxChanged = 0;                // the batch that changed last, shown after a pause
    QTimer* m_outboxDelay = nullptr;
    std::unique_ptr<UssdDialog> m_ussd; // before the link and the store go
    // The program the window works through (null: it holds the modem), the
    // store that program records in, opened for reading, and what the
    // window last sent through it.
    std::unique_ptr<RunningProgram> m_running;
    std::unique_ptr<MessageStore> m_runningStore;
    bool m_runningGone = false;
    bool m_asking = false;              // a send is on its way to the program
    std::vector<qint64> m_sentThrough;  // the ids of the message last sent through it
    QStringList m_runningModems;        // as it last listed them
    QLabel* m_frontEnd = nullptr;       // in the connection area
    QPushButton* m_takeModem = nullptr; // beside it, once the program stopped
    QAction* m_takeModemItem = nullptr; // Communication > Take the Modem
    std::unique_ptr<RunningMessagesDialog> m_runningMessages;
    // The window's door for other programs while it holds the modem; goes
    // before the centre it is built over.
    std::unique_ptr<api::ApiHost> m_apiHost;

    Settings m_settings;
    QStringList m_settingsMessages;
    bool m_autoConnectDone = false;
    bool m_sending = false;
    int m_parts = 0;                       // of the message being sent
    qint64 m_lastMessage = 0;              // the message last handed to the service
    bool m_reportShown = false;            // the status bar tells of a delivery report
    std::vector<StoredMessage> m_stored;   // the phone's store as last read
    std::vector<StoredMessage> m_toDelete; // the parts of the message being deleted
    bool m_inboxRead = false;              // read at least once this run
    bool m_inboxStopped = false;           // the last read was stopped
    QStringList m_inboxUnread;             // what the last read could not read
    QStringList m_lastSent;                // the PDUs of the last message handed to the phone
};

} // namespace velmora
