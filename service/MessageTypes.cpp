#include "MessageTypes.h"

#include <QJsonValue>

#include <array>
#include <utility>

namespace velmora {

namespace msg {

namespace {

constexpr std::array<std::pair<State, const char*>, 9> kStates{{
    {State::Queued, "queued"},
    {State::Sending, "sending"},
    {State::Sent, "sent"},
    {State::Delivered, "delivered"},
    {State::NotDelivered, "not-delivered"},
    {State::Failed, "failed"},
    {State::Uncertain, "uncertain"},
    {State::Received, "received"},
    {State::Cancelled, "cancelled"},
}};

constexpr std::array<std::pair<Direction, const char*>, 2> kDirections{{
    {Direction::Out, "out"},
    {Direction::In, "in"},
}};

constexpr std::array<std::pair<Reason, const char*>, 16> kReasons{{
    {Reason::None, ""},
    {Reason::CmsError, "cms-error"},
    {Reason::CmeError, "cme-error"},
    {Reason::Error, "error"},
    {Reason::NoPduMode, "no-pdu-mode"},
    {Reason::NoPrompt, "no-prompt"},
    {Reason::NoAnswer, "no-answer"},
    {Reason::LinkLost, "link-lost"},
    {Reason::NotConnected, "not-connected"},
    {Reason::Stopped, "stopped"},
    {Reason::ReportFailed, "report-failed"},
    {Reason::StoreFailed, "store-failed"},
    {Reason::Cancelled, "cancelled"},
    {Reason::Expired, "expired"},
    {Reason::Retrying, "retrying"},
    {Reason::Vanished, "vanished"},
}};

constexpr std::array<std::pair<BatchState, const char*>, 3> kBatchStates{{
    {BatchState::Active, "active"},
    {BatchState::Paused, "paused"},
    {BatchState::Cancelled, "cancelled"},
}};

template <class E, std::size_t N>
const char* NameIn(const std::array<std::pair<E, const char*>, N>& table, E e) {
    for (const auto& [value, name] : table)
        if (value == e)
            return name;
    return "";
}

template <class E, std::size_t N>
std::optional<E> ValueIn(const std::array<std::pair<E, const char*>, N>& table, std::string_view name) {
    for (const auto& [value, n] : table)
        if (name == n)
            return value;
    return std::nullopt;
}

} // namespace

const char* StateName(State state) { return NameIn(kStates, state); }
std::optional<State> StateFromName(std::string_view name) { return ValueIn(kStates, name); }
const char* DirectionName(Direction direction) { return NameIn(kDirections, direction); }
std::optional<Direction> DirectionFromName(std::string_view name) { return ValueIn(kDirections, name); }
const char* ReasonName(Reason reason) { return NameIn(kReasons, reason); }
std::optional<Reason> ReasonFromName(std::string_view name) { return ValueIn(kReasons, name); }
const char* BatchStateName(BatchState state) { return NameIn(kBatchStates, state); }
std::optional<BatchState> BatchStateFromName(std::string_view name) { return ValueIn(kBatchStates, name); }

bool IsFinal(State state) {
    switch (state) {
    case State::Delivered:
    case State::NotDelivered:
    case State::Failed:
    case State::Uncertain:
    case State::Received:
    case State::Cancelled:
        return true;
    case State::Queued:
    case State::Sending:
    case State::Sent: // a report may still come
        return false;
    }
    return false;
}

} // namespace msg

namespace {

// A text with a lone surrogate (half of a pair cut at a part's end) would
// come back from JSON as a replacement sign; such a text is kept as its
// UTF-16 code units in hex beside the words.
bool HasLoneSurrogate(const std::u16string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
                ++i;
                continue;
            }
            return true;
        }
        if (c >= 0xDC00 && c <= 0xDFFF)
            return true;
    }
    return false;
}

QString UnitsHex(const std::u16string& text) {
    QString hex;
    hex.reserve(static_cast<qsizetype>(text.size() * 4));
    for (const char16_t c : text)
        hex += QStringLiteral("%1").arg(static_cast<unsigned>(c), 4, 16, QLatin1Char('0'));
    return hex.toUpper();
}

