#pragma once

#include "LinkEvents.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace velmora {

// One part of a sent message: the phone's answer and reference, then the
// network's final report when one was asked for.
struct SentPart {
    std::optional<SubmitOutcome> outcome; // none while it is being sent
    std::optional<int> reference;         // TP-MR, when the phone gave one
    std::optional<int> report;            // TP-ST of the final report
    QString reportText;                   // "Delivered", "Not delivered: REASON"
};

// A message of this run as the user sent it: what and to whom, and what
// became of each of its parts. A long text is one message of several parts,
// each with its own reference and report.
struct SentMessage {
    QDateTime when;
    QString destination;
    QString what; // the start of its text, or what it is
    bool reportAsked = false;
    std::vector<SentPart> parts;

    // The part whose reference is `reference` and which still waits for its
    // report; -1 for none.
    int partAwaiting(int reference) const;
    int delivered() const;
    // Its state in the Sent Messages list: "Sent", "Failed", "Unknown",
    // "1 of 2 delivered", a report's text...
    QString state() const;
    // What the status bar says once a report of it came: "Delivered" only
    // when every part is, "Delivered (1 of 2)" before that, a report's text
    // when a part was not delivered.
    QString reportStatus() const;
    // Each part's answer, reference and report, a line each.
    QString detail() const;
};

} // namespace velmora
