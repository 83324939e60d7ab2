// The inbox: the phone's stored messages read on the link's thread, listed
// in InboxDialog, shown in the content tabs, deleted after asking.

#include "ContentTabs.h"
#include "DesktopNotifier.h"
#include "InboxDialog.h"
#include "Prompter.h"
#include "QtText.h"
#include "Strings.h"
#include "TForm1.h"

#include <algorithm>

namespace velmora {

namespace {

bool SamePlace(const StoredMessage& a, const StoredMessage& b) {
    return a.storage == b.storage && a.index == b.index;
}

} // namespace

// Opened for the first time with the phone there, it reads at once.
void TForm1::mnuInboxClick() {
    m_inbox->show();
    m_inbox->raise();
    m_inbox->activateWindow();
    if (!m_inboxRead && (m_link->state() == PhoneLink::State::Connected || (m_running && !m_runningGone)))
        InboxReadClick();
}

void TForm1::InboxReadClick() {
    if (m_running) {
        ReadPhoneThroughRunning();
        return;
    }
    if (!m_link->isUp())
        return;
    m_inbox->setReading(true);
    m_inbox->setStatus(tr("Reading the messages on the phone ..."));
    m_link->readInbox();
}

void TForm1::InboxRead(bool read, const QList<StoredMessage>& messages, bool stopped,
                       const QStringList& problems) {
    m_inbox->setReading(false);
    if (!read) {
        m_inbox->setStatus(tr("Connect to the phone to read its messages."));
        return;
    }
    m_inboxRead = true;
    m_stored.assign(messages.begin(), messages.end());
    m_inboxStopped = stopped;
    // Each as a sentence: "The SIM store (SM) could not be read: ERROR."
    m_inboxUnread.clear();
    for (const QString& p : problems)
        m_inboxUnread << p.left(1).toUpper() + p.mid(1) + (p.endsWith('.') ? "" : ".");
    ShowInbox();
    if (!m_inboxUnread.isEmpty())
        ShowStatus(m_inboxUnread.join(' '));
}

// The count goes with what the last read left out until the next read: a
// delete or a new message does not make a stopped read whole, nor a store
// that could not be read a read one.
void TForm1::ShowInbox() {
    m_inbox->setEntries(JoinInbox(m_stored), [this](const std::string& number) { return NameOf(number); });
    const auto count = m_inbox->rows();
    QString status = count == 1
                         ? (m_inboxStopped ? tr("1 message on the phone so far: the read was stopped.")
                                           : tr("1 message on the phone."))
                         : (m_inboxStopped ? tr("%1 messages on the phone so far: the read was stopped.")
                                           : tr("%1 messages on the phone."))
                               .arg(count);
    if (!m_inboxUnread.isEmpty())
        status += " " + m_inboxUnread.join(' ');
    m_inbox->setStatus(status);
}

// The phone book's name for the number, written in any of its forms.
QString TForm1::NameOf(const std::string& number) const {
    const std::string wanted = NormaliseDestination(number, m_settings.CountryCode);
    for (const PhonebookEntry& e : m_link->phonebook())
        if (!wanted.empty() && NormaliseDestination(e.number, m_settings.CountryCode) == wanted)
            return FromPhone(e.name);
    return QString();
}

void TForm1::InboxChosen(int row) {
    const auto& entries = m_inbox->entries();
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size() ||
        !entries[static_cast<std::size_t>(row)].message)
        return;
    m_content->showReceived(*entries[static_cast<std::size_t>(row)].message);
}

void TForm1::InboxDeleteClick(int row) {
    const auto& entries = m_inbox->entries();
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size() || !m_toDelete.empty())
        return;
    const InboxEntry& e = entries[static_cast<std::size_t>(row)];
    // One sentence that names the message: its sender (to whom for one the
    // user sent), or where it is when it could not be read.
    const QString question =
        !e.message
            ? tr("Delete the message that could not be read (%1) from the phone?").arg(StoredPlaces(e.parts))
        : e.message->pdu.type == PduType::Submit
            ? tr("Delete the message to %1 from the phone?").arg(m_inbox->sender(row))
            : tr("Delete the message from %1 from the phone?").arg(m_inbox->sender(row));
    // The question runs the event loop: a message arriving meanwhile renews
    // the entries `e` refers to.
    std::vector<StoredMessage> parts = e.parts;
    if (!m_prompter->AskToDelete(m_inbox.get(), question))
        return;
    m_toDelete = std::move(parts);
    m_inbox->setReading(true);
    // Every part's record is kept before any part goes.
    for (const StoredMessage& part : m_toDelete)
        if (const auto refused = m_service->whyNotDelete(part)) {
            StoredDeleted(false, NotDeletable(*refused));
            return;
        }
    DeleteNextPart();
}

void TForm1::DeleteNextPart() {
    m_inbox->setStatus(tr("Deleting ..."));
    if (const auto refused = m_service->deleteStored(m_toDelete.front()))
        StoredDeleted(false, NotDeletable(*refused));
}

// Why the message service would not let a message go from the phone.
QString TForm1::NotDeletable(const DeleteRefusal& refused) const {
    switch (refused.kind) {
    case DeleteRefusal::NoStore:
        return refused.store.isEmpty()
                   ? tr("the message store could not keep it first")
                   : tr("the message store could not keep it first (%1)").arg(refused.store);
    case DeleteRefusal::Damaged:
        return tr("the message store could not keep it first (%1)").arg(refused.store);
    case DeleteRefusal::NotRecorded:
        break;
    }
    return tr("the message store has no record of it yet");
}

// A part that changed since the read stops the delete there: what is left
// of the message stays on the phone, and the list is read again.
void TForm1::StoredDeleted(bool ok, const QString& reason) {
    if (m_toDelete.empty())
        return;
    if (!ok) {
        m_toDelete.clear();
        m_inbox->setReading(false);
        m_inbox->setStatus(tr("Not deleted: %1").arg(reason));
        m_prompter->Warning(m_inbox.get(), tr("The message was not deleted: %1").arg(reason));
        return;
    }
    const StoredMessage done = m_toDelete.front();
    m_toDelete.erase(m_toDelete.begin());
    m_stored.erase(std::remove_if(m_stored.begin(), m_stored.end(),
                                  [&](const StoredMessage& s) { return SamePlace(s, done); }),
                   m_stored.end());
    if (!m_toDelete.empty()) {
        DeleteNextPart();
        return;
    }
    m_inbox->setReading(false);
    ShowInbox();
    m_inbox->setStatus(tr("The message was deleted from the phone. %1").arg(m_inbox->statusText()));
}

void TForm1::MessageArrived(const StoredMessage& m) {
    const auto same = std::find_if(m_stored.begin(), m_stored.end(),
                                   [&](const StoredMessage& s) { return SamePlace(s, m); });
    if (same != m_stored.end())
        *same = m;
    else
        m_stored.push_back(m);
    ShowInbox();
    const auto& entries = m_inbox->entries();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const InboxEntry& e) {
        return std::any_of(e.parts.begin(), e.parts.end(),
                           [&](const StoredMessage& s) { return SamePlace(s, m); });
    });
    if (entry == entries.end())
        return;
    const auto row = static_cast<int>(entry - entries.begin());
    const QString who = m_inbox->rowText(row, 1);
    ShowStatus(tr("New message from %1").arg(who));
    m_inbox->setStatus(tr("New message from %1. %2").arg(who, m_inbox->statusText()));
    m_notifier->notify(tr("New message from %1").arg(who), InboxRowText(*entry, 120));
}

} // namespace velmora