std::optional<std::u16string> UnitsFromHex(const QString& hex) {
    if (hex.size() % 4 != 0)
        return std::nullopt;
    std::u16string text;
    for (qsizetype i = 0; i < hex.size(); i += 4) {
        bool ok = false;
        const uint unit = QStringView(hex).mid(i, 4).toUInt(&ok, 16);
        if (!ok)
            return std::nullopt;
        text.push_back(static_cast<char16_t>(unit));
    }
    return text;
}

// A field that is there must have the type it is written with; a missing
// one takes the request's default.
bool ReadString(const QJsonObject& json, const char* key, std::string& out) {
    const QJsonValue v = json.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isString())
        return false;
    out = v.toString().toStdString();
    return true;
}

bool ReadBool(const QJsonObject& json, const char* key, bool& out) {
    const QJsonValue v = json.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isBool())
        return false;
    out = v.toBool();
    return true;
}

bool ReadInt(const QJsonObject& json, const char* key, int& out, int low, int high) {
    const QJsonValue v = json.value(QLatin1String(key));
    if (v.isUndefined())
        return true;
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d != static_cast<double>(static_cast<long long>(d)) || d < low || d > high)
        return false;
    out = static_cast<int>(d);
    return true;
}

} // namespace

QJsonObject RequestToJson(const MessageRequest& r) {
    QJsonObject json{
        {QStringLiteral("kind"), QLatin1String(MessageKindName(r.kind))},
        {QStringLiteral("destination"), QString::fromStdString(r.destination)},
        {QStringLiteral("text"), QString::fromStdU16String(r.text)},
        {QStringLiteral("flash"), r.flash},
        {QStringLiteral("blink"), r.blink},
        {QStringLiteral("longText"), r.longText},
        {QStringLiteral("unicode"), r.unicode},
        {QStringLiteral("concatReference"), r.concatReference},
        {QStringLiteral("content"), QString::fromStdString(r.content)},
        {QStringLiteral("mcc"), QString::fromStdString(r.mcc)},
        {QStringLiteral("nc"), QString::fromStdString(r.nc)},
        {QStringLiteral("indicatorKind"), r.indicatorKind},
        {QStringLiteral("active"), r.active},
    };
    if (HasLoneSurrogate(r.text))
        json.insert(QStringLiteral("textUnits"), UnitsHex(r.text));
    // Only another than the first one there was: a message recorded before
    // the setting, and the same batch queued again, read as they did.
    if (r.countryCode != kDefaultCountryCode)
        json.insert(QStringLiteral("countryCode"), QString::fromStdString(r.countryCode));
    return json;
}

std::optional<MessageRequest> RequestFromJson(const QJsonObject& json) {
    MessageRequest r;
    const QJsonValue kind = json.value(QLatin1String("kind"));
    if (!kind.isString())
        return std::nullopt;
    const auto k = MessageKindFromName(kind.toString().toStdString());
    if (!k)
        return std::nullopt;
    r.kind = *k;
    const QJsonValue text = json.value(QLatin1String("text"));
    if (!text.isUndefined() && !text.isString())
        return std::nullopt;
    r.text = text.toString().toStdU16String();
    if (const QJsonValue units = json.value(QLatin1String("textUnits")); !units.isUndefined()) {
        const auto exact = units.isString() ? UnitsFromHex(units.toString()) : std::nullopt;
        if (!exact)
            return std::nullopt;
        r.text = *exact;
    }
    const bool ok = ReadString(json, "destination", r.destination) && ReadBool(json, "flash", r.flash) &&
                    ReadBool(json, "blink", r.blink) && ReadBool(json, "longText", r.longText) &&
                    ReadBool(json, "unicode", r.unicode) &&
                    ReadInt(json, "concatReference", r.concatReference, 0, 255) &&
                    ReadString(json, "content", r.content) && ReadString(json, "mcc", r.mcc) &&
                    ReadString(json, "nc", r.nc) && ReadInt(json, "indicatorKind", r.indicatorKind, 0, 255) &&
                    ReadBool(json, "active", r.active);
    if (!ok)
        return std::nullopt;
    if (json.contains(QLatin1String("countryCode")) &&
        (!ReadString(json, "countryCode", r.countryCode) || !IsCountryCode(r.countryCode)))
        return std::nullopt;
    return r;
}

} // namespace velmora
