#pragma once

// Communication > USSD...: a code such as "*123#" (the balance) sent to the
// network, its answer, and the replies its menus ask for. The requests run
// on the link's thread; the window only ever waits for their answers.

#include "MessageService.h"
#include "PhoneLink.h"
#include "UssdDialogue.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace velmora {

// What the dialog needs of the window.
struct UssdDialogSetup {
    std::string settingsFile;                  // the codes used, how each modem takes requests
    MessageService* service = nullptr;         // records each session and tells of it
    std::function<bool()> fastDialogue;        // USSD needs the fast dialogue
    int waitMs = UssdDialogue::kDefaultWaitMs; // for each answer of the network
};

class UssdDialog : public QDialog {
    Q_OBJECT
public:
    UssdDialog(PhoneLink& link, UssdDialogSetup setup, QWidget* parent = nullptr);
    ~UssdDialog() override;

    // Whether a request may go: connected (the window's menus follow the same).
    void setPhoneReady(bool ready);
    // Whether the network waits for a reply, or a request is on its way.
    bool inSession() const { return m_inFlight || m_open; }
    QString transcript() const;

public slots:
    // The code (no session open) or the reply (the network asked).
    void send();
    // Ends the session with the network (AT+CUSD=2).
    void cancelSession();

protected:
    void reject() override;

private:
    // Lives on the link's thread, used only there.
    struct Worker {
        std::unique_ptr<UssdDialogue> dialogue;
    };
    void request(const QString& text);
    void answered(const UssdAnswer& answer, UssdWire wire, bool learnt);
    void ended(const QString& why, const UssdEnding& ending);
    void addLine(const QString& line);
    void loadRecent();
    void updateControls();
    QString plainly(const UssdAnswer& a) const;

    PhoneLink& m_link;
    UssdDialogSetup m_setup;
    std::shared_ptr<Worker> m_worker = std::make_shared<Worker>();
    std::shared_ptr<std::atomic<bool>> m_stop;
    int m_kept = 0; // the service's session under way, 0 for none
    std::string m_modemKey;
    bool m_ready = false;
    bool m_inFlight = false; // a request is with the link
    bool m_open = false;     // the network waits for a reply
    UssdAnswer m_last;

    QComboBox* m_code;
    QPlainTextEdit* m_session;
    QLineEdit* m_reply;
    QLabel* m_status;
    QPushButton* m_send;
    QPushButton* m_cancel;
};

} // namespace velmora
