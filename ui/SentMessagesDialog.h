#pragma once

#include "LinkEvents.h"

#include <QDialog>

#include <optional>

class QTreeWidget;

namespace velmora {

// This run's sent messages, one row a part, with what became of each: sent,
// failed or unknown when the phone answered, then delivered or not when the
// network's report came. Kept while the window lives; shown without
// blocking the window, so it follows the reports as they come.
class SentMessagesDialog : public QDialog {
    Q_OBJECT
public:
    explicit SentMessagesDialog(QWidget* parent = nullptr);

    // One part as the phone answered it; `reference` when the phone gave one.
    void addPart(const QString& destination, int part, int parts, SubmitOutcome outcome,
                 std::optional<int> reference, bool reportAsked);
    // A report updates the newest part with its reference still waiting
    // for one: the phone's references repeat after 255.
    void reportArrived(int reference, const QString& text);

    int rows() const;
    // The status column of a row, from 0 (the oldest).
    QString status(int row) const;

private:
    QTreeWidget* m_list;
};

} // namespace velmora
