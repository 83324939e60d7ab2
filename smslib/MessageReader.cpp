#include "MessageReader.h"

#include "Words.h"

#include "EmsPdu.h"
#include "NetworkTable.h"
#include "Primitives.h"
#include "RingtoneReader.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

namespace velmora {

namespace {

using Read = Result<ReadMessage>;

constexpr int kRingtonePort = 0x1581, kLogoPort = 0x1582, kGroupPort = 0x1583, kPicturePort = 0x158A;

const char* const kKindNames[] = {"text", "flash", "logo",      "group", "picture", "ringtone",
                                  "ems",  "void",  "indicator", "data",  "report"};

int OctetAt(std::string_view hex, std::size_t i) { return static_cast<int>(HexToInt(hex.substr(2 * i, 2))); }

std::optional<int> PortOf(const DecodedPdu& pdu) {
    for (const auto& e : pdu.header) {
        if (e.id == 0x05 && e.data.size() == 8)
            return static_cast<int>(HexToInt(std::string_view(e.data).substr(0, 4)));
        if (e.id == 0x04 && e.data.size() == 4)
            return OctetAt(e.data, 0);
    }
    return std::nullopt;
}

// Octets of content one after another, each refusal naming the octet (of the
// content, from 1) and the field.
class ContentReader {
public:
    ContentReader(std::string_view hex, const char* what) : m_hex(hex), m_what(what) {}
    bool Has(std::size_t n) const { return m_at + 2 * n <= m_hex.size(); }
    int Octet() {
        const int v = OctetAt(m_hex, m_at / 2);
        m_at += 2;
        return v;
    }
    std::string Take(std::size_t n) {
        std::string s(m_hex.substr(m_at, 2 * n));
        m_at += 2 * n;
        return s;
    }
    void Skip(std::size_t n) { m_at += 2 * n; }
    Read Refuse(const char* field) const {
        return Read::Fail(
            Fill(VELMORA_WORDS("smslib/MessageReader", "%1: cannot read octet %2 of its content (%3)"),
                 {m_what, std::to_string(m_at / 2 + 1), field}));
    }

private:
    std::string_view m_hex;
    const char* m_what;
    std::size_t m_at = 0;
};

// The OTA bitmap: info field, width, height, depth, then the pixels.
std::optional<Read> ReadOta(ContentReader& r, ReadMessage& m) {
    if (!r.Has(4))
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "bitmap header"));
    r.Skip(1);
    m.width = r.Octet();
    m.height = r.Octet();
    if (r.Octet() != 1)
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "bitmap depth: only black and white is read"));
    const std::size_t octets = static_cast<std::size_t>((m.width + 7) / 8 * m.height);
    if (!r.Has(octets))
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "bitmap"));
    m.content = r.Take(octets);
    return std::nullopt;
}

Read ReadLogo(std::string_view data, ReadMessage m) {
    ContentReader r(data, VELMORA_WORDS("smslib/MessageReader", "operator logo"));
    if (!r.Has(3))
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "network code"));
    const MccNc network = SplitNetworkCode(r.Take(3));
    m.mcc = network.mcc;
    m.nc = network.nc;
    // Some phones put a line feed between the network and the bitmap.
    ContentReader peek = r;
    if (peek.Has(1) && peek.Octet() == 0x0A)
        r.Skip(1);
    if (auto refused = ReadOta(r, m))
        return *refused;
    return Read::Ok(std::move(m));
}

Read ReadGroup(std::string_view data, ReadMessage m) {
    ContentReader r(data, VELMORA_WORDS("smslib/MessageReader", "group graphic"));
    if (auto refused = ReadOta(r, m))
        return *refused;
    return Read::Ok(std::move(m));
}

// A version octet "0", then items: type, a two-octet length, the item.
Read ReadPicture(std::string_view data, ReadMessage m) {
    ContentReader r(data, VELMORA_WORDS("smslib/MessageReader", "picture message"));
    if (!r.Has(1) || r.Octet() != 0x30)
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "version"));
    bool picture = false;
    while (r.Has(1)) {
        if (!r.Has(3))
            return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "item header"));
        const int type = r.Octet();
        const std::size_t length = static_cast<std::size_t>(r.Octet() * 256 + r.Octet());
        if (!r.Has(length))
            return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "item"));
        const std::string item = r.Take(length);
        if (type == 0x00) {
            for (std::size_t i = 0; i < length; ++i)
                m.text += static_cast<char16_t>(OctetAt(item, i));
        } else if (type == 0x02 && !picture) {
            ContentReader bitmap(item, VELMORA_WORDS("smslib/MessageReader", "picture message"));
            if (auto refused = ReadOta(bitmap, m))
                return *refused;
            picture = true;
        }
    }
    if (!picture)
        return r.Refuse(VELMORA_WORDS("smslib/MessageReader", "bitmap item"));
    return Read::Ok(std::move(m));
}

