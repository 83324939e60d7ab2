#include "SentMessage.h"

#include "StatusReport.h"

#include <QStringList>

#include <algorithm>

namespace velmora {

namespace {

bool Failed(SubmitOutcome o) { return o != SubmitOutcome::Sent && o != SubmitOutcome::Unknown; }

// A part that went out with a reference can be told of by a report; one
// without can never be matched to its report.
bool Awaits(const SentPart& p, bool reportAsked) {
    return reportAsked && p.outcome == SubmitOutcome::Sent && p.reference && !p.report;
}

// The first part the network could not deliver.
const SentPart* Undelivered(const std::vector<SentPart>& parts) {
    const auto it = std::find_if(parts.begin(), parts.end(),
                                 [](const SentPart& p) { return p.report && !IsDelivered(*p.report); });
    return it == parts.end() ? nullptr : &*it;
}

QString PartLine(const SentPart& p, bool reportAsked) {
    if (!p.outcome)
        return "being sent";
    QString line = *p.outcome == SubmitOutcome::Sent      ? "sent"
                   : *p.outcome == SubmitOutcome::Unknown ? "unknown whether it was sent"
                                                          : "failed";
    if (p.reference)
        line += ", reference " + QString::number(*p.reference);
    if (!reportAsked || *p.outcome != SubmitOutcome::Sent)
        return line;
    if (p.report)
        return line + ": " + p.reportText;
    return line + (p.reference ? ", waiting for its report" : ": no reference to know its report by");
}

} // namespace

int SentMessage::partAwaiting(int reference) const {
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (Awaits(parts[i], reportAsked) && *parts[i].reference == reference)
            return static_cast<int>(i);
    return -1;
}

int SentMessage::delivered() const {
    return static_cast<int>(std::count_if(
        parts.begin(), parts.end(), [](const SentPart& p) { return p.report && IsDelivered(*p.report); }));
}

QString SentMessage::state() const {
    const auto n = static_cast<int>(parts.size());
    const auto answered = static_cast<int>(
        std::count_if(parts.begin(), parts.end(), [](const SentPart& p) { return p.outcome; }));
    // One part lost loses the whole message: the phone cannot put it together.
    if (std::any_of(parts.begin(), parts.end(),
                    [](const SentPart& p) { return p.outcome && Failed(*p.outcome); }))
        return "Failed";
    if (answered < n)
        return n == 1 ? QString("Sending") : QString("Sending, %1 of %2 sent").arg(answered).arg(n);
    if (std::any_of(parts.begin(), parts.end(),
                    [](const SentPart& p) { return p.outcome == SubmitOutcome::Unknown; }))
        return "Unknown";
    if (!reportAsked)
        return "Sent";
    if (const SentPart* lost = Undelivered(parts))
        return lost->reportText;
    const int d = delivered();
    if (n == 1 && d == 1)
        return "Delivered";
    if (d == 0)
        return n == 1 ? "Sent, waiting for the report" : "Sent, waiting for the reports";
    return QString("%1 of %2 delivered").arg(d).arg(n);
}

QString SentMessage::reportStatus() const {
    if (const SentPart* lost = Undelivered(parts))
        return lost->reportText;
    const auto n = static_cast<int>(parts.size());
    const int d = delivered();
    if (d == n)
        return "Delivered";
    return QString("Delivered (%1 of %2)").arg(d).arg(n);
}

QString SentMessage::detail() const {
    QStringList lines;
    lines << "To: " + destination;
    lines << "Sent: " + when.toString("yyyy-MM-dd HH:mm:ss");
    if (!what.isEmpty())
        lines << "Message: " + what;
    const auto n = static_cast<int>(parts.size());
    for (int i = 0; i < n; ++i) {
        const QString line = PartLine(parts[static_cast<std::size_t>(i)], reportAsked);
        lines << (n == 1 ? line.left(1).toUpper() + line.mid(1)
                         : QString("Part %1 of %2: %3").arg(i + 1).arg(n).arg(line));
    }
    return lines.join('\n');
}

} // namespace velmora
