#include "TForm1.h"

#include "Translations.h"

#include "ApiHost.h"
#include "ContentFile.h"
#include "ContentTabs.h"
#include "CountryCode.h"
#include "DesktopNotifier.h"
#include "HistoryReader.h"
#include "InboxDialog.h"
#include "LinkIndicators.h"
#include "LogObserver.h"
#include "MessageCentre.h"
#include "MessageStore.h"
#include "MessagesWindow.h"
#include "Outbox.h"
#include "OutboxWindow.h"
#include "PduFieldsDialog.h"
#include "PhonebookEditor.h"
#include "PhonebookPanel.h"
#include "PictureEditorDialog.h"
#include "Pictures.h"
#include "Prompter.h"
#include "QtText.h"
#include "RunningMessagesDialog.h"
#include "TAboutBox.h"
#include "TForm2.h"
#include "Terms.h"
#include "TextTab.h"
#include "Transports.h"
#include "TuneOutput.h"
#include "TunePlayer.h"
#include "UssdDialog.h"
#include "ui_TForm1.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QScreen>
#include <QStatusTipEvent>
#include <QThread>
#include <QTimer>

namespace velmora {

namespace {

// How often the status bar's progress of a batch is read again at most.
const int kOutboxBarMs = 250;

} // namespace

TForm1::TForm1(WindowSetup setup, QWidget* parent)
    : QMainWindow(parent), m_ui(std::make_unique<Ui::TForm1>()), m_setup(std::move(setup)) {
    m_ui->setupUi(this);
    m_indicators = std::make_unique<LinkIndicators>(*m_ui, nullptr);
    if (!m_setup.prompter)
        m_ownPrompter = std::make_unique<Prompter>();
    m_prompter = m_setup.prompter ? m_setup.prompter : m_ownPrompter.get();

    LoadSettingsAtStart();
    // Another program holding the modems (velmorad) keeps them: the window
    // works through it and never opens the port or writes the store itself.
    if (m_setup.findRunning)
        m_running = m_setup.findRunning();
    m_link = m_setup.makeLink(m_settings);
    CentreSetup centre;
    centre.paths = m_setup.paths;
    centre.storePath = Q(ChooseMessageStore(m_setup.paths, SettingsStore(m_settings)));
    centre.keepDays = m_settings.KeepDays;
    m_centre = std::make_unique<MessageCentre>(std::move(centre));
    // Opening the store marks what was left sending uncertain: never while
    // another program is sending through it.
    if (!m_running)
        m_centre->open();
    ModemChannel& channel = m_centre->addLink(*m_link);
    // The outbox runs while the link is up.
    channel.followLink(true);
    m_store = m_centre->store();
    m_transport = channel.linkTransport();
    m_service = &channel.service();
    m_outbox = &channel.outbox();
    m_runner = &channel.runner();
    m_link->setDialogue(m_settings.FastDialogue);
    m_link->setDeliveryReports(m_settings.DeliveryReport);
    ApplyWindowBounds();
    CheckMenuItems();
    DrawPictures();
    m_tunes = std::make_unique<TunePlayer>(nullptr, m_setup.makeTuneOutput);
    m_content = std::make_unique<ContentTabs>(*m_ui, *this, *m_prompter, *m_tunes,
                                              [this](const QString& text) { ShowStatus(text); });
    m_content->FillControls();
    m_text = std::make_unique<TextTab>(*m_ui);
    m_phonebook =
        std::make_unique<PhonebookPanel>(*m_ui, *this, *m_prompter, *m_link, Q(m_setup.paths.contactFile));
    setAcceptDrops(true);
    ShowStatus(tr("Please Open Communication Port !"));

    m_form2 = std::make_unique<TForm2>(this);
    m_about = std::make_unique<TAboutBox>(this);
    m_inbox = std::make_unique<InboxDialog>(this);
    m_inspector = std::make_unique<PduFieldsDialog>(this);
    m_pictureEditor = std::make_unique<PictureEditorDialog>(this);
    m_content->setEditor(m_pictureEditor.get());
    m_notifier = std::make_unique<DesktopNotifier>();
    // Beside the status text, which keeps saying what the phone is asked.
    m_outboxBar = new QProgressBar;
    m_outboxBar->setObjectName("prgOutbox");
    m_outboxBar->setAccessibleName(tr("Batch being sent"));
    m_outboxBar->setMaximumWidth(160);
    m_outboxBar->hide();
    m_ui->stbStatus->addPermanentWidget(m_outboxBar);
    WireSignals();
    SetUpUssd();
    if (m_running)
        StartFrontEnd();
    // A batch left queued by the last run shows from the start.
    OutboxBatchChanged(0);
}

// A window closed without its close event (a test) still ends the phone's
// work while everything that hears of it is there.
TForm1::~TForm1() {
    m_apiHost.reset();
    m_centre->stop();
}

// Every connection of the window, in one place.
void TForm1::WireSignals() {
    auto& ui = *m_ui;
    connect(ui.mnuFTransmitLog, &QAction::triggered, this, &TForm1::mnuFTransmitLogClick);
    connect(ui.mnuFFailedLog, &QAction::triggered, this, &TForm1::mnuFFailedLogClick);
    connect(ui.mnuFBackUpStore, &QAction::triggered, this, &TForm1::mnuFBackUpStoreClick);
    connect(ui.mnuFExit, &QAction::triggered, this, &TForm1::mnuFExitClick);
    connect(ui.About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(ui.mnuMobile, &QAction::triggered, this, &TForm1::mnuMobileClick);

    connect(ui.mnuOpenPort, &QAction::triggered, this, &TForm1::mnuOpenPortClick);
    connect(ui.mnuSerialPort, &QMenu::aboutToShow, this, &TForm1::ShowPortDevices);
    connect(ui.mnuClosePort, &QAction::triggered, this, &TForm1::mnuClosePortClick);
    // toggled, not triggered: the accessibility bus toggles without a click.
    connect(ui.mnuFastDialogue, &QAction::toggled, this, &TForm1::mnuFastDialogueClick);
    connect(ui.mnuDeliveryReport, &QAction::toggled, this, &TForm1::mnuDeliveryReportClick);
    connect(ui.mnuSentMessages, &QAction::triggered, this, &TForm1::mnuSentMessagesClick);
    connect(ui.mnuMessages, &QAction::triggered, this, &TForm1::mnuMessagesClick);
    const QList<QAction*> ports = PortItems();
    for (int n = 1; n <= ports.size(); ++n)
        connect(ports[n - 1], &QAction::triggered, this, [this, n] { SerialPortClick(n); });
    const QList<QAction*> speeds = {ui.N24001, ui.N48001, ui.N96001, ui.N192001};
    for (int i = 0; i < speeds.size(); ++i)
        connect(speeds[i], &QAction::triggered, this, [this, i] { BaudrateClick(kOfferedBaudRates[i]); });
    connect(ui.mnuFindPhone, &QAction::triggered, this, &TForm1::mnuFindPhoneClick);

    PhoneLink* link = m_link.get();
    connect(link, &PhoneLink::stateChanged, this, &TForm1::LinkStateChanged);
    connect(link, &PhoneLink::status, this, &TForm1::LinkStatus);
    connect(link, &PhoneLink::progress, this, &TForm1::ReadProgress);
    connect(link, &PhoneLink::monitor, this, &TForm1::LinkMonitor);
    connect(link, &PhoneLink::problem, this, &TForm1::LinkProblem);
    connect(link, &PhoneLink::lamp, this, &TForm1::LampChanged);
    connect(link, &PhoneLink::lineSignals, this, &TForm1::ShowLineSignals);
    connect(link, &PhoneLink::signalBar, this, &TForm1::SetSignalBar);
    connect(link, &PhoneLink::signalQuality, this, &TForm1::ShowSignalQuality);
    connect(link, &PhoneLink::identity, this, &TForm1::IdentityRead);
    connect(m_service, &MessageService::partDone, this, &TForm1::Submitted);
    connect(m_service, &MessageService::messageChanged, this,
            [this](qint64 id, msg::State state) { MessageChanged(id, state); });
    connect(&m_centre->logs(), &LogObserver::problem, this, &TForm1::LinkProblem);
    connect(m_centre.get(), &MessageCentre::storeProblem, this,
            [this](const StoreProblem& problem) { ShowStatus(terms::StoreProblemText(problem)); });
    connect(link, &PhoneLink::pinRequested, this, &TForm1::PinRequested);
    connect(link, &PhoneLink::operatorsFinished, this, &TForm1::OperatorsRead);

    connect(ui.bitSendSMS, &QPushButton::clicked, this, &TForm1::bitSendSMSClick);
    connect(ui.memText, &QPlainTextEdit::textChanged, this, &TForm1::memTextChange);
    connect(ui.memEMS, &QPlainTextEdit::textChanged, this, &TForm1::memTextChange);
    // Every change of the box, also one made through the accessibility bus
    // (whose Toggle action does not click), sets the limit.
    connect(ui.chkFlash, &QCheckBox::toggled, this, &TForm1::chkFlashClick);
    connect(ui.chkLong, &QCheckBox::toggled, this, &TForm1::chkLongClick);
    connect(ui.btnClear, &QPushButton::clicked, this, &TForm1::btnClearClick);
    connect(ui.btnClearEMS, &QPushButton::clicked, this, &TForm1::btnClearEMSClick);
    connect(ui.txtHPNo, &QLineEdit::textChanged, this, &TForm1::txtHPNoChange);
    connect(ui.PageControl1, &QTabWidget::currentChanged, this, &TForm1::PageControl1Change);
    connect(ui.cboProvider, &QComboBox::activated, this, &TForm1::cboProviderClick);
    connect(ui.bitBrowse, &QPushButton::clicked, this, &TForm1::bitBrowseClick);
    connect(ui.bitBrowseGG, &QPushButton::clicked, this, &TForm1::bitBrowseGGClick);
    connect(ui.bitBrowsePM, &QPushButton::clicked, this, &TForm1::bitBrowsePMClick);
    connect(ui.bitBrowseRT, &QPushButton::clicked, this, &TForm1::bitBrowseRTClick);
    connect(ui.btnAddPict, &QPushButton::clicked, this, &TForm1::btnAddPictClick);
    connect(ui.mnuFOpen, &QAction::triggered, this, &TForm1::mnuFOpenClick);
    connect(ui.mnuFSaveAs, &QAction::triggered, this, &TForm1::mnuFSaveAsClick);
    // Only the user's choice inserts a tag; the program's reset does not.
    connect(ui.cboAnimation, &QComboBox::activated, this, &TForm1::cboAnimationChange);
    connect(ui.cboSound, &QComboBox::activated, this, &TForm1::cboSoundChange);
    connect(ui.memRTTTL, &QPlainTextEdit::textChanged, this, &TForm1::memRTTTLChange);
    connect(ui.btnPlay, &QPushButton::clicked, this, &TForm1::btnPlayClick);
    connect(ui.btnStop, &QPushButton::clicked, this, &TForm1::btnStopClick);
    TunePlayer* tunes = m_tunes.get();
    connect(tunes, &TunePlayer::started, this, [this] { TunePlaying(true); });
    connect(tunes, &TunePlayer::stopped, this, [this] { TunePlaying(false); });
    connect(tunes, &TunePlayer::failed, this, &TForm1::TuneFailed);
    connect(ui.mnuPictureEditor, &QAction::triggered, this, &TForm1::mnuPictureEditorClick);
    connect(m_pictureEditor.get(), &PictureEditorDialog::edited, this, &TForm1::PictureEdited);
    connect(m_pictureEditor.get(), &PictureEditorDialog::optionsChanged, this,
            &TForm1::PictureOptionsChanged);
    for (const Tab tab : {Tab::OperatorLogo, Tab::GroupGraphic, Tab::PictureMessage})
        connect(m_content->memo(tab), &QPlainTextEdit::textChanged, this,
                [this, tab] { m_content->memoChanged(tab); });
    // A double-click on the Screen Appearance opens the Picture Editor.
    ui.Image1->installEventFilter(this);
    ui.imgShow->installEventFilter(this);
    // The send button is the window's default: Enter in a one-line edit sends.
    for (QLineEdit* edit : {ui.txtHPNo, ui.txtMCC, ui.txtNC})
        connect(edit, &QLineEdit::returnPressed, ui.bitSendSMS, &QPushButton::click);

    // Sending to many (TForm1Outbox.cpp).
    connect(ui.mnuOutbox, &QAction::triggered, this, &TForm1::mnuOutboxClick);
    connect(ui.mnuGroups, &QAction::triggered, this, &TForm1::mnuGroupsClick);
    connect(ui.mnuMailMerge, &QAction::triggered, this, &TForm1::mnuMailMergeClick);
    connect(ui.actMakeGroup, &QAction::triggered, this, &TForm1::actMakeGroupClick);
    // A batch's counts change with each of its messages: the bar reads them
    // a few times a second, not several times a message.
    m_outboxDelay = new QTimer(this);
    m_outboxDelay->setSingleShot(true);
    m_outboxDelay->setInterval(kOutboxBarMs);
    connect(m_outboxDelay, &QTimer::timeout, this, [this] { OutboxBatchChanged(m_outboxChanged); });
    connect(m_outbox, &Outbox::batchChanged, this, [this](qint64 batch) {
        m_outboxChanged = batch;
        if (!m_outboxDelay->isActive())
            m_outboxDelay->start();
    });

    // The phone book (TForm1Phonebook.cpp); the list's columns first.
    m_phonebook->shapeList();
    connect(ui.bitPhonebook, &QPushButton::clicked, this, &TForm1::bitPhonebookClick);
    connect(ui.mnuReadSIM, &QAction::triggered, this, &TForm1::mnuPReadFromSIMClick);
    connect(ui.mnuShowContact, &QAction::triggered, this, &TForm1::mnuPShowContactClick);
    connect(ui.mnuHideContact, &QAction::triggered, this, &TForm1::mnuPHideContactClick);
    // A double-click, or Enter on the chosen row.
    connect(ui.lvContact, &QTreeWidget::itemActivated, this, &TForm1::lvContactDblClick);
    connect(ui.mnuPrinter, &QAction::triggered, this, &TForm1::Printer1Click);
    connect(ui.mnuTextFile, &QAction::triggered, this, &TForm1::TextFile1Click);
    connect(ui.mnuExportVCard, &QAction::triggered, this, &TForm1::mnuExportVCardClick);
    connect(link, &PhoneLink::contactFound, this, &TForm1::ContactFound);
    connect(link, &PhoneLink::phonebookFinished, this, &TForm1::PhonebookFinished);
    // Writing the SIM's phone book: New Entry, Edit Entry, Delete Entry, Import.
    m_phonebookEditor = new PhonebookEditor(ui, *this, *m_prompter, *m_link, *m_phonebook,
                                            [this] { return m_settings.FastDialogue; });

    // The inbox (TForm1Inbox.cpp).
    connect(ui.mnuInbox, &QAction::triggered, this, &TForm1::mnuInboxClick);
    connect(m_inbox.get(), &InboxDialog::readRequested, this, &TForm1::InboxReadClick);
    connect(m_inbox.get(), &InboxDialog::deleteRequested, this, &TForm1::InboxDeleteClick);
    connect(m_inbox.get(), &InboxDialog::messageChosen, this, &TForm1::InboxChosen);
    connect(link, &PhoneLink::progress, m_inbox.get(), &InboxDialog::setProgress);
    connect(link, &PhoneLink::inboxFinished, this, &TForm1::InboxRead);
    connect(m_service, &MessageService::storedDeleted, this,
            [this](const StoredMessage&, const QString& why) { StoredDeleted(why.isEmpty(), why); });
    connect(link, &PhoneLink::messageArrived, this, &TForm1::MessageArrived);

    // The PDU inspector (TForm1PduFields.cpp).
    connect(ui.mnuPduInspector, &QAction::triggered, this, &TForm1::mnuPduInspectorClick);
    connect(ui.mnuInspectPdus, &QAction::triggered, this, &TForm1::mnuInspectPdusClick);
    ui.memDebug->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.memDebug, &QWidget::customContextMenuRequested, this, &TForm1::memDebugMenu);
    connect(m_inspector.get(), &PduFieldsDialog::loadRequested, this, &TForm1::InspectorLoad);
    // One player for the RingTone tab and the inspector: both show whether it plays.
    connect(m_inspector.get(), &PduFieldsDialog::playRequested, tunes, &TunePlayer::play);
    connect(m_inspector.get(), &PduFieldsDialog::stopRequested, tunes, &TunePlayer::stop);
    connect(tunes, &TunePlayer::started, m_inspector.get(), [this] { m_inspector->setPlaying(true); });
    connect(tunes, &TunePlayer::stopped, m_inspector.get(), [this] { m_inspector->setPlaying(false); });
    connect(tunes, &TunePlayer::failed, m_inspector.get(), [this] { m_inspector->setPlaying(false); });
    m_inspector->setPlayerAvailable(true);
}

void TForm1::LoadSettingsAtStart() {
    const std::string& file = m_setup.paths.settingsFile;
    for (const auto& message : LoadSettings(file, m_settings))
        m_settingsMessages << Q(message);
    // The store and the batches read numbers as the Destination field does.
    SetHomeCountryCode(Q(m_settings.CountryCode));
}

// The stored rectangle as it was left, unless no screen shows any of it: a
// window there could not be reached, so it comes back to the primary screen.
void TForm1::ApplyWindowBounds() {
    const int height = m_settings.WindowHeight > 0 ? m_settings.WindowHeight : 396;
    const int width = m_settings.WindowWidth > 0 ? m_settings.WindowWidth : 507;
    QRect bounds(m_settings.WindowLeft, m_settings.WindowTop, width, height);
    bool seen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        seen = seen || screen->geometry().intersects(bounds);
    if (!seen && QGuiApplication::primaryScreen())
        bounds.moveTopLeft(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
    resize(bounds.size());
    move(bounds.topLeft());
}

void TForm1::CheckMenuItems() {
    auto& ui = *m_ui;
    auto* portGroup = new QActionGroup(this);
    const QList<QAction*> ports = PortItems();
    for (int n = 1; n <= ports.size(); ++n) {
        portGroup->addAction(ports[n - 1]);
        ports[n - 1]->setChecked(n == m_settings.PortNumber);
    }
    ShowPortDevices();
    // None checked when the port is outside 1..9.
    portGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    ui.mnuFastDialogue->setChecked(m_settings.FastDialogue);
    ui.mnuDeliveryReport->setChecked(m_settings.DeliveryReport);
    ui.mnuDeliveryReport->setEnabled(m_settings.FastDialogue);
    // Printing waits until the phone book has been shown.
    ui.mnuPrintAll->menuAction()->setEnabled(false);
    auto* speedGroup = new QActionGroup(this);
    const QList<QAction*> speeds = {ui.N24001, ui.N48001, ui.N96001, ui.N192001};
    for (int i = 0; i < speeds.size(); ++i) {
        speedGroup->addAction(speeds[i]);
        speeds[i]->setChecked(kOfferedBaudRates[i] == m_settings.BaudRate);
    }
}

// A phone plugged in meanwhile changes what COMn stands for: the tips are
// made afresh whenever the menu opens.
void TForm1::ShowPortDevices() {
    const QList<QAction*> ports = PortItems();
    for (int n = 1; n <= ports.size(); ++n)
        ports[n - 1]->setStatusTip(DeviceDescription(n));
}

// COM1 to COM9, in order.
QList<QAction*> TForm1::PortItems() const {
    const auto& ui = *m_ui;
    return {ui.COM11, ui.COM21, ui.COM31, ui.COM41, ui.COM51, ui.COM61, ui.COM71, ui.COM81, ui.COM91};
}

QString TForm1::DeviceDescription(int portNumber) const {
    if (!m_setup.deviceFor)
        return {};
    return tr("COM%1 is %2").arg(QString::number(portNumber), Q(m_setup.deviceFor(m_settings, portNumber)));
}

void TForm1::DrawPictures() {
    auto& ui = *m_ui;
    const qreal dpr = devicePixelRatioF();
    setWindowIcon(ApplicationIcon());
    ui.imgClose->setPixmap(ConnectionPicture(false, dpr));
    ui.imgOpen->setPixmap(ConnectionPicture(true, dpr));
    ui.imgOpen->move(0, 0);
    ui.imgOpen->hide();
    ui.imgStatus->setPixmap(ResultPicture(false, dpr));
    ui.imgOK->setPixmap(ResultPicture(true, dpr));
    ui.imgStatus->hide();
    ui.imgOK->hide();
    const QSize lcd(144, 56); // the 72 x 28 screen at twice its size
    ui.Image1->setPixmap(PhoneScreenPicture(lcd, dpr));
    ui.Image1->setFixedSize(lcd + QSize(12, 12));
    // The phone's screen is never cut off: however short the panel's labels
    // are in the user's language, the panel holds the screen (drawn 6 pixels
    // in) and its frame's edge. Only the screen's right margin may go, as it
    // always has: the window keeps its design width of 507.
    const QMargins margins = ui.layPanel1->contentsMargins();
    ui.Panel1->setMinimumWidth(
        std::max(ui.Panel1->minimumWidth(), margins.left() + 6 + lcd.width() + margins.right()));
    ui.imgShow->setGeometry(6, 6, lcd.width(), lcd.height());
    for (int i = 0; i < kTabCount; ++i)
        ui.PageControl1->setTabIcon(i, TabIcon(*TabAt(i)));
    ui.ComLed1->setKind(ui::TComLed::Kind::Green);
    ui.ComLed2->setKind(ui::TComLed::Kind::Yellow);
    ui.ComLed3->setKind(ui::TComLed::Kind::Red);
    ui.Panel3->setStyleSheet("#Panel3 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #dcdcdc, "
                             "stop:1 #b8b8b8); }");
    ui.Splitter1->setSizes({162, width() - 162});
    ui.Splitter1->setStretchFactor(1, 1);
    ui.Panel4->setStyleSheet("#Panel4 { background: black; border-radius: 3px; }"
                             "#Panel4 QLabel { color: #e8e8e8; }");
    ui.Panel1->setStyleSheet("#Panel1 { background: black; }"
                             "#Panel1 > QLabel { color: white; font-weight: bold; }"
                             "#Panel1 > QFrame[frameShape=\"4\"] { color: #555; }");
    ui.memVoidMsg->setStyleSheet("background: #7fe07f; color: black;");
    ui.memWarning->setStyleSheet("background: #e03c3c; color: white;");
}

void TForm1::ShowStatus(const QString& text) {
    m_reportShown = false;
    m_indicators->showStatus(text);
}

QString TForm1::statusText() const { return m_indicators->statusText(); }

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    // A menu item's tip replaces the status text while it is hovered; the
    // text comes back afterwards instead of leaving the bar empty.
    if (event->type() == QEvent::StatusTip && static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
        m_indicators->restoreStatus();
        return true;
    }
    return QMainWindow::event(event);
}

// Without a window manager a window may never be activated: the first show
// connects as well, once.
void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &TForm1::FormActivate);
}

