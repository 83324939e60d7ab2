#pragma once

// Fills a message store for the history's tests through the store's own
// calls, as the service does: outgoing messages from requests taken to a
// state, received ones from the SMS-DELIVER PDUs a phone would list.

#include "MessageStore.h"
#include "MessageTypes.h"
#include "Primitives.h"

#include <QDateTime>
#include <QString>

#include <cstdio>
#include <string>
#include <vector>

namespace velmora::testing {

// The SMS-DELIVER (TS 23.040 9.2.2.1) that carries what an SMS-SUBMIT as
// the builders write it (SC "00", first octet, TP-MR, TP-DA, TP-PID, TP-DCS,
// a relative TP-VP, TP-UDL, TP-UD) carries, from its destination, stamped
// `when` (UTC).
inline std::string DeliverOf(const std::string& submit, const QDateTime& when) {
    std::size_t at = 2;
    const int first = static_cast<int>(HexToInt(submit.substr(at, 2)));
    at += 4; // first octet, TP-MR
    const int digits = static_cast<int>(HexToInt(submit.substr(at, 2)));
    const std::size_t addressLength = 4 + static_cast<std::size_t>((digits + 1) / 2 * 2);
    const std::string address = submit.substr(at, addressLength);
    at += addressLength;
    const std::string pidDcs = submit.substr(at, 4);
    at += 6; // PID, DCS, VP
    const QDateTime t = when.toUTC();
    const QString stamp = t.toString("yyMMddHHmmss") + "00";
    const std::string scts = SwapSemiOctets(stamp.toStdString());
    char fo[3];
    std::snprintf(fo, sizeof fo, "%02X", (first & 0x40) | 0x04); // TP-MTI 00, TP-MMS, TP-UDHI kept
    return "00" + std::string(fo) + address + pidDcs + scts + submit.substr(at);
}

// A request's message recorded going out and taken to `state`.
inline qint64 AddSent(MessageStore& store, const MessageRequest& request, msg::State state,
                      msg::Reason reason = msg::Reason::None, std::optional<int> code = std::nullopt,
                      const QDateTime& when = QDateTime::currentDateTimeUtc()) {
    const auto job = BuildMessage(request);
    if (!job)
        return 0;
    MessageRecord m;
    m.direction = msg::Direction::Out;
    m.number = QString::fromStdString(job->number);
    m.kind = request.kind == MessageKind::Text && request.flash ? "flash" : "text";
    m.text = QString::fromStdU16String(request.text);
    m.request = RequestToJson(request);
    m.created = when;
    for (std::size_t i = 0; i < job->pdus.size(); ++i) {
        PartRecord p;
        p.part = static_cast<int>(i) + 1;
        p.pdu = QString::fromStdString(job->pdus[i]);
        m.parts.push_back(p);
    }
    const auto id = store.AddOutgoing(m);
    if (!id)
        return 0;
    if (state == msg::State::Queued)
        return *id;
    if (state != msg::State::Sending && !store.SetState(*id, msg::State::Sending, {}, {}, when))
        return 0;
    if (!store.SetState(*id, state, reason, code, when))
        return 0;
    return *id;
}

// A message received: its PDUs as the phone lists them, from `storage`
// places `firstIndex` on.
inline qint64 AddReceived(MessageStore& store, const MessageRequest& request, const QDateTime& when,
                          int firstIndex = 1) {
    const auto job = BuildMessage(request);
    if (!job)
        return 0;
    qint64 id = 0;
    int index = firstIndex;
    for (const std::string& submit : job->pdus) {
        const auto r = store.AddReceived({"510100000000001", "/dev/ttyUSB0"}, "SM", index++,
                                         QString::fromStdString(DeliverOf(submit, when)), when);
        if (!r)
            return 0;
        id = r->id;
    }
    return id;
}

inline MessageRequest Text(const std::string& number, const std::u16string& text) {
    MessageRequest r;
    r.destination = number;
    r.text = text;
    r.longText = text.size() > 160;
    return r;
}

} // namespace velmora::testing
