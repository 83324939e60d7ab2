#include "MessageService.h"

#include "Inbox.h"
#include "MessageKind.h"
#include "QtText.h"
#include "Said.h"

#include <QRegularExpression>

#include <algorithm>

namespace velmora {

namespace {

// The phone's reason in a refusal: +CMS ERROR n, +CME ERROR n, or a bare
// ERROR. A phone that words its reason ("+CME ERROR: SIM busy") has no
// number to keep.
std::pair<msg::Reason, std::optional<int>> RefusalOf(const QString& answer) {
    static const QRegularExpression coded(QStringLiteral(R"(\+(CMS|CME) ERROR:\s*(\d+))"));
    const auto m = coded.match(answer);
    if (m.hasMatch())
        return {m.captured(1) == QLatin1String("CMS") ? msg::Reason::CmsError : msg::Reason::CmeError,
                m.captured(2).toInt()};
    if (answer.contains(QLatin1String("+CMS ERROR")))
        return {msg::Reason::CmsError, std::nullopt};
    if (answer.contains(QLatin1String("+CME ERROR")))
        return {msg::Reason::CmeError, std::nullopt};
    return {msg::Reason::Error, std::nullopt};
}

// What a message comes to from its parts: a part that may have gone without
// a word makes it uncertain, a refused one failed, else it was sent.
Verdict Judge(const std::vector<PartOutcome>& parts) {
    Verdict v;
    for (const PartOutcome& p : parts) {
        if (p.outcome == SubmitOutcome::Unknown) {
            return {msg::State::Uncertain, p.stopped ? msg::Reason::Stopped : msg::Reason::NoAnswer, {}};
        }
        if (v.state == msg::State::Failed)
            continue;
        switch (p.outcome) {
        case SubmitOutcome::Failed: {
            const auto [reason, code] = RefusalOf(p.answer);
            v = {msg::State::Failed, reason, code};
            break;
        }
        case SubmitOutcome::NoPduMode:
        case SubmitOutcome::NoPrompt: {
            // The phone's own reason ("+CMS ERROR: 38" instead of the prompt)
            // says more than the step it stopped at.
            const auto [reason, code] = RefusalOf(p.answer);
            if (reason != msg::Reason::Error)
                v = {msg::State::Failed, reason, code};
            else if (p.outcome == SubmitOutcome::NoPduMode)
                v = {msg::State::Failed, msg::Reason::NoPduMode, {}};
            else
                v = {msg::State::Failed, msg::Reason::NoPrompt, {}};
            break;
        }
        case SubmitOutcome::LinkLost:
            v = {msg::State::Failed, msg::Reason::LinkLost, {}};
            break;
        case SubmitOutcome::Sent:
        case SubmitOutcome::Unknown:
            break;
        }
    }
    return v;
}

} // namespace

MessageRecord OutgoingRecord(const MessageRequest& request, const MessageJob& job, const ModemId& modem) {
    MessageRecord m;
    m.direction = msg::Direction::Out;
    m.number = Q(job.number);
    m.kind = QString::fromLatin1(MessageKindName(request.kind));
    m.request = RequestToJson(request);
    if (request.kind == MessageKind::Text || request.kind == MessageKind::Ems) {
        m.text = FromUtf16(request.text);
    } else {
        // What the inbox would call it, read back from its own PDUs.
        std::vector<StoredMessage> stored;
        for (std::size_t i = 0; i < job.pdus.size(); ++i)
            stored.push_back(StoredMessage{"", static_cast<int>(i), 3, job.pdus[i]});
        const std::vector<InboxEntry> entries = JoinInbox(stored);
        if (entries.size() == 1)
            m.text = FromUtf16(InboxSummary(entries.front(), 160));
    }
    if (!request.content.empty())
        m.content.insert(QStringLiteral("hex"), Q(request.content));
    if (request.kind == MessageKind::Logo) {
        m.content.insert(QStringLiteral("mcc"), Q(request.mcc));
        m.content.insert(QStringLiteral("nc"), Q(request.nc));
    }
    m.state = msg::State::Queued;
    m.created = QDateTime::currentDateTimeUtc();
    m.modemImsi = modem.imsi;
    m.modemDevice = modem.device;
    m.modem = modem.name;
    int n = 1;
    for (const std::string& pdu : job.pdus) {
        PartRecord part;
        part.part = n++;
        part.pdu = Q(pdu);
        m.parts.push_back(part);
    }
    return m;
}

MessageService::MessageService(MessageStore* store, MessageTransport& transport, QObject* parent)
    : QObject(parent), m_store(store), m_transport(transport) {
    qRegisterMetaType<PartOutcome>();
    qRegisterMetaType<msg::State>();
    qRegisterMetaType<msg::Reason>();
    qRegisterMetaType<StoreProblem>();
    m_transport.m_service = this;
}

MessageService::~MessageService() { m_transport.m_service = nullptr; }

Result<SendJob*, SendRefusal> MessageService::send(const MessageRequest& request) {
    return sendNew(request, 0);
}

Result<SendJob*, SendRefusal> MessageService::sendNew(const MessageRequest& request, qint64 replaces) {
    using R = Result<SendJob*, SendRefusal>;
    const auto job = BuildMessage(request);
    if (!job)
        return R::Fail({SendRefusal::Invalid, job.error(), {}});
    if (!m_store)
        return R::Fail({SendRefusal::Store, {}, m_storeWhy});
    // Asked before anything reaches the phone: a store that cannot take the
    // record would leave a sent message nobody knows of.
    if (const QString why = m_store->CheckWritable(); !why.isEmpty())
        return R::Fail({SendRefusal::Store, {}, m_store->ProblemFor(why)});
    MessageRecord record = OutgoingRecord(request, *job, m_transport.Modem());
    record.replaces = replaces;
    const auto added = m_store->AddOutgoing(record);
    if (!added)
        return R::Fail({SendRefusal::Store, {}, m_store->ProblemFor(added.error())});
    const qint64 id = added.value();
    emit messageChanged(id, msg::State::Queued, msg::Reason::None, -1);
    // The one replaced is not offered again: its list row says so.
    if (replaces != 0)
        if (const auto replaced = m_store->Message(replaces))
            emit messageChanged(replaced->id, replaced->state, replaced->reason,
                                replaced->reasonCode.value_or(-1));
    // Sending is on disk before the first PDU leaves, so a program killed
    // from here on leaves a message the next start calls uncertain.
    if (const auto marked = m_store->SetState(id, msg::State::Sending); !marked) {
        m_store->SetState(id, msg::State::Failed, msg::Reason::StoreFailed);
        return R::Fail({SendRefusal::Store, {}, m_store->ProblemFor(marked.error())});
    }
    return R::Ok(start(id, job->pdus, job->number));
}

Result<MessageService::NextSend, SendRefusal>
MessageService::sendNext(qint64 batch, const QDateTime& now, const ModemPace& pace,
                         const std::function<void(qint64)>& claimed) {
    using R = Result<NextSend, SendRefusal>;
    if (!m_store)
        return R::Fail({SendRefusal::Store, {}, m_storeWhy});
    // The claim is the check that a change can be committed: it is one.
    const auto taken = m_store->ClaimNext(batch, m_transport.Modem(), now, pace);
    if (!taken)
        return R::Fail({SendRefusal::Store, {}, m_store->ProblemFor(taken.error())});
    if (taken->id == 0)
        return R::Ok({nullptr, 0, taken->wait});
    const qint64 id = taken->id;
    const auto message = m_store->Message(id);
    // Claimed, so it is this program's to end: a message with nothing to
    // send fails here rather than staying Sending.
    if (!message || message->parts.empty()) {
        m_store->SetState(id, msg::State::Failed, msg::Reason::StoreFailed);
        return R::Fail({SendRefusal::Invalid,
                        Refusal{translate("MessageService", "the message is not queued"), RefusedField::None},
                        {}});
    }
    if (claimed)
        claimed(id);
    std::vector<std::string> pdus;
    for (const PartRecord& p : message->parts)
        pdus.push_back(p.pdu.toStdString());
    // A report asked for when it was queued (MessageApi's "report").
    const bool report = message->request.value(QLatin1String("report")).toBool();
    return R::Ok({start(id, pdus, message->number.toStdString(), report), id, {}});
}

SendJob* MessageService::start(qint64 id, const std::vector<std::string>& pdus, const std::string& number,
                               bool report) {
    // A message tried again: the handle of its last try is done with.
    if (const auto old = m_jobs.find(id); old != m_jobs.end())
        old->second->deleteLater();
    auto* sendJob = new SendJob(id, this);
    sendJob->m_destination = Q(number);
    sendJob->m_total = static_cast<int>(pdus.size());
    sendJob->m_state = msg::State::Sending;
    m_jobs[id] = sendJob;
    emit messageChanged(id, msg::State::Sending, msg::Reason::None, -1);
    m_transport.m_reportAsked = report;
    m_transport.Submit(id, pdus, number);
    m_transport.m_reportAsked = false;
    return sendJob;
}

std::optional<SendRefusal> MessageService::whyNotResend(qint64 id) const {
    if (!m_store)
        return SendRefusal{SendRefusal::Store, {}, m_storeWhy};
    const auto refuse = [](const std::string& why) {
        return SendRefusal{SendRefusal::Invalid, Refusal{why, RefusedField::None}, {}};
    };
    const auto message = m_store->Message(id);
    const auto request = message ? RequestFromJson(message->request) : std::nullopt;
    if (!request || message->direction != msg::Direction::Out)
        return refuse(translate("MessageService", "this message cannot be sent again"));
    // A message that went, or is still to go, would reach them twice.
    // A cancelled one never left: sending it now is its first time.
    if (message->state != msg::State::Failed && message->state != msg::State::Uncertain &&
        message->state != msg::State::Cancelled)
        return refuse(translate("MessageService",
                                "only a message that failed, or whose fate is not known, is sent again"));
    if (const qint64 again = m_store->ReplacedBy(id))
        return refuse(Fill(translate("MessageService", "it was sent again already, as message %1"),
                           {std::to_string(again)}));
    return std::nullopt;
}

Result<SendJob*, SendRefusal> MessageService::resend(qint64 id) {
    using R = Result<SendJob*, SendRefusal>;
    if (auto why = whyNotResend(id))
        return R::Fail(std::move(*why));
    // Read again: another program may have deleted it in between.
    const auto message = m_store->Message(id);
    const auto request = message ? RequestFromJson(message->request) : std::nullopt;
    if (!request)
        return R::Fail(
            {SendRefusal::Invalid,
             Refusal{translate("MessageService", "this message cannot be sent again"), RefusedField::None},
             {}});
    return sendNew(*request, id);
}

void MessageService::release(SendJob* job) {
    if (!job)
        return;
    // One still on its way is followed to its end, then let go.
    if (!job->m_finished) {
        job->m_released = true;
        return;
    }
    m_jobs.erase(job->id());
    job->deleteLater();
}

int MessageService::recoverInterrupted() {
    if (!m_store)
        return 0;
    const auto marked = m_store->MarkInterrupted();
    if (!marked) {
        emit storeProblem(m_store->ProblemFor(marked.error()));
        return 0;
    }
    return marked.value();
}

void MessageService::setStoreProblem(const QString& why) {
    m_storeWhy = {StoreProblem::Reason::Unopened, {}, why};
}

void MessageService::setStoreProblem(const StoreProblem& problem) { m_storeWhy = problem; }

void MessageService::phonebookRead(const std::vector<PhonebookEntry>& entries) {
    if (!m_store)
        return;
    std::vector<std::pair<QString, QString>> names;
    for (const PhonebookEntry& e : entries)
        names.emplace_back(FromPhone(e.name), FromPhone(e.number));
    if (const auto saved = m_store->SavePhonebook(names); !saved)
        emit storeProblem(m_store->ProblemFor(saved.error()));
}

bool MessageService::busy() const {
    return std::any_of(m_jobs.begin(), m_jobs.end(), [](const auto& j) { return !j.second->m_finished; });
}

SendJob* MessageService::job(qint64 id) const {
    const auto found = m_jobs.find(id);
    return found == m_jobs.end() ? nullptr : found->second;
}

void MessageService::partSubmitted(const PartOutcome& part) {
    if (m_store) {
        if (const auto kept = m_store->SetPartSent(part.id, part.part + 1, part.reference, part.answer);
            !kept)
            emit storeProblem(m_store->ProblemFor(kept.error()));
    }
    SendJob* j = job(part.id);
    if (j && !j->m_finished)
        j->m_parts.push_back(part);
    // The last part, or the program ending in the middle of this one: the
    // message's end is on disk before anyone is told of the part, so what a
    // user saw said is what the store says after a kill.
    const bool last =
        j && !j->m_finished && (part.stopped || static_cast<int>(j->m_parts.size()) >= j->m_total);
    if (last)
        commit(j, Judge(j->m_parts));
    emit partDone(part);
    if (j)
        emit j->partDone(part);
    if (last)
        announce(j);
}

void MessageService::sendEnded(qint64 id) {
    SendJob* j = job(id);
    if (!j || j->m_finished)
        return;
    commit(j, Judge(j->m_parts));
    announce(j);
}

void MessageService::stopped(qint64 id) {
    SendJob* j = job(id);
    if (!j || j->m_finished)
        return;
    // The part being submitted never reached the phone (a stop after its PDU
    // left reports it as unknown): a message none of whose parts went out
    // failed, one with parts gone may be anywhere.
    const bool anyOut = std::any_of(j->m_parts.begin(), j->m_parts.end(), [](const PartOutcome& p) {
        return p.outcome == SubmitOutcome::Sent || p.outcome == SubmitOutcome::Unknown;
    });
    commit(j, {anyOut ? msg::State::Uncertain : msg::State::Failed, msg::Reason::Stopped, {}});
    announce(j);
}

void MessageService::stopAll() {
    std::vector<qint64> going;
    for (const auto& [id, job] : m_jobs)
        if (!job->m_finished)
            going.push_back(id);
    for (const qint64 id : going)
        stopped(id);
}

void MessageService::commit(SendJob* j, const Verdict& v) {
    if (m_store) {
        if (const auto set = m_store->SetState(j->id(), v.state, v.reason, v.code); !set)
            emit storeProblem(m_store->ProblemFor(set.error()));
    }
    j->m_state = v.state;
    j->m_reason = v.reason;
    j->m_code = v.code;
    j->m_finished = true;
}

void MessageService::announce(SendJob* j) {
    emit messageChanged(j->id(), j->m_state, j->m_reason, j->m_code.value_or(-1));
    emit j->stateChanged(j->m_state);
    emit j->finished();
    if (j->m_released)
        release(j);
}

void MessageService::deliveryReport(int reference, int status) {
    if (!m_store)
        return;
    const auto matched = m_store->RecordReport(m_transport.Modem(), reference, status);
    if (!matched) {
        emit storeProblem(m_store->ProblemFor(matched.error()));
        return;
    }
    if (matched.value() == 0)
        return;
    const auto message = m_store->Message(matched.value());
    if (!message)
        return;
    emit messageChanged(message->id, message->state, message->reason, message->reasonCode.value_or(-1));
    if (SendJob* j = job(message->id)) {
        j->m_state = message->state;
        j->m_reason = message->reason;
        j->m_code = message->reasonCode;
        emit j->stateChanged(message->state);
    }
}

void MessageTransport::DeleteStored(const StoredMessage& part) {
    if (m_service)
        m_service->deleteEnded(part, Q(translate("MessageService", "there is no phone to delete it on")));
}

std::optional<DeleteRefusal> MessageService::whyNotDelete(const StoredMessage& part) const {
    if (!m_store)
        return DeleteRefusal{DeleteRefusal::NoStore, m_storeWhy};
    if (m_store->fault() == MessageStore::Fault::Damaged)
        return DeleteRefusal{DeleteRefusal::Damaged, m_store->faultText()};
    // Asked of the file, not of what this run remembers: only a committed
    // record is found there.
    if (!m_store->HasPdu(Q(part.pdu)))
        return DeleteRefusal{DeleteRefusal::NotRecorded, {}};
    return std::nullopt;
}

std::optional<DeleteRefusal> MessageService::deleteStored(const StoredMessage& part) {
    if (auto refused = whyNotDelete(part))
        return refused;
    m_transport.DeleteStored(part);
    return std::nullopt;
}

void MessageService::deleteEnded(const StoredMessage& part, const QString& why) {
    emit storedDeleted(part, why);
}

void MessageService::storedRead(const QList<StoredMessage>& messages) {
    const ModemId modem = m_transport.Modem();
    for (const StoredMessage& m : messages) {
        if (!m_store) {
            emit pduReceived(0, m, true);
            continue;
        }
        const auto recorded = m_store->AddReceived(modem, Q(m.storage), m.index, Q(m.pdu));
        if (!recorded) {
            // Not kept, but still logged as it always was.
            emit storeProblem(m_store->ProblemFor(recorded.error()));
            emit pduReceived(0, m, true);
            continue;
        }
        emit pduReceived(recorded->id, m, recorded->newPdu);
        if (recorded->newPlace)
            emit messageChanged(recorded->id, msg::State::Received, msg::Reason::None, -1);
    }
}

} // namespace velmora
