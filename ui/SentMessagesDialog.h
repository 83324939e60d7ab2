#pragma once

#include "SentMessage.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPlainTextEdit;
class QTreeWidget;

namespace velmora {

// This run's sent messages, one row a message however many parts it took,
// with what became of it: sent, failed or unknown when the phone answered,
// then how many parts were delivered as the network's reports come. The
// chosen row's parts and their references are shown below the list. Kept
// while the window lives; shown without blocking the window, so it follows
// the reports as they come.
class SentMessagesDialog : public QDialog {
    Q_OBJECT
public:
    explicit SentMessagesDialog(QWidget* parent = nullptr);

    // A message handed to the phone, its parts not answered yet.
    void addMessage(const QString& destination, const QString& what, int parts, bool reportAsked);
    // A part of the newest message as the phone answered it.
    void partAnswered(int part, SubmitOutcome outcome, std::optional<int> reference);
    // A report goes to the newest message with a part of that reference
    // still waiting for one (the phone's references repeat after 255); the
    // row of that message, or nothing when none waits for it.
    std::optional<int> reportArrived(int reference, int status, const QString& text);

    int rows() const;
    const SentMessage& message(int row) const { return m_messages.at(static_cast<std::size_t>(row)); }
    // The status column of a row, from 0 (the oldest).
    QString status(int row) const;
    QString rowText(int row, int column) const;
    void choose(int row);
    QString detailText() const;

private:
    void showRow(int row);
    void showChosen();

    QTreeWidget* m_list;
    QPlainTextEdit* m_detail;
    std::vector<SentMessage> m_messages;
};

} // namespace velmora