void TForm1::FormActivate() {
    if (m_autoConnectDone)
        return;
    m_autoConnectDone = true;
    if (!m_running)
        mnuOpenPortClick();
    if (!m_settingsMessages.isEmpty())
        QTimer::singleShot(0, this, [this] { m_prompter->Error(this, m_settingsMessages.join('\n')); });
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (!LeaveBatches()) {
        event->ignore();
        return;
    }
    // Nothing more is started; the message on its way ends as any does.
    m_runner->stop();
    m_content->stopTune();
    HoldName(false);
    SaveSettingsAtEnd();
    // A send in progress reports its part as unknown before the link ends;
    // the service records it (and the log says so) before the window goes.
    m_centre->stop();
    event->accept();
}

void TForm1::SaveSettingsAtEnd() {
    m_settings.WindowLeft = x();
    m_settings.WindowTop = y();
    m_settings.WindowHeight = height();
    m_settings.WindowWidth = width();
    for (auto section : {SettingsSection::Communication, SettingsSection::Window}) {
        const auto saved = SaveSettings(section, m_setup.paths.settingsFile, m_settings);
        if (!saved) {
            m_prompter->Error(this, Localized(saved.error()));
            return; // what is not written yet stays unwritten
        }
    }
}

void TForm1::mnuFTransmitLogClick() {
    const QString path = Q(m_setup.paths.transmitLog);
    if (!m_prompter->OpenWithDesktop(path))
        ShowStatus(tr("No viewer could be asked to open %1").arg(path));
}