Read ReadRingtoneContent(std::string_view data, ReadMessage m) {
    const auto tune = ReadRingtone(data);
    if (!tune)
        return Read::Fail(Fill(VELMORA_WORDS("smslib/MessageReader", "ringtone: %1"), {tune.error()}));
    m.content = std::string(data);
    m.rtttl = tune->rtttl;
    m.title = tune->title;
    m.tempo = tune->tempo;
    return Read::Ok(std::move(m));
}

std::u16string TextOf(const DecodedPdu& p) {
    if (p.coding != UserDataCoding::EightBit)
        return p.text;
    std::u16string text;
    for (std::size_t i = 0; i + 2 <= p.data.size(); i += 2)
        text += static_cast<char16_t>(OctetAt(p.data, i / 2));
    return text;
}

bool IsEmsElement(int id) { return id >= 0x0A && id <= 0x1F; }

std::string TwoDigits(int n) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d", n);
    return s;
}

// The composer's tag for an EMS element, "" for one it has none for.
std::string TagOf(const HeaderElement& e) {
    const std::string_view d = e.data;
    const std::size_t octets = d.size() / 2;
    if ((e.id == 0x0D || e.id == 0x0B) && octets == 2)
        return (e.id == 0x0D ? "[#ANI" : "[#SND") + TwoDigits(OctetAt(d, 1)) + "]";
    if (e.id == 0x12 && octets >= 3) {
        const int width = OctetAt(d, 1) * 8, height = OctetAt(d, 2);
        if (octets == 3 + static_cast<std::size_t>(width / 8 * height))
            return MakeEmsPictureTag(width, height, d.substr(6));
    }
    // Large (32 x 32) and small (16 x 16) pictures.
    if (e.id == 0x10 && octets == 1 + 128)
        return MakeEmsPictureTag(32, 32, d.substr(2));
    if (e.id == 0x11 && octets == 1 + 32)
        return MakeEmsPictureTag(16, 16, d.substr(2));
    return "";
}

// Each part's elements put at their positions in that part's text.
std::u16string TaggedText(const std::vector<DecodedPdu>& parts) {
    std::u16string out;
    for (const auto& part : parts) {
        const std::u16string text = TextOf(part);
        std::vector<std::pair<std::size_t, std::string>> tags;
        for (const auto& e : part.header)
            if (IsEmsElement(e.id) && e.data.size() >= 2)
                if (std::string tag = TagOf(e); !tag.empty())
                    tags.emplace_back(
                        std::min<std::size_t>(static_cast<std::size_t>(OctetAt(e.data, 0)), text.size()),
                        std::move(tag));
        std::stable_sort(tags.begin(), tags.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        std::size_t at = 0;
        for (const auto& [position, tag] : tags) {
            out.append(text, at, position - at);
            out.append(tag.begin(), tag.end());
            at = position;
        }
        out.append(text, at);
    }
    return out;
}

// TS 23.038 clause 4, the message-waiting groups; TS 23.040 9.2.3.24.2, the
// special SMS message indication.
bool ReadIndication(const DecodedPdu& p, ReadMessage& m) {
    const int group = p.dcs & 0xF0;
    if (group == 0xC0 || group == 0xD0 || group == 0xE0) {
        m.store = group != 0xC0;
        m.active = (p.dcs & 8) != 0;
        m.indicatorKind = (p.dcs & 3) + 1;
        m.kind = group == 0xC0 && m.active && m.indicatorKind == 4 && m.text.empty() ? ContentKind::Void
                                                                                     : ContentKind::Indicator;
        return true;
    }
    for (const auto& e : p.header) {
        if (e.id == 0x01 && e.data.size() == 4) {
            const int type = OctetAt(e.data, 0);
            m.store = (type & 0x80) != 0;
            m.indicatorKind = (type & 3) + 1;
            m.waiting = OctetAt(e.data, 1);
            m.active = *m.waiting > 0;
            m.kind = ContentKind::Indicator;
            return true;
        }
    }
    return false;
}

std::vector<int> MissingParts(const std::vector<DecodedPdu>& parts, int total) {
    std::vector<int> missing;
    for (int seq = 1; seq <= total; ++seq)
        if (std::none_of(parts.begin(), parts.end(), [&](const DecodedPdu& p) {
                const auto info = PartOf(p);
                return info && info->seq == seq;
            }))
            missing.push_back(seq);
    return missing;
}

} // namespace

