// The one place that decides what another program's request does: each
// door (D-Bus, HTTP, the hooks) only turns its form into these calls and
// their answers back into its form.

#include "MessageApi.h"

#include "ConcatReference.h"
#include "CountryCode.h"
#include "MessageCentre.h"
#include "MessageService.h"
#include "Terms.h"
#include "Translations.h"

#include <QCoreApplication>
#include <map>

namespace velmora {

namespace {

// How often the store is read for what other programs wrote to it (a
// velmora-cli --queue, a second program on the store): the centre's own
// changes are told at once.
constexpr int kPollMs = 250;
// How often what ran out of time is expired, whatever the modems do.
constexpr int kExpireMs = 1000;
// Events read at a time while catching up.
constexpr int kEventsAtOnce = 500;
// A text longer than this is no message whatever its coding: 255 parts of
// at most 160 characters.
constexpr qsizetype kMaxText = 255 * 160;
// Hex of a content (a picture, a ringtone): far above any message's.
constexpr qsizetype kMaxContent = 64 * 1024;

ApiError Error(ApiError::Code code, const QString& why) { return {code, why}; }

// The fields of RequestToJson and the kind of value each holds; any other
// field is a typing mistake of the caller.
const std::map<QString, QJsonValue::Type>& MessageFields() {
    static const std::map<QString, QJsonValue::Type> fields{
        {QStringLiteral("kind"), QJsonValue::String},
        {QStringLiteral("destination"), QJsonValue::String},
        {QStringLiteral("text"), QJsonValue::String},
        {QStringLiteral("textUnits"), QJsonValue::String},
        {QStringLiteral("flash"), QJsonValue::Bool},
        {QStringLiteral("blink"), QJsonValue::Bool},
        {QStringLiteral("longText"), QJsonValue::Bool},
        {QStringLiteral("unicode"), QJsonValue::Bool},
        {QStringLiteral("concatReference"), QJsonValue::Double},
        {QStringLiteral("content"), QJsonValue::String},
        {QStringLiteral("mcc"), QJsonValue::String},
        {QStringLiteral("nc"), QJsonValue::String},
        {QStringLiteral("indicatorKind"), QJsonValue::Double},
        {QStringLiteral("active"), QJsonValue::Bool},
        {QStringLiteral("countryCode"), QJsonValue::String},
    };
    return fields;
}

// The name a part's outcome has where --json and the signals name it.
QString OutcomeName(SubmitOutcome outcome) {
    switch (outcome) {
    case SubmitOutcome::Sent:
        return QStringLiteral("sent");
    case SubmitOutcome::Failed:
        return QStringLiteral("failed");
    case SubmitOutcome::NoPduMode:
        return QStringLiteral("no-pdu-mode");
    case SubmitOutcome::NoPrompt:
        return QStringLiteral("no-prompt");
    case SubmitOutcome::LinkLost:
        return QStringLiteral("link-lost");
    case SubmitOutcome::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

} // namespace

QString ApiErrorName(ApiError::Code code) {
    switch (code) {
    case ApiError::BadRequest:
        return QStringLiteral("BadRequest");
    case ApiError::Refused:
        return QStringLiteral("Refused");
    case ApiError::NotFound:
        return QStringLiteral("NotFound");
    case ApiError::Conflict:
        return QStringLiteral("Conflict");
    case ApiError::Store:
        return QStringLiteral("Store");
    case ApiError::NoStore:
        return QStringLiteral("NoStore");
    }
    return QStringLiteral("BadRequest");
}

MessageApi::MessageApi(MessageCentre& centre, QObject* parent) : QObject(parent), m_centre(centre) {
    // What was before is history, not news.
    if (MessageStore* store = m_centre.store()) {
        m_seen = store->LastEventSeq();
        m_begun = true;
    }
    for (ModemChannel* channel : m_centre.channels())
        watch(channel);
    connect(&m_centre, &MessageCentre::channelAdded, this, &MessageApi::watch);
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &MessageApi::pump);
    m_poll.start();
    // A message's time runs out while no modem would take it too: a
    // caller waiting for its end hears of it then.
    m_expire.setInterval(kExpireMs);
    connect(&m_expire, &QTimer::timeout, this, [this] {
        const std::vector<ModemChannel*> channels = m_centre.channels();
        if (!channels.empty())
            channels.front()->outbox().expire();
        else if (MessageStore* store = m_centre.store(); store && store->fault() == MessageStore::Fault::None)
            store->ExpireQueued(QDateTime::currentDateTimeUtc());
    });
    m_expire.start();
    const auto forget = [this] {
        if (MessageStore* store = m_centre.store(); store && store->fault() == MessageStore::Fault::None)
            store->ForgetKeysBefore(QDateTime::currentDateTimeUtc().addDays(-kKeyDays));
    };
    forget();
    m_forget.setInterval(24 * 3600 * 1000);
    connect(&m_forget, &QTimer::timeout, this, forget);
    m_forget.start();
}

MessageApi::~MessageApi() = default;

void MessageApi::watch(ModemChannel* channel) {
    MessageService& service = channel->service();
    // Committed before it is told: the event is in the store by now.
    connect(&service, &MessageService::messageChanged, this, &MessageApi::pump);
    connect(&service, &MessageService::pduReceived, this, &MessageApi::pump);
    connect(&channel->outbox(), &Outbox::messageChanged, this, &MessageApi::pump);
    // A batch queued or cancelled whole is told by its batch alone.
    connect(&channel->outbox(), &Outbox::batchChanged, this, &MessageApi::pump);
    // A part handed to the phone is no change of the message's state: told
    // as it comes, never stored as an event.
    connect(&service, &MessageService::partDone, this, [this](const PartOutcome& part) {
        emit stateChanged(part.id, QStringLiteral("sending"), OutcomeName(part.outcome),
                          static_cast<uint>(part.part + 1));
    });
}

void MessageApi::pump() {
    MessageStore* store = m_centre.store();
    if (!store)
        return;
    // A store the centre opened after this was made: its past is history
    // too.
    if (!m_begun) {
        m_seen = store->LastEventSeq();
        m_begun = true;
        return;
    }
    // Told from inside a listener (one that queues a message as it hears
    // of another): the loop below reads on until nothing is new.
    if (m_pumping) {
        m_pumpAgain = true;
        return;
    }
    m_pumping = true;
    const qint64 before = m_seen;
    do {
        m_pumpAgain = false;
        for (;;) {
            const auto events = store->EventsAfter(m_seen, kEventsAtOnce);
            if (!events || events.value().empty())
                break;
            for (const StoreEvent& e : events.value()) {
                m_seen = e.seq;
                m_telling = e.seq;
                if (e.kind == QLatin1String("received")) {
                    // One deleted since its event is no news any more.
                    if (const auto m = store->Message(e.message))
                        emit received(e.message, m->modem, m->number, m->text);
                } else {
                    emit stateChanged(e.message, e.state, e.reason, 0);
                }
                m_telling = 0;
            }
        }
    } while (m_pumpAgain);
    m_pumping = false;
    if (m_seen != before)
        emit eventsAdded(m_seen);
}

Result<Submitted, ApiError> MessageApi::submit(const QStringList& recipients, const QJsonObject& message,
                                               const SubmitOptions& options) {
    using R = Result<Submitted, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    if (!m_begun)
        pump(); // what is queued now is news, what was before is not
    if (recipients.isEmpty())
        return R::Fail(
            Error(ApiError::BadRequest, QCoreApplication::translate("MessageApi", "no recipient is given")));
    if (recipients.size() > kMaxRecipients)
        return R::Fail(
            Error(ApiError::BadRequest,
                  QCoreApplication::translate("MessageApi",
                                              "%1 recipients are given; a message goes to at most %2 at once")
                      .arg(recipients.size())
                      .arg(kMaxRecipients)));
    if (options.key.size() > kMaxKey)
        return R::Fail(Error(
            ApiError::BadRequest,
            QCoreApplication::translate("MessageApi", "the key is longer than %1 characters").arg(kMaxKey)));
    // A key seen before: its ids, whatever was asked this time and
    // whatever changed since (its expire time passed, its modem went).
    // The store looks again under its write lock before it records.
    if (!options.key.isEmpty())
        if (auto ids = store->KeyIds(options.key))
            return R::Ok({std::move(*ids), true});
    if (!options.modem.isEmpty() && !m_centre.channel(options.modem))
        return R::Fail(
            Error(ApiError::BadRequest,
                  QCoreApplication::translate("MessageApi", "no modem is called \"%1\"").arg(options.modem)));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    if (options.expire.isValid() &&
        (options.expire <= now || (options.at.isValid() && options.expire <= options.at)))
        return R::Fail(Error(ApiError::BadRequest,
                             QCoreApplication::translate("MessageApi", "it would expire before it may go")));

    for (auto it = message.begin(); it != message.end(); ++it) {
        const auto field = MessageFields().find(it.key());
        if (field == MessageFields().end())
            return R::Fail(Error(
                ApiError::BadRequest,
                QCoreApplication::translate("MessageApi", "the message has no field \"%1\"").arg(it.key())));
        if (it.value().type() != field->second)
            return R::Fail(Error(ApiError::BadRequest,
                                 QCoreApplication::translate(
                                     "MessageApi", "the message's field \"%1\" has a value of the wrong kind")
                                     .arg(it.key())));
    }
    if (!message.value(QLatin1String("kind")).isString())
        return R::Fail(Error(ApiError::BadRequest,
                             QCoreApplication::translate("MessageApi", "the message's kind is missing")));
    // textUnits: the text's UTF-16 units in hex, four digits each.
    if (message.value(QLatin1String("text")).toString().size() > kMaxText ||
        message.value(QLatin1String("textUnits")).toString().size() > 4 * kMaxText)
        return R::Fail(Error(ApiError::Refused,
                             QCoreApplication::translate(
                                 "MessageApi", "the text is longer than any message holds (%1 characters)")
                                 .arg(kMaxText)));
    if (message.value(QLatin1String("content")).toString().size() > kMaxContent)
        return R::Fail(
            Error(ApiError::Refused,
                  QCoreApplication::translate("MessageApi", "the content is longer than any message holds")));

    std::vector<MessageRecord> records;
    records.reserve(static_cast<std::size_t>(recipients.size()));
    qsizetype parts = 0;
    for (const QString& to : recipients) {
        QJsonObject one = message;
        one.insert(QStringLiteral("destination"), to);
        auto request = RequestFromJson(one);
        if (!request)
            return R::Fail(
                Error(ApiError::BadRequest,
                      QCoreApplication::translate(
                          "MessageApi", "the message's kind, a number or a code in it is not one there is")));
        if (!one.contains(QLatin1String("countryCode")))
            request->countryCode = HomeCountryCode().toStdString();
        // Each message its own: two long ones to one phone are not joined.
        request->concatReference = NextConcatReference(options.modem.toStdString());
        const auto built = BuildMessage(*request);
        if (!built) {
            const QString words = Localized(built.error().text);
            return R::Fail(Error(ApiError::Refused,
                                 recipients.size() == 1 ? words : QStringLiteral("%1: %2").arg(to, words)));
        }
        // Every recipient's message as long as this one: refused before
        // the rest are built.
        parts += static_cast<qsizetype>(built->pdus.size());
        const qsizetype wouldMake =
            parts + static_cast<qsizetype>(built->pdus.size()) *
                        (recipients.size() - static_cast<qsizetype>(records.size()) - 1);
        if (wouldMake > kMaxParts)
            return R::Fail(Error(
                ApiError::Refused,
                QCoreApplication::translate("MessageApi", "this would queue %1 parts (messages of %2 parts "
                                                          "to %3 recipients); one request queues at most %4")
                    .arg(wouldMake)
                    .arg(built->pdus.size())
                    .arg(recipients.size())
                    .arg(kMaxParts)));
        // Taken by no modem yet: the one that claims it is written then.
        MessageRecord record = OutgoingRecord(*request, *built, ModemId{});
        record.created = now;
        record.notBefore = options.at.isValid() ? options.at.toUTC() : QDateTime();
        record.expireAt = options.expire.isValid() ? options.expire.toUTC() : QDateTime();
        record.wantModem = options.modem;
        if (options.report)
            record.request.insert(QStringLiteral("report"), true);
        records.push_back(std::move(record));
    }
    if (store->fault() != MessageStore::Fault::None)
        return R::Fail(Error(ApiError::Store, store->faultText()));
    bool again = false;
    auto added = store->AddQueuedKeyed(records, options.key, &again);
    if (!added)
        return R::Fail(Error(ApiError::Store, QString::fromStdString(added.error())));
    if (!again) {
        pump();
        m_centre.poke();
    }
    return R::Ok({std::move(added.value()), again});
}

Result<Submitted, ApiError> MessageApi::submitText(const QStringList& recipients, const QString& text,
                                                   const SubmitOptions& options) {
    return submit(recipients,
                  {{QStringLiteral("kind"), QStringLiteral("text")},
                   {QStringLiteral("text"), text},
                   {QStringLiteral("longText"), true},
                   {QStringLiteral("unicode"), true}},
                  options);
}

Result<bool, ApiError> MessageApi::cancel(qint64 id) {
    using R = Result<bool, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    const auto m = store->Message(id);
    if (!m)
        return R::Fail(Error(ApiError::NotFound,
                             QCoreApplication::translate("MessageApi", "there is no message %1").arg(id)));
    const auto left = [&](msg::State state) {
        return R::Fail(Error(ApiError::Conflict,
                             QCoreApplication::translate(
                                 "MessageApi", "message %1 is %2; only a queued message can be cancelled")
                                 .arg(id)
                                 .arg(terms::StateWord(state))));
    };
    if (m->direction != msg::Direction::Out || m->state != msg::State::Queued)
        return left(m->state);
    // Through an outbox when there is one: the window's batch list hears of it.
    const std::vector<ModemChannel*> channels = m_centre.channels();
    const auto done =
        channels.empty() ? store->CancelQueued(id) : channels.front()->outbox().cancelMessage(id);
    if (!done)
        return R::Fail(Error(ApiError::Store, QString::fromStdString(done.error())));
    if (!done.value()) {
        // Taken by a modem between the look and the cancel.
        const auto now = store->Message(id);
        return left(now ? now->state : msg::State::Sending);
    }
    pump();
    return R::Ok(true);
}

Result<MessageRecord, ApiError> MessageApi::get(qint64 id) {
    using R = Result<MessageRecord, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    auto m = store->Message(id);
    if (!m)
        return R::Fail(Error(ApiError::NotFound,
                             QCoreApplication::translate("MessageApi", "there is no message %1").arg(id)));
    return R::Ok(std::move(*m));
}

Result<std::vector<MessageRecord>, ApiError> MessageApi::list(const HistoryQuery& query) {
    using R = Result<std::vector<MessageRecord>, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    if (query.offset < 0)
        return R::Fail(
            Error(ApiError::BadRequest, QCoreApplication::translate("MessageApi", "the offset is below 0")));
    return R::Ok(store->Messages(query));
}

Result<MessagePage, ApiError> MessageApi::after(qint64 cursor, std::optional<msg::Direction> direction,
                                                int limit) {
    using R = Result<MessagePage, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    if (cursor < 0)
        return R::Fail(
            Error(ApiError::BadRequest, QCoreApplication::translate("MessageApi", "the cursor is below 0")));
    if (limit < 1 || limit > 1000)
        return R::Fail(Error(ApiError::BadRequest,
                             QCoreApplication::translate("MessageApi", "the limit is not from 1 to 1000")));
    const QString kind = !direction                         ? QString()
                         : *direction == msg::Direction::In ? QStringLiteral("received")
                                                            : QStringLiteral("state");
    auto page = store->MessagesAfter(cursor, kind, limit);
    if (!page)
        return R::Fail(Error(ApiError::Store, QString::fromStdString(page.error())));
    return R::Ok(std::move(page.value()));
}

Result<std::vector<ModemRecord>, ApiError> MessageApi::modems() {
    using R = Result<std::vector<ModemRecord>, ApiError>;
    MessageStore* store = m_centre.store();
    if (!store)
        return R::Fail(Error(ApiError::NoStore, m_centre.noStoreReason().text()));
    auto known = store->Modems();
    if (!known)
        return R::Fail(Error(ApiError::Store, QString::fromStdString(known.error())));
    for (ModemRecord& m : known.value()) {
        const auto depth = store->QueueDepth(m.name);
        if (!depth)
            return R::Fail(Error(ApiError::Store, QString::fromStdString(depth.error())));
        m.queued = depth.value();
    }
    return R::Ok(std::move(known.value()));
}

} // namespace velmora
