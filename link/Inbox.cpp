#include "Inbox.h"

#include "StatusReport.h"
#include "Strings.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace velmora {

namespace {

std::u16string U(const std::string& ascii) { return Utf8ToUtf16(ascii); }

const char* IndicatorWord(int kind) {
    static const char* const words[] = {"Voicemail", "Fax", "E-mail", "Message"};
    return words[std::clamp(kind, 1, 4) - 1];
}

std::u16string WhatItIs(const ReadMessage& m) {
    // Read as text in another coding it would be garbage: what it is, and
    // its octets.
    if (m.compressed)
        return U("Compressed text: " + m.content);
    switch (m.kind) {
    case ContentKind::Logo:
        return U("Operator logo for " + m.mcc + " " + m.nc);
    case ContentKind::Group:
        return u"Group graphic";
    case ContentKind::Picture:
        return m.text.empty() ? u"Picture message" : u"Picture message: " + m.text;
    case ContentKind::Ringtone: {
        // The title's octets are ISO-8859-1, as the phone sent them.
        const std::u16string name = Latin1ToUtf16(m.title);
        return name.empty() ? u"Ringtone" : u"Ringtone: " + name;
    }
    case ContentKind::Void:
        return u"Void message";
    case ContentKind::Indicator:
        return U(std::string(IndicatorWord(m.indicatorKind)) +
                 (m.waiting  ? " waiting: " + std::to_string(*m.waiting)
                  : m.active ? " waiting"
                             : " read, none waiting"));
    case ContentKind::Data:
        return m.port ? U("Data for port " + std::to_string(*m.port)) : u"Data";
    case ContentKind::Report:
        return U("Delivery report: " + StatusText(m.pdu.status.value_or(0)));
    case ContentKind::Flash:
        return (m.blink ? u"Flash, blinking: " : u"Flash: ") + m.text;
    default:
        return m.text;
    }
}

} // namespace

std::u16string InboxKind(const ReadMessage& m) {
    switch (m.kind) {
    case ContentKind::Text:
        return m.parts ? U("Long text message, " + std::to_string(m.parts->total) + " parts")
                       : u"Text message";
    case ContentKind::Flash:
        return m.blink ? u"Flash message, blinking" : u"Flash message";
    case ContentKind::Ems:
        return u"EMS message";
    case ContentKind::Picture:
        return u"Picture message";
    default:
        return WhatItIs(m);
    }
}

std::vector<std::string> InboxEntry::Indexes() const {
    std::vector<std::string> out;
    for (const auto& p : parts)
        out.push_back(p.storage + ":" + std::to_string(p.index));
    return out;
}

long long TimestampSeconds(const std::string& iso) {
    int y, mo, d, h, mi, s, zh, zm;
    char sign;
    if (std::sscanf(iso.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d", &y, &mo, &d, &h, &mi, &s, &sign, &zh,
                    &zm) != 9 ||
        (sign != '+' && sign != '-'))
        return 0;
    // Days from the civil date (proleptic Gregorian).
    const int yy = y - (mo <= 2);
    const int era = (yy >= 0 ? yy : yy - 399) / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (mo + (mo > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long days = static_cast<long long>(era) * 146097 + doe - 719468;
    const long long zone = (sign == '-' ? -1 : 1) * (zh * 3600LL + zm * 60LL);
    return days * 86400 + h * 3600LL + mi * 60LL + s - zone;
}

std::vector<InboxEntry> JoinInbox(const std::vector<StoredMessage>& stored) {
    std::vector<std::string> hexes;
    for (const auto& m : stored)
        hexes.push_back(m.pdu);
    std::vector<InboxEntry> entries;
    for (auto& read : ReadMessages(hexes)) {
        InboxEntry e;
        for (std::size_t s : read.sources)
            e.parts.push_back(stored[s]);
        e.message = std::move(read.message);
        entries.push_back(std::move(e));
    }
    const auto key = [&](const InboxEntry& e) {
        const long long when = e.message ? TimestampSeconds(e.message->pdu.timestamp) : 0;
        const StoredMessage& first = *std::min_element(
            e.parts.begin(), e.parts.end(), [](const StoredMessage& a, const StoredMessage& b) {
                return std::tie(a.storage, a.index) < std::tie(b.storage, b.index);
            });
        return std::make_tuple(when == 0, when, first.storage, first.index);
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const InboxEntry& a, const InboxEntry& b) { return key(a) < key(b); });
    return entries;
}

std::u16string InboxSummary(const InboxEntry& entry, std::size_t length) {
    if (!entry.message)
        return U("Unreadable: " + entry.message.error());
    const ReadMessage& m = *entry.message;
    std::u16string text = WhatItIs(m);
    std::replace_if(
        text.begin(), text.end(), [](char16_t c) { return c < 0x20; }, u' ');
    if (text.size() > length) {
        // Never half a character: a surrogate pair stays whole or goes.
        std::size_t keep = length > 0 ? length - 1 : 0;
        if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
            --keep;
        text = text.substr(0, keep) + u"…";
    }
    if (!m.missing.empty())
        text += U(" (" + std::to_string(m.missing.size()) + " of " + std::to_string(m.parts->total) +
                  " parts missing)");
    return text;
}

} // namespace velmora
