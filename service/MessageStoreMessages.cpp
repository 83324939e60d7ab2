// Messages: recording one going out and each step of it, each PDU read
// from a phone (a long message's parts joined), delivery reports, and
// reading, searching and deleting them.

#include "MessageStoreImpl.h"
#include "Terms.h"

#include <QJsonArray>

namespace velmora {

namespace {

// A PDU is at most 176 octets after its service-centre address; anything
// much longer is not one.
constexpr qsizetype kMaxPduChars = 1024;
// Parts of a long message are joined only when their time stamps lie within
// this of each other: a sender's reference comes round again after 256
// messages, and a part lost years ago must not take in a new message.
constexpr qint64 kJoinWindowMs = 3LL * 24 * 3600 * 1000;
// What a message that is not a text says of itself, at most this long.
constexpr std::size_t kSummaryLength = 200;

// ---- reading a message from its PDUs

void FillFromRead(const Result<ReadMessage>& read, MessageRecord& r) {
    InboxEntry entry;
    entry.message = read;
    if (!read) {
        r.kind = QStringLiteral("unreadable");
        r.text = QString::fromStdU16String(InboxSummary(entry, kSummaryLength));
        r.content = {{QStringLiteral("error"), QString::fromStdString(read.error())}};
        return;
    }
    const ReadMessage& m = *read;
    r.kind = QLatin1String(ContentKindName(m.kind));
    const bool words = m.kind == ContentKind::Text || m.kind == ContentKind::Flash ||
                       m.kind == ContentKind::Ems || m.kind == ContentKind::Picture;
    // What the message holds; what it is, in words, is made as it is shown
    // (terms::MessageText), in the reader's language.
    r.text = QString::fromStdU16String(words                           ? m.text
                                       : m.kind == ContentKind::Report ? InboxSummary(entry, kSummaryLength)
                                                                       : std::u16string());
    QJsonObject c;
    const auto put = [&](const char* key, const QJsonValue& v) { c.insert(QLatin1String(key), v); };
    if (!m.content.empty())
        put("content", QString::fromStdString(m.content));
    if (m.compressed)
        put("compressed", true);
    if (m.width > 0) {
        put("width", m.width);
        put("height", m.height);
    }
    if (m.kind == ContentKind::Logo) {
        put("mcc", QString::fromStdString(m.mcc));
        put("nc", QString::fromStdString(m.nc));
    }
    if (m.kind == ContentKind::Ringtone) {
        put("rtttl", QString::fromStdString(m.rtttl));
        put("title", QString::fromStdU16String(Latin1ToUtf16(m.title)));
        put("tempo", m.tempo);
    }
    if (m.kind == ContentKind::Indicator) {
        put("indicatorKind", m.indicatorKind);
        put("active", m.active);
        put("store", m.store);
        if (m.waiting)
            put("waiting", *m.waiting);
    }
    if (m.blink)
        put("blink", true);
    if (m.port)
        put("port", *m.port);
    if (m.parts) {
        put("reference", m.parts->reference);
        put("total", m.parts->total);
    }
    if (!m.missing.empty()) {
        QJsonArray missing;
        for (const int part : m.missing)
            missing.append(part);
        put("missing", missing);
    }
    if (m.truncated)
        put("truncated", true);
    if (!m.pdu.timestamp.empty())
        put("timestamp", QString::fromStdString(m.pdu.timestamp));
    if (!m.pdu.smsc.empty())
        put("smsc", QString::fromStdString(m.pdu.smsc));
    if (m.pdu.messageClass)
        put("class", *m.pdu.messageClass);
    r.content = c;
}

struct Filter {
    QString where; // " WHERE ..." or ""
    QVariantList values;
};

// How many of the newest messages a search with a limit reads first: a
// common word fills a page of results from them alone, sooner than the
// index gathers every message that holds it.
constexpr int kNewestWindow = 2000;

// `newest`: only the newest kNewestWindow messages, each read (Messages'
// first try).
Filter FilterFor(const sql::Dialect& sql, const HistoryQuery& query, bool newest = false) {
    QStringList clauses;
    Filter f;
    if (!query.number.isEmpty()) {
        clauses << QStringLiteral("m.peer = ?");
        f.values << ConversationKey(query.number);
    }
    if (query.state == msg::State::Cancelled) {
        // Older stores kept a cancelled message as failed (see RecordAt).
        clauses << QStringLiteral(
            "(m.state = 'cancelled' OR (m.state = 'failed' AND m.reason = 'cancelled'))");
    } else if (query.state == msg::State::Failed) {
        clauses << QStringLiteral("m.state = 'failed' AND m.reason <> 'cancelled'");
    } else if (query.state) {
        clauses << QStringLiteral("m.state = ?");
        f.values << QString::fromLatin1(msg::StateName(*query.state));
    }
    if (query.direction) {
        clauses << QStringLiteral("m.direction = ?");
        f.values << QString::fromLatin1(msg::DirectionName(*query.direction));
    }
    if (query.batch) {
        clauses << QStringLiteral("m.batch_id = ?");
        f.values << *query.batch;
    }
    if (const QString word = query.search.trimmed(); !word.isEmpty()) {
        const QString folded = word.toCaseFolded();
        const QString byName = QStringLiteral("m.peer IN (SELECT b.peer FROM phonebook b WHERE %1)")
                                   .arg(sql.Contains(QStringLiteral("b.fold"), QStringLiteral("?")));
        // Read message by message, not through the index.
        const QString inText =
            QStringLiteral("(EXISTS (SELECT 1 FROM search s WHERE s.%1 = m.id AND %2) OR %3)")
                .arg(sql.SearchId(), sql.Contains(QStringLiteral("s.fold"), QStringLiteral("?")), byName);
        if (newest) {
            clauses << QStringLiteral("m.at >= coalesce((SELECT at FROM messages ORDER BY at DESC, id DESC"
                                      " LIMIT 1 OFFSET %1), 0)")
                           .arg(kNewestWindow - 1);
            clauses << inText;
            f.values << folded << folded;
        } else if (folded.size() >= 3) {
            clauses << QStringLiteral("(m.id IN (SELECT %1 FROM search WHERE %2) OR %3)")
                           .arg(sql.SearchId(), sql.Matches(QStringLiteral("fold"), QStringLiteral("?")),
                                byName);
            f.values << sql.Pattern(folded) << folded;
        } else {
            // Too short for the index of three characters: such a word is
            // in many messages, and the newest are read until enough match.
            clauses << inText;
            f.values << folded << folded;
        }
    }
    if (!clauses.isEmpty())
        f.where = QStringLiteral(" WHERE ") + clauses.join(QStringLiteral(" AND "));
    return f;
}

void Bind(QSqlQuery& q, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
}

// A page of a search (never of a batch, listed in its own order): looked
// for among the newest messages first.
bool IsSearchPage(const HistoryQuery& query) {
    return query.limit > 0 && !query.search.trimmed().isEmpty() && !query.batch;
}

// The statement listing what `query` asks for, run and ready to be read.
QSqlQuery ListMessages(const QSqlDatabase& db, const HistoryQuery& query, bool newest) {
    const sql::Dialect sql = sql::Dialect::Of(db);
    const Filter f = FilterFor(sql, query, newest);
    // A batch's recipients are listed in the order they were given.
    const QString order =
        query.batch ? QStringLiteral("m.position, m.id") : QStringLiteral("m.at DESC, m.id DESC");
    QSqlQuery q = Prepare(db, QStringLiteral("SELECT %1 FROM messages m%2 ORDER BY %3%4")
                                  .arg(kMessageColumns, f.where, order,
                                       sql.LimitOffset(query.limit, std::max(0, query.offset))));
    Bind(q, f.values);
    Run(q);
    return q;
}

} // namespace

QString ConversationKey(const QString& number, const QString& countryCode) {
    const QString typed = number.trimmed();
    // Read as a destination is, so each way of writing a number finds the
    // messages sent to it and the name it has in the phone book.
    const QString digits =
        QString::fromStdString(NormaliseDestination(typed.toStdString(), countryCode.toStdString()));
    if (digits.isEmpty())
        return typed.toLower();
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return typed.toLower();
    return digits;
}

qint64 MessageStore::Impl::InsertMessage(const MessageRecord& r, bool queued) {
    QSqlQuery& q =
        Cached(QStringLiteral(
                   "INSERT INTO messages(direction, peer, number, kind, text, content, request, state,"
                   " reason, reason_code, modem_imsi, modem_device, created, sent, delivered, received, at,"
                   " complete, batch_id, position, tries, not_before, name, modem, want_modem, expire_at)"
                   " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") +
               dialect.ReturningId());
    const QDateTime created = r.created.isValid() ? r.created : QDateTime::currentDateTimeUtc();
    const QDateTime at = r.received.isValid() ? r.received : created;
    const QVariant noInt{QMetaType(QMetaType::Int)};
    const QVariant noBatch{QMetaType(QMetaType::LongLong)};
    QJsonObject request = r.request;
    if (r.replaces)
        request.insert(QStringLiteral("replaces"), r.replaces);
    Run(q, {QString::fromLatin1(msg::DirectionName(r.direction)),
            Text(ConversationKey(r.number)),
            Text(r.number),
            Text(r.kind),
            Text(r.text),
            Json(r.content),
            Json(request),
            QString::fromLatin1(msg::StateName(r.state)),
            Text(QString::fromLatin1(msg::ReasonName(r.reason))),
            Optional(r.reasonCode),
            Text(r.modemImsi),
            Text(r.modemDevice),
            created.toMSecsSinceEpoch(),
            Millis(r.sent),
            Millis(r.delivered),
            Millis(r.received),
            at.toMSecsSinceEpoch(),
            r.complete ? 1 : 0,
            r.batch != 0 ? QVariant(r.batch) : noBatch,
            r.batch != 0 ? QVariant(r.position) : noInt,
            r.tries,
            Millis(r.notBefore),
            r.name.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(r.name),
            Text(r.modem),
            queued ? QVariant(Text(r.wantModem)) : QVariant(QMetaType(QMetaType::QString)),
            Millis(r.expireAt)});
    const qint64 id = InsertedId(q);
    Index(id, r.number, r.text);
    return id;
}

qint64 MessageStore::Impl::InsertOutgoing(const MessageRecord& message, bool queued) {
    MessageRecord r = message;
    r.direction = msg::Direction::Out;
    const qint64 id = InsertMessage(r, queued);
    for (const PartRecord& p : message.parts)
        InsertPart(id, p);
    return id;
}

qint64 MessageStore::Impl::InsertRead(const MessageRecord& r, std::optional<PartInfo> joining) {
    QSqlQuery& q = Cached(
        QStringLiteral(
            "INSERT INTO messages(direction, peer, number, kind, text, content, state, created, received, at,"
            " complete, concat_ref, concat_total, modem) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") +
        dialect.ReturningId());
    const qint64 received = r.received.toMSecsSinceEpoch();
    const QVariant noInt{QMetaType(QMetaType::Int)};
    Run(q, {QString::fromLatin1(msg::DirectionName(r.direction)), Text(ConversationKey(r.number)),
            Text(r.number), Text(r.kind), Text(r.text), Json(r.content),
            QString::fromLatin1(msg::StateName(r.state)), QDateTime::currentMSecsSinceEpoch(), received,
            received, r.complete ? 1 : 0, joining ? QVariant(joining->reference) : noInt,
            joining ? QVariant(joining->total) : noInt, Text(r.modem)});
    const qint64 id = InsertedId(q);
    Index(id, r.number, r.text);
    return id;
}

void MessageStore::Impl::InsertReadPart(qint64 message, int part, qint64 pduId) {
    QSqlQuery& q = Cached(QStringLiteral("INSERT INTO parts(message_id, part, pdu_id) VALUES(?, ?, ?)"));
    Run(q, {message, part, pduId});
}

void MessageStore::Impl::InsertPart(qint64 message, const PartRecord& p) {
    QSqlQuery& q =
        Cached(QStringLiteral("INSERT INTO parts(message_id, part, pdu, reference, answer, report_status)"
                              " VALUES(?, ?, ?, ?, ?, ?)"));
    Run(q, {message, p.part, PduValue(Canonical(p.pdu), dialect.pg), Optional(p.reference), Text(p.answer),
            Optional(p.reportStatus)});
}

qint64 MessageStore::Impl::FindPdu(const QByteArray& canonical) {
    QSqlQuery& q = Cached(QStringLiteral("SELECT id, pdu FROM pdus WHERE hash = ?"));
    Run(q, {PduHash(canonical)});
    const QString text = QString::fromLatin1(canonical);
    qint64 id = 0;
    while (id == 0 && q.next())
        if (PduText(q.value(1), dialect.pg) == text)
            id = q.value(0).toLongLong();
    q.finish();
    return id;
}

ReceivedRecord MessageStore::Impl::Receive(const QString& modem, const QString& modemName,
                                           const QString& storage, int index, const QByteArray& canonical,
                                           qint64 whenMs, const Result<DecodedPdu>* decoded) {
    ReceivedRecord r;
    qint64 pduId = FindPdu(canonical);
    if (pduId == 0) {
        QSqlQuery& add =
            Cached(QStringLiteral("INSERT INTO pdus(hash, pdu) VALUES(?, ?)") + dialect.ReturningId());
        Run(add, {PduHash(canonical), PduValue(canonical, dialect.pg)});
        pduId = InsertedId(add);
        r.newPdu = true;
    }
    QSqlQuery& place = Cached(dialect.InsertOrIgnore(
        QStringLiteral("INTO places(pdu_id, modem, storage, idx, seen) VALUES(?, ?, ?, ?, ?)")));
    Run(place, {pduId, Text(modem), Text(storage), index, QDateTime::currentMSecsSinceEpoch()});
    r.newPlace = place.numRowsAffected() > 0;
    if (!r.newPdu) {
        r.id = Scalar(Cached(QStringLiteral("SELECT message_id FROM parts WHERE pdu_id = ?")), {pduId}, 0)
                   .toLongLong();
        return r;
    }
    const Result<DecodedPdu> own =
        decoded ? Result<DecodedPdu>::Fail("") : DecodePdu(canonical.toStdString());
    const Result<DecodedPdu>& pdu = decoded ? *decoded : own;
    if (!pdu) {
        MessageRecord m;
        m.direction = msg::Direction::In;
        m.state = msg::State::Received;
        m.received = QDateTime::fromMSecsSinceEpoch(whenMs, Qt::UTC);
        m.modem = modemName;
        FillFromRead(Result<ReadMessage>::Fail("its PDU could not be read: " + pdu.error()), m);
        r.id = InsertRead(m);
        InsertReadPart(r.id, 1, pduId);
        return r;
    }
    if (pdu->type == PduType::StatusReport)
        return r; // remembered as read; RecordReport is the path for reports
    r.id = NewMessageFrom(*pdu, pduId, whenMs, modemName);
    return r;
}

qint64 MessageStore::Impl::NewMessageFrom(const DecodedPdu& pdu, qint64 pduId, qint64 whenMs,
                                          const QString& modemName) {
    const long long stamp = TimestampSeconds(pdu.timestamp);
    const qint64 receivedMs = stamp != 0 ? stamp * 1000 : whenMs;
    const bool out = pdu.type == PduType::Submit; // the phone's own sent or unsent messages
    const auto part = PartOf(pdu);
    const QString number = QString::fromStdString(pdu.number);
    if (part && part->total > 1) {
        QSqlQuery& find = Cached(
            QStringLiteral("SELECT id FROM messages m WHERE complete = 0 AND peer = ? AND concat_ref = ?"
                           " AND concat_total = ? AND direction = ? AND modem = ? AND abs(received - ?) <= ?"
                           " AND NOT EXISTS (SELECT 1 FROM parts p WHERE p.message_id = m.id AND p.part = ?)"
                           " ORDER BY id DESC LIMIT 1"));
        const qint64 joined =
            Scalar(find,
                   {ConversationKey(number), part->reference, part->total,
                    QString::fromLatin1(msg::DirectionName(out ? msg::Direction::Out : msg::Direction::In)),
                    Text(modemName), receivedMs, kJoinWindowMs, part->seq},
                   0)
                .toLongLong();
        if (joined != 0) {
            InsertReadPart(joined, part->seq, pduId);
            QSqlQuery& earliest =
                Cached(QStringLiteral("UPDATE messages SET received = %1, at = %2 WHERE id = ?")
                           .arg(dialect.Least(QStringLiteral("received"), QStringLiteral("?")),
                                dialect.Least(QStringLiteral("at"), QStringLiteral("?"))));
            Run(earliest, {receivedMs, receivedMs, joined});
            Rejoin(joined);
            return joined;
        }
    }
    MessageRecord m;
    m.direction = out ? msg::Direction::Out : msg::Direction::In;
    m.state = out ? msg::State::Sent : msg::State::Received;
    m.number = number;
    m.received = QDateTime::fromMSecsSinceEpoch(receivedMs, Qt::UTC);
    m.modem = modemName;
    m.complete = !(part && part->total > 1);
    FillFromRead(ReadParts({pdu}), m);
    const bool joining = part && part->total > 1;
    const qint64 id = InsertRead(m, joining ? part : std::nullopt);
    InsertReadPart(id, joining ? part->seq : 1, pduId);
    return id;
}

// A long message read again from every part it has: the text in part order,
// complete once all came.
void MessageStore::Impl::Rejoin(qint64 message) {
    QSqlQuery& parts = Cached(QStringLiteral("SELECT d.pdu FROM parts p JOIN pdus d ON d.id = p.pdu_id"
                                             " WHERE p.message_id = ? ORDER BY p.part"));
    Run(parts, {message});
    std::vector<DecodedPdu> decoded;
    while (parts.next())
        if (auto pdu = DecodePdu(PduText(parts.value(0), dialect.pg).toStdString()))
            decoded.push_back(std::move(*pdu));
    parts.finish();
    MessageRecord m;
    const Result<ReadMessage> read = ReadParts(decoded);
    FillFromRead(read, m);
    const bool complete = read && read->parts && read->missing.empty();
    QSqlQuery& update = Cached(
        QStringLiteral("UPDATE messages SET kind = ?, text = ?, content = ?, complete = ? WHERE id = ?"));
    Run(update, {Text(m.kind), Text(m.text), Json(m.content), complete ? 1 : 0, message});
    Index(message,
          Scalar(Cached(QStringLiteral("SELECT number FROM messages WHERE id = ?")), {message}).toString(),
          m.text);
}

void MessageStore::Impl::LoadParts(std::vector<MessageRecord>& records) {
    if (records.empty())
        return;
    std::map<qint64, MessageRecord*> byId;
    for (MessageRecord& r : records)
        byId[r.id] = &r;
    // A few hundred ids a statement, well within SQLite's limit of bound values.
    constexpr std::size_t kChunk = 500;
    for (std::size_t start = 0; start < records.size(); start += kChunk) {
        const std::size_t n = std::min(kChunk, records.size() - start);
        QStringList marks;
        for (std::size_t i = 0; i < n; ++i)
            marks << QStringLiteral("?");
        QSqlQuery q = Prepare(
            db,
            QStringLiteral(
                "SELECT p.message_id, p.part, coalesce(p.pdu, d.pdu), p.reference, p.answer,"
                " p.report_status,"
                " (SELECT l.storage FROM places l WHERE l.pdu_id = p.pdu_id ORDER BY l.seen DESC LIMIT 1),"
                " (SELECT l.idx FROM places l WHERE l.pdu_id = p.pdu_id ORDER BY l.seen DESC LIMIT 1)"
                " FROM parts p LEFT JOIN pdus d ON d.id = p.pdu_id"
                " WHERE p.message_id IN (%1) ORDER BY p.message_id, p.part")
                .arg(marks.join(QLatin1Char(','))));
        for (std::size_t i = 0; i < n; ++i)
            q.bindValue(static_cast<int>(i), records[start + i].id);
        Run(q);
        while (q.next()) {
            PartRecord p;
            p.part = q.value(1).toInt();
            p.pdu = PduText(q.value(2), dialect.pg);
            p.reference = OptionalInt(q.value(3));
            p.answer = q.value(4).toString();
            p.reportStatus = OptionalInt(q.value(5));
            p.storage = q.value(6).toString();
            if (!q.value(7).isNull() && q.value(7).toInt() >= 0)
                p.index = q.value(7).toInt();
            byId[q.value(0).toLongLong()]->parts.push_back(std::move(p));
        }
    }
}

Result<qint64> MessageStore::AddOutgoing(const MessageRecord& message) {
    try {
        Transaction t(d->db);
        const MessageRecord& r = message;
        const qint64 id = d->InsertOutgoing(r);
        // The one it replaces says so in the same step, and only if nothing
        // replaced it yet: two programs resending one message at once record
        // one replacement, and the other is refused before any PDU leaves.
        if (r.replaces != 0) {
            QSqlQuery& mark = d->Cached(
                QStringLiteral(
                    "UPDATE messages SET request = %1"
                    " WHERE id = ? AND direction = 'out' AND state IN ('failed', 'uncertain', 'cancelled')"
                    " AND %2 IS NULL")
                    .arg(d->dialect.JsonWithNumber(QStringLiteral("request"), QStringLiteral("replacedBy"),
                                                   QStringLiteral("?")),
                         d->dialect.JsonField(QStringLiteral("request"), QStringLiteral("replacedBy"))));
            Run(mark, {id, r.replaces});
            if (mark.numRowsAffected() != 1)
                return Result<qint64>::Fail(d->Refused(
                    QCoreApplication::translate(
                        "MessageStore", "message %1 was sent again already, or is no longer one to send "
                                        "again")
                        .arg(r.replaces)));
        }
        t.Commit();
        return Result<qint64>::Ok(id);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetState(qint64 id, msg::State state, msg::Reason reason, std::optional<int> code,
                                    const QDateTime& when) {
    const qint64 at = when.toMSecsSinceEpoch();
    auto update = state == msg::State::Sending ? &Impl::DurableUpdate : &Impl::Update;
    return (d.get()->*update)(
        // A message another program took since (its lease ran out and it
        // was queued again) is that program's: a late word from this one
        // does not overwrite it.
        // Its owner stays once it ended, so that a late word of another
        // program that once had it changes nothing either.
        QStringLiteral("UPDATE messages SET state = ?, reason = ?, reason_code = ?,"
                       " sent = CASE WHEN ? THEN coalesce(sent, ?) ELSE sent END,"
                       " delivered = CASE WHEN ? THEN ? ELSE delivered END,"
                       " owner = CASE WHEN ? THEN ? ELSE owner END,"
                       " lease_until = CASE WHEN ? THEN %1 + ? ELSE NULL END"
                       " WHERE id = ? AND (owner IS NULL OR owner = ?)")
            .arg(d->dialect.NowMillis()),
        {QString::fromLatin1(msg::StateName(state)), Text(QString::fromLatin1(msg::ReasonName(reason))),
         Optional(code), state == msg::State::Sent, at, state == msg::State::Delivered, at,
         state == msg::State::Sending, d->owner(), state == msg::State::Sending, d->leaseMs, id, d->owner()});
}

Result<bool> MessageStore::SetPartSent(qint64 id, int part, std::optional<int> reference,
                                       const QString& answer) {
    return d->Update(
        QStringLiteral(
            "UPDATE parts SET reference = ?, answer = ?, sent = ? WHERE message_id = ? AND part = ?"),
        {Optional(reference), Text(answer), QDateTime::currentMSecsSinceEpoch(), id, part});
}

Result<qint64> MessageStore::RecordReport(const ModemId& modem, int reference, int status,
                                          const QDateTime& when) {
    try {
        Transaction t(d->db);
        // The modem of the same name, then by its SIM when both sides know
        // it; else a named modem is itself on any port (it may come back
        // under another), the one unnamed modem the one on the same port.
        QSqlQuery& find = d->Cached(
            QStringLiteral("SELECT p.id, p.message_id FROM parts p JOIN messages m ON m.id = p.message_id"
                           " WHERE p.reference = ? AND p.report_status IS NULL AND m.direction = 'out'"
                           " AND m.modem = ? AND ((? <> '' AND m.modem_imsi = ?)"
                           " OR ((? = '' OR m.modem_imsi = '') AND (? <> '' OR m.modem_device = ?)))"
                           " ORDER BY p.sent DESC, p.id DESC LIMIT 1"));
        const QString imsi = Text(modem.imsi);
        const QString name = Text(modem.name);
        Run(find, {reference, name, imsi, imsi, imsi, name, Text(modem.device)});
        if (!find.next()) {
            find.finish();
            return Result<qint64>::Ok(0);
        }
        const qint64 part = find.value(0).toLongLong();
        const qint64 message = find.value(1).toLongLong();
        find.finish();
        // A centre still trying sends its final report later.
        if (!IsFinalStatus(status))
            return Result<qint64>::Ok(message);
        QSqlQuery& mark =
            d->Cached(QStringLiteral("UPDATE parts SET report_status = ?, report_time = ? WHERE id = ?"));
        Run(mark, {status, when.toMSecsSinceEpoch(), part});
        if (!IsDelivered(status)) {
            QSqlQuery& failed =
                d->Cached(QStringLiteral("UPDATE messages SET state = 'not-delivered',"
                                         " reason = 'report-failed', reason_code = ? WHERE id = ?"));
            Run(failed, {status, message});
        } else {
            const int waiting =
                Scalar(d->Cached(QStringLiteral("SELECT count(*) FROM parts WHERE message_id = ?"
                                                " AND (report_status IS NULL OR report_status >= 32)")),
                       {message}, 0)
                    .toInt();
            if (waiting == 0) {
                QSqlQuery& delivered =
                    d->Cached(QStringLiteral("UPDATE messages SET state = 'delivered', reason = '',"
                                             " reason_code = NULL, delivered = ? WHERE id = ?"));
                Run(delivered, {when.toMSecsSinceEpoch(), message});
            }
        }
        t.Commit();
        return Result<qint64>::Ok(message);
    } catch (const SqlFailed& f) {
        return Result<qint64>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetText(qint64 id, const QString& text) {
    try {
        Transaction t(d->db);
        QSqlQuery& q = d->Cached(QStringLiteral("UPDATE messages SET text = ? WHERE id = ?"));
        Run(q, {Text(text), id});
        const bool changed = q.numRowsAffected() > 0;
        if (changed) {
            QSqlQuery& number = d->Cached(QStringLiteral("SELECT number FROM messages WHERE id = ?"));
            Run(number, {id});
            const QString n = number.next() ? number.value(0).toString() : QString();
            number.finish();
            d->Index(id, n, text);
        }
        t.Commit();
        return Result<bool>::Ok(changed);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

Result<int> MessageStore::MarkInterrupted() {
    try {
        Transaction t(d->db);
        QSqlQuery& left = d->Cached(QStringLiteral("SELECT id, owner FROM messages WHERE state = 'sending'"));
        Run(left);
        std::vector<qint64> stopped;
        while (left.next())
            if (!StillRunning(left.value(1).toString()))
                stopped.push_back(left.value(0).toLongLong());
        left.finish();
        QSqlQuery& q = d->Cached(QStringLiteral("UPDATE messages SET state = 'uncertain', reason = 'stopped',"
                                                " reason_code = NULL, owner = NULL WHERE id = ?"));
        for (const qint64 id : stopped)
            Run(q, {id});
        t.Commit();
        return Result<int>::Ok(static_cast<int>(stopped.size()));
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

Result<bool> MessageStore::SetModem(qint64 id, const ModemId& modem) {
    return d->Update(
        QStringLiteral("UPDATE messages SET modem_imsi = ?, modem_device = ?, modem = ? WHERE id = ?"),
        {Text(modem.imsi), Text(modem.device), Text(modem.name), id});
}

Result<ReceivedRecord> MessageStore::AddReceived(const ModemId& modem, const QString& storage,
                                                 std::optional<int> index, const QString& pdu,
                                                 const QDateTime& when) {
    using R = Result<ReceivedRecord>;
    const QByteArray canonical = Canonical(pdu);
    const QString place = index ? storage + QLatin1Char(':') + QString::number(*index) : storage;
    if (canonical.isEmpty())
        return R::Fail(
            d->Refused(QCoreApplication::translate(
                           "MessageStore", "The message from %1 was not recorded: the phone gave no PDU")
                           .arg(place)));
    if (canonical.size() > kMaxPduChars)
        return R::Fail(d->Refused(
            QCoreApplication::translate(
                "MessageStore", "The message from %1 was not recorded: its PDU is longer than %2 characters")
                .arg(place)
                .arg(kMaxPduChars)));
    try {
        Transaction t(d->db);
        const ReceivedRecord r = d->Receive(ModemKey(modem), modem.name, storage, index.value_or(-1),
                                            canonical, when.toMSecsSinceEpoch(), nullptr);
        t.Commit();
        return R::Ok(r);
    } catch (const SqlFailed& f) {
        return R::Fail(d->Failure(f));
    }
}

bool MessageStore::HasPdu(const QString& pdu) {
    try {
        return d->FindPdu(Canonical(pdu)) != 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return false;
    }
}

bool MessageStore::IsEmpty() {
    try {
        return Scalar(d->db, QStringLiteral("SELECT EXISTS (SELECT 1 FROM messages)"), {}, 0).toInt() == 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return true;
    }
}

std::optional<MessageRecord> MessageStore::Message(qint64 id) {
    try {
        QSqlQuery q =
            Prepare(d->db, QStringLiteral("SELECT %1 FROM messages m WHERE m.id = ?").arg(kMessageColumns));
        Run(q, {id});
        if (!q.next())
            return std::nullopt;
        std::vector<MessageRecord> one{RecordAt(q)};
        q.finish();
        d->LoadParts(one);
        return std::move(one.front());
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return std::nullopt;
    }
}

qint64 MessageStore::ReplacedBy(qint64 id) {
    try {
        // The replaced message names its replacement, written in the step
        // that recorded it; it stays named when the replacement is deleted.
        return Scalar(d->db,
                      QStringLiteral("SELECT %1 FROM messages WHERE id = ?")
                          .arg(d->dialect.JsonField(QStringLiteral("request"), QStringLiteral("replacedBy"))),
                      {id})
            .toLongLong();
    } catch (const SqlFailed&) {
        return 0;
    }
}

std::vector<MessageRecord> MessageStore::Messages(const HistoryQuery& query) {
    std::vector<MessageRecord> out;
    const auto list = [&](bool newest) {
        out.clear();
        QSqlQuery q = ListMessages(d->db, query, newest);
        while (q.next())
            out.push_back(RecordAt(q));
    };
    try {
        // A page found among the newest messages is the page: every other
        // message is older than all of them.
        const bool page = IsSearchPage(query);
        if (page)
            list(true);
        if (!page || out.size() < static_cast<std::size_t>(query.limit))
            list(false);
        d->LoadParts(out);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

Result<int> MessageStore::EachMessage(const HistoryQuery& query,
                                      const std::function<bool(const MessageRecord&)>& take) {
    using R = Result<int>;
    int given = 0;
    // A page of a search is found among the newest first (Messages): as
    // long as the page, never the whole store.
    if (IsSearchPage(query)) {
        for (const MessageRecord& m : Messages(query)) {
            ++given;
            if (!take(m))
                break;
        }
        return R::Ok(given);
    }
    try {
        QSqlQuery q = ListMessages(d->db, query, false);
        // Their parts are read for a few hundred at a time: one statement
        // a message would cost more than the message.
        constexpr std::size_t kChunk = 256;
        std::vector<MessageRecord> chunk;
        bool more = true;
        const auto hand = [&] {
            d->LoadParts(chunk);
            for (const MessageRecord& m : chunk) {
                ++given;
                if (!take(m)) {
                    more = false;
                    break;
                }
            }
            chunk.clear();
        };
        // The first rows go out at once, the rest in chunks.
        std::size_t next = 1;
        while (more && q.next()) {
            chunk.push_back(RecordAt(q));
            if (chunk.size() >= next) {
                hand();
                next = kChunk;
            }
        }
        if (more && q.lastError().isValid())
            throw SqlFailed{q.lastError()};
        q.finish();
        if (more)
            hand();
        return R::Ok(given);
    } catch (const SqlFailed& f) {
        d->Saw(f);
        if (const auto damage = DamageOf(d->path))
            return R::Fail(DamagedSentence(d->path, *damage).toStdString());
        return R::Fail(
            QCoreApplication::translate("MessageStore", "The message store %1 could not be read: %2")
                .arg(Shown(d->path), Why(f.error))
                .toStdString());
    }
}

int MessageStore::Count(const HistoryQuery& query) {
    try {
        const Filter f = FilterFor(d->dialect, query);
        QSqlQuery q = Prepare(d->db, QStringLiteral("SELECT count(*) FROM messages m%1").arg(f.where));
        Bind(q, f.values);
        Run(q);
        return q.next() ? q.value(0).toInt() : 0;
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

std::vector<Conversation> MessageStore::Conversations(const QString& search) {
    std::vector<Conversation> out;
    try {
        HistoryQuery query;
        query.search = search;
        const Filter f = FilterFor(d->dialect, query);
        // The number and text beside max(at) are the newest message's. With
        // nothing to search, the counts come from the index by conversation
        // alone and only each newest message is read.
        const QString sql =
            f.where.isEmpty()
                ? QStringLiteral(
                      "SELECT g.peer, m.number, m.text, g.last, g.n,"
                      " (SELECT b.name FROM phonebook b WHERE b.peer = g.peer ORDER BY b.id LIMIT 1),"
                      " m.kind, m.content"
                      " FROM (SELECT peer, max(at) AS last, count(*) AS n FROM messages GROUP BY peer) g"
                      " JOIN messages m ON m.id = (SELECT x.id FROM messages x WHERE x.peer = g.peer"
                      " ORDER BY x.at DESC, x.id DESC LIMIT 1)"
                      " ORDER BY g.last DESC")
            : !d->dialect.pg
                ? QStringLiteral(
                      "SELECT m.peer, m.number, m.text, max(m.at), count(*),"
                      " (SELECT b.name FROM phonebook b WHERE b.peer = m.peer ORDER BY b.id LIMIT 1),"
                      " m.kind, m.content"
                      " FROM messages m%1 GROUP BY m.peer ORDER BY max(m.at) DESC")
                      .arg(f.where)
                // SQLite reads the columns beside max() from its row; a
                // server reads that row again, among those found.
                : QStringLiteral(
                      "SELECT g.peer, m.number, m.text, g.last, g.n,"
                      " (SELECT b.name FROM phonebook b WHERE b.peer = g.peer ORDER BY b.id LIMIT 1),"
                      " m.kind, m.content"
                      " FROM (SELECT m.peer, max(m.at) AS last, count(*) AS n FROM messages m%1 GROUP BY "
                      "m.peer) g"
                      " JOIN messages m ON m.id = (SELECT m.id FROM messages m%1 AND m.peer = g.peer"
                      " AND m.at = g.last ORDER BY m.id DESC LIMIT 1)"
                      " ORDER BY g.last DESC")
                      .arg(f.where);
        QSqlQuery q = Prepare(d->db, sql);
        Bind(q, d->dialect.pg && !f.where.isEmpty() ? f.values + f.values : f.values);
        Run(q);
        while (q.next()) {
            Conversation c;
            c.key = q.value(0).toString();
            c.number = q.value(1).toString();
            // A logo's or a tune's words are made as they are read.
            MessageRecord newest;
            newest.text = q.value(2).toString();
            newest.kind = q.value(6).toString();
            newest.content = Object(q.value(7));
            c.lastText = terms::MessageText(newest);
            c.last = Time(q.value(3));
            c.count = q.value(4).toInt();
            c.name = q.value(5).toString();
            out.push_back(std::move(c));
        }
    } catch (const SqlFailed& f) {
        d->Saw(f);
        out.clear();
    }
    return out;
}

Result<bool> MessageStore::Delete(qint64 id) {
    try {
        Transaction t(d->db);
        QSqlQuery& q = d->Cached(QStringLiteral("DELETE FROM messages WHERE id = ?"));
        Run(q, {id});
        const bool deleted = q.numRowsAffected() > 0;
        Run(d->Cached(QStringLiteral("DELETE FROM search WHERE %1 = ?").arg(d->dialect.SearchId())), {id});
        // Its events go with it: a cursor past them finds nothing less.
        Run(d->Cached(QStringLiteral("DELETE FROM events WHERE message_id = ?")), {id});
        t.Commit();
        return Result<bool>::Ok(deleted);
    } catch (const SqlFailed& f) {
        return Result<bool>::Fail(d->Failure(f));
    }
}

namespace {
// What may go: not a message still to be sent, nor one on its way.
const char kOldWhere[] = " WHERE at < ? AND state NOT IN ('queued', 'sending')";
} // namespace

int MessageStore::CountBefore(const QDateTime& before) {
    try {
        return Scalar(d->db, QStringLiteral("SELECT count(*) FROM messages") + QLatin1String(kOldWhere),
                      {before.toMSecsSinceEpoch()}, 0)
            .toInt();
    } catch (const SqlFailed& f) {
        d->Saw(f);
        return 0;
    }
}

Result<int> MessageStore::DeleteBefore(const QDateTime& before) {
    try {
        Transaction t(d->db);
        const qint64 ms = before.toMSecsSinceEpoch();
        Exec(d->db, QStringLiteral("DELETE FROM search WHERE %1 IN (SELECT id FROM messages%2)")
                        .arg(d->dialect.SearchId(), QLatin1String(kOldWhere))
                        .replace(QLatin1Char('?'), QString::number(ms)));
        QSqlQuery events = Prepare(d->db, QStringLiteral("DELETE FROM events WHERE message_id IN"
                                                         " (SELECT id FROM messages%1)")
                                              .arg(QLatin1String(kOldWhere)));
        Run(events, {ms});
        QSqlQuery q = Prepare(d->db, QStringLiteral("DELETE FROM messages") + QLatin1String(kOldWhere));
        Run(q, {ms});
        const int deleted = q.numRowsAffected();
        t.Commit();
        return Result<int>::Ok(deleted);
    } catch (const SqlFailed& f) {
        return Result<int>::Fail(d->Failure(f));
    }
}

} // namespace velmora