void TForm1::mnuFFailedLogClick() {
    const QString path = Q(m_setup.paths.failedLog);
    if (!m_prompter->OpenWithDesktop(path))
        ShowStatus(tr("No viewer could be asked to open %1").arg(path));
}

// A copy of the messages as they are now, the phone's work going on: the
// file dialog has asked before an existing file is replaced.
void TForm1::mnuFBackUpStoreClick() {
    if (!m_store) {
        m_prompter->Warning(this, tr("There is no message store to back up."));
        return;
    }
    const auto choice = m_prompter->SaveFile(this, {{FileType{S(tr("Message Stores")), {"*.sqlite"}}}, 1});
    if (choice.path.isEmpty())
        return;
    const QString path = QFileInfo(choice.path).suffix().isEmpty() ? choice.path + ".sqlite" : choice.path;
    const auto made = m_store->Backup(path, true);
    if (!made) {
        m_prompter->Warning(this, Localized(made.error()));
        return;
    }
    ShowStatus(tr("The message store is copied to %1").arg(QDir::toNativeSeparators(path)));
}

void TForm1::mnuFExitClick() { close(); }

void TForm1::About1Click() { m_prompter->Exec(*m_about); }

void TForm1::mnuMobileClick() { m_prompter->Exec(*m_form2); }

MessagesWindow& TForm1::Messages() {
    if (m_messages)
        return *m_messages;
    m_messages = std::make_unique<MessagesWindow>(m_store, *m_prompter, this);
    // Follows every change the service records, sent or received.
    connect(m_service, &MessageService::messageChanged, m_messages.get(),
            [this](qint64 id) { m_messages->messageChanged(id); });
    connect(m_messages.get(), &MessagesWindow::resendRequested, this, &TForm1::Resend);
    connect(m_messages.get(), &MessagesWindow::forwardRequested, this, &TForm1::Forward);
    return *m_messages;
}

void TForm1::mnuMessagesClick() {
    if (!ShowRunningMessages())
        Messages().showAll();
}

// What was sent, to every number, in the history.
void TForm1::mnuSentMessagesClick() {
    if (!ShowRunningMessages())
        Messages().showSent();
}

} // namespace velmora
