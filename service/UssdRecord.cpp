#include "UssdRecord.h"

#include "MessageService.h"

#include "Replies.h"

#include <cctype>

namespace velmora {

UssdEnding UssdEndingOf(const UssdAnswer& last, bool cancelled) {
    using K = UssdAnswer::Kind;
    UssdEnding e;
    if (NetworkAnswered(last.kind)) {
        e.code = static_cast<int>(last.kind); // Done to NetworkTimeout are 0 to 5, as +CUSD numbers them
        if (last.kind == K::NotSupported)
            e.state = msg::State::Failed;
        return e;
    }
    e.state = msg::State::Failed;
    switch (last.kind) {
    case K::Refused:
        e.reason = last.detail.rfind("+CME ERROR", 0) == 0 ? msg::Reason::CmeError : msg::Reason::Error;
        // "+CME ERROR: 100 (unknown)": the number, when the phone gave one.
        if (const auto colon = last.detail.find(':');
            e.reason == msg::Reason::CmeError && colon != std::string::npos) {
            const auto digits = last.detail.find_first_not_of(' ', colon + 1);
            if (digits != std::string::npos && std::isdigit(static_cast<unsigned char>(last.detail[digits])))
                e.code = LeadingNumber(std::string_view(last.detail).substr(digits, 5));
        }
        break;
    case K::NoAnswer:
    case K::Unreadable:
        e.reason = msg::Reason::NoAnswer;
        break;
    case K::Stopped:
        e.reason = msg::Reason::Stopped;
        break;
    case K::LinkLost:
        e.state = msg::State::Uncertain;
        e.reason = msg::Reason::LinkLost;
        break;
    case K::NotConnected:
    case K::NeedsFast:
        e.reason = msg::Reason::NotConnected;
        break;
    default:
        e.reason = msg::Reason::Error;
        break;
    }
    if (cancelled)
        e.reason = msg::Reason::Stopped;
    return e;
}

UssdRecord::UssdRecord(MessageStore* store, const QString& code, const ModemId& modem) : m_store(store) {
    if (!m_store)
        return;
    MessageRecord r;
    r.direction = msg::Direction::Out;
    r.kind = QStringLiteral("ussd");
    r.number = code;
    r.state = msg::State::Sending;
    r.modemImsi = modem.imsi;
    r.modemDevice = modem.device;
    const auto added = m_store->AddOutgoing(r);
    if (!added) {
        m_problem = QString::fromStdString(added.error());
        return;
    }
    m_id = *added;
    // Sending under this program's name: a kill leaves it for the next
    // start to call uncertain, never one still running.
    if (const auto owned = m_store->SetState(m_id, msg::State::Sending); !owned)
        m_problem = QString::fromStdString(owned.error());
}

void UssdRecord::Add(const QString& line) {
    m_text += (m_text.isEmpty() ? QString() : QStringLiteral("\n")) + line;
    if (m_id == 0)
        return;
    if (const auto set = m_store->SetText(m_id, m_text); !set)
        m_problem = QString::fromStdString(set.error());
}

void UssdRecord::Finish(const UssdEnding& ending) {
    if (m_id == 0)
        return;
    if (const auto set = m_store->SetState(m_id, ending.state, ending.reason, ending.code); !set)
        m_problem = QString::fromStdString(set.error());
}

// ---- the service's USSD sessions

namespace {

// The store's refusal in parts, when it is the store's last word.
StoreProblem UssdProblem(MessageStore* store, const QString& sentence) {
    if (store)
        return store->ProblemFor(sentence.toStdString());
    return {StoreProblem::Reason::Unopened, {}, sentence};
}

} // namespace

int MessageService::beginUssd(const QString& code, QString* problem) {
    const int session = ++m_lastUssd;
    auto record = std::make_unique<UssdRecord>(m_store, code, m_transport.Modem());
    const QString refused = record->problem();
    if (!refused.isEmpty()) {
        record->StopKeeping();
        emit storeProblem(UssdProblem(m_store, refused));
    }
    if (problem)
        *problem = refused;
    m_ussd[session] = std::move(record);
    return session;
}

QString MessageService::ussdLine(int session, const QString& line) {
    const auto it = m_ussd.find(session);
    if (it == m_ussd.end())
        return {};
    UssdRecord& r = *it->second;
    const bool said = !r.problem().isEmpty();
    r.Add(line);
    if (!said && !r.problem().isEmpty()) {
        r.StopKeeping(); // said once; the session goes on
        emit storeProblem(UssdProblem(m_store, r.problem()));
    }
    emit ussdChanged(session, r.id(), r.transcript(), false);
    return r.problem();
}

void MessageService::endUssd(int session, const UssdEnding& ending, bool tell) {
    const auto it = m_ussd.find(session);
    if (it == m_ussd.end())
        return;
    const std::unique_ptr<UssdRecord> r = std::move(it->second);
    m_ussd.erase(it);
    r->Finish(ending);
    if (tell)
        emit ussdChanged(session, r->id(), r->transcript(), true);
}

} // namespace velmora