const char* ContentKindName(ContentKind kind) { return kKindNames[static_cast<int>(kind)]; }

std::optional<PartInfo> PartOf(const DecodedPdu& pdu) {
    for (const auto& e : pdu.header) {
        PartInfo info;
        if (e.id == 0x00 && e.data.size() == 6)
            info = {OctetAt(e.data, 0), OctetAt(e.data, 1), OctetAt(e.data, 2)};
        else if (e.id == 0x08 && e.data.size() == 8)
            info = {OctetAt(e.data, 0) * 256 + OctetAt(e.data, 1), OctetAt(e.data, 2), OctetAt(e.data, 3)};
        else
            continue;
        if (info.total > 0 && info.seq > 0 && info.seq <= info.total)
            return info;
    }
    return std::nullopt;
}

Read ReadParts(const std::vector<DecodedPdu>& parts) {
    if (parts.empty())
        return Read::Fail(VELMORA_WORDS("smslib/MessageReader", "no part of the message came"));
    ReadMessage m;
    m.pdu = parts.front();
    if (m.pdu.type == PduType::StatusReport) {
        m.kind = ContentKind::Report;
        return Read::Ok(std::move(m));
    }
    if (const auto info = PartOf(m.pdu)) {
        m.parts = PartInfo{info->reference, info->total, 1};
        m.missing = MissingParts(parts, info->total);
    }
    m.port = PortOf(m.pdu);
    m.truncated = std::any_of(parts.begin(), parts.end(), [](const DecodedPdu& p) { return p.truncated; });
    std::string data;
    for (const auto& p : parts) {
        m.text += p.text;
        data += p.data;
    }
    if (m.pdu.compressed) {
        // What it holds is said and its octets shown, never read as text
        // in another coding.
        m.compressed = true;
        m.content = data;
        m.kind = m.port || m.pdu.coding == UserDataCoding::EightBit ? ContentKind::Data
                 : m.pdu.messageClass == 0                          ? ContentKind::Flash
                                                                    : ContentKind::Text;
        return Read::Ok(std::move(m));
    }
    if (m.port) {
        if (m.port == kRingtonePort || m.port == kLogoPort || m.port == kGroupPort ||
            m.port == kPicturePort) {
            m.kind = m.port == kRingtonePort ? ContentKind::Ringtone
                     : m.port == kLogoPort   ? ContentKind::Logo
                     : m.port == kGroupPort  ? ContentKind::Group
                                             : ContentKind::Picture;
            // A content spread over parts is read once all of them came.
            if (!m.missing.empty())
                return Read::Ok(std::move(m));
            switch (m.kind) {
            case ContentKind::Ringtone:
                return ReadRingtoneContent(data, std::move(m));
            case ContentKind::Logo:
                return ReadLogo(data, std::move(m));
            case ContentKind::Group:
                return ReadGroup(data, std::move(m));
            default:
                return ReadPicture(data, std::move(m));
            }
        }
        m.kind = ContentKind::Data;
        return Read::Ok(std::move(m));
    }
    if (ReadIndication(m.pdu, m))
        return Read::Ok(std::move(m));
    const bool ems = std::any_of(m.pdu.header.begin(), m.pdu.header.end(),
                                 [](const HeaderElement& e) { return IsEmsElement(e.id); });
    if (ems || (m.pdu.coding == UserDataCoding::EightBit && m.pdu.hasHeader)) {
        m.kind = ContentKind::Ems;
        m.text = TaggedText(parts);
        return Read::Ok(std::move(m));
    }
    if (m.pdu.coding == UserDataCoding::EightBit) {
        // For no application: most phones show such octets as ISO-8859-1 text.
        m.kind = ContentKind::Data;
        for (const auto& p : parts)
            m.text += TextOf(p);
        return Read::Ok(std::move(m));
    }
    if (m.pdu.messageClass == 0) {
        m.kind = ContentKind::Flash;
        if (!m.text.empty() && m.text.front() == u'\u0001') {
            m.blink = true;
            m.text.erase(0, 1);
        }
    }
    return Read::Ok(std::move(m));
}

Read ReadPdu(std::string_view hex, bool withSmsc) {
    auto pdu = DecodePdu(hex, withSmsc);
    if (!pdu)
        return Read::Fail(pdu.error());
    return ReadParts({std::move(pdu.value())});
}

std::vector<ReadEntry> ReadMessages(const std::vector<std::string>& hexes, bool withSmsc) {
    std::vector<ReadEntry> out;
    // A long message's entry, by its sender or destination, type, reference
    // and total; its parts wait beside it until the list is read.
    using Key = std::tuple<std::string, int, int, int>;
    std::map<Key, std::size_t> groups;
    std::vector<std::vector<std::pair<int, DecodedPdu>>> pending(hexes.size());
    for (std::size_t i = 0; i < hexes.size(); ++i) {
        auto pdu = DecodePdu(hexes[i], withSmsc);
        if (!pdu) {
            out.push_back({{i}, Read::Fail(pdu.error())});
            continue;
        }
        const auto info = PartOf(*pdu);
        if (!info) {
            out.push_back({{i}, ReadParts({std::move(pdu.value())})});
            continue;
        }
        const Key key{pdu->number, static_cast<int>(pdu->type), info->reference, info->total};
        auto [it, fresh] = groups.try_emplace(key, out.size());
        if (fresh)
            out.push_back({{}, Read::Fail("")});
        auto& parts = pending[it->second];
        // The same part twice (a phone's duplicate) counts once.
        if (std::none_of(parts.begin(), parts.end(), [&](const auto& p) { return p.first == info->seq; })) {
            parts.emplace_back(info->seq, std::move(pdu.value()));
            out[it->second].sources.push_back(i);
        }
    }
    for (const auto& [key, at] : groups) {
        auto& parts = pending[at];
        std::vector<std::size_t> order(parts.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return parts[a].first < parts[b].first; });
        std::vector<DecodedPdu> sorted;
        std::vector<std::size_t> sources;
        for (std::size_t i : order) {
            sorted.push_back(std::move(parts[i].second));
            sources.push_back(out[at].sources[i]);
        }
        out[at].sources = std::move(sources);
        out[at].message = ReadParts(sorted);
    }
    return out;
}

std::optional<MessageRequest> RequestFor(const ReadMessage& m) {
    MessageRequest r;
    r.destination = m.pdu.number;
    switch (m.kind) {
    case ContentKind::Text:
    case ContentKind::Flash:
        r.kind = MessageKind::Text;
        r.text = m.text;
        r.flash = m.kind == ContentKind::Flash;
        r.blink = m.blink;
        r.longText = m.parts.has_value();
        r.unicode = !r.flash && m.pdu.coding == UserDataCoding::Ucs2;
        r.concatReference = m.parts ? m.parts->reference & 0xFF : 0;
        return r;
    case ContentKind::Logo:
        r.mcc = m.mcc;
        r.nc = m.nc;
        [[fallthrough]];
    case ContentKind::Group:
    case ContentKind::Picture:
    case ContentKind::Ringtone:
        // Velmora's tabs send 72 x 14 (72 x 28) bitmaps and say so in the
        // header; another size would reach the phone as a broken picture.
        if (m.content.empty() || (m.kind != ContentKind::Ringtone &&
                                  (m.width != 72 || m.height != (m.kind == ContentKind::Picture ? 28 : 14))))
            return std::nullopt;
        r.kind = m.kind == ContentKind::Logo      ? MessageKind::Logo
                 : m.kind == ContentKind::Group   ? MessageKind::Group
                 : m.kind == ContentKind::Picture ? MessageKind::Picture
                                                  : MessageKind::Ringtone;
        r.content = m.content;
        return r;
    case ContentKind::Ems:
        r.kind = MessageKind::Ems;
        r.text = m.text;
        return r;
    case ContentKind::Void:
        r.kind = MessageKind::Void;
        return r;
    case ContentKind::Indicator:
        if (m.indicatorKind < 1 || m.indicatorKind > 3)
            return std::nullopt;
        r.kind = MessageKind::Indicator;
        r.indicatorKind = m.indicatorKind;
        r.active = m.active;
        return r;
    default:
        return std::nullopt;
    }
}

std::vector<std::string> DrawBitmap(std::string_view content, int width, int height) {
    std::vector<std::string> rows;
    const std::size_t stride = static_cast<std::size_t>((width + 7) / 8);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const std::size_t octet = static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x / 8);
            const bool black =
                2 * octet + 2 <= content.size() && (OctetAt(content, octet) & (0x80 >> (x % 8))) != 0;
            row += black ? '#' : '.';
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace velmora
