// Sending one message to many: the destination's list, the outbox and its
// window, groups, mail merge, and the status bar's progress of a batch.

#include "BatchBuilder.h"

#include "GroupsDialog.h"
#include "HistoryReader.h"
#include "MailMergeDialog.h"
#include "MessageStore.h"
#include "Outbox.h"
#include "OutboxWindow.h"
#include "Prompter.h"
#include "QtText.h"
#include "Recipients.h"
#include "TForm1.h"
#include "Terms.h"
#include "Translations.h"
#include "ui_TForm1.h"

#include <QProgressBar>
#include <QTreeWidget>

#include <algorithm>

namespace velmora {

namespace {

// One line a recipient left out: "Ani: not in the phone book".
QString ProblemLines(const std::vector<RecipientProblem>& problems) {
    QStringList lines;
    for (const RecipientProblem& p : problems)
        lines << QString("%1: %2").arg(p.who, p.why);
    return lines.join('\n');
}

// A word a number is written with: digits and what numbers are written
// with. Anything else may be a group's or a phone-book name.
bool LooksLikeNumber(const QString& word) {
    return std::all_of(word.begin(), word.end(), [](QChar c) {
        return c.isDigit() || c == '+' || c == ' ' || c == '-' || c == '(' || c == ')';
    });
}

} // namespace

bool TForm1::SendsToMany(const QStringList& words) const {
    if (words.size() > 1)
        return true;
    if (words.size() != 1 || LooksLikeNumber(words.first()) || !m_store)
        return false;
    return m_store->GroupNamed(words.first()).has_value() || !m_store->NumbersNamed(words.first()).empty();
}

// The list is read where the batch is recorded: a thousand numbers are a
// thousand look-ups in the phone book, which held the window too.
void TForm1::SendToMany(const QStringList& words) {
    if (!m_store) {
        Refuse(tr("Nothing was queued: %1").arg(m_service->noStoreReason()), m_ui->txtHPNo);
        return;
    }
    if (m_recording) {
        m_prompter->Warning(this, tr("A batch is being queued; queue this one after it."));
        return;
    }
    m_recording = true;
    Recorder().ask(
        this,
        [words, message = ComposedMessage()](MessageStore& store) {
            std::pair<BatchRecipients, QString> listed{RecipientsFromList(words, &store, message), {}};
            // Sent to one group, the batch goes by its name.
            if (words.size() == 1)
                if (const auto group = store.GroupNamed(words.first()))
                    listed.second = group->name;
            return listed;
        },
        [this](std::pair<BatchRecipients, QString> listed) {
            m_recording = false;
            BatchRequest request;
            request.recipients = std::move(listed.first.recipients);
            request.name = listed.second;
            QueueBatch(std::move(request), listed.first.problems);
        });
}

HistoryReader& TForm1::Recorder() {
    if (!m_recorder) {
        m_recorder = std::make_unique<HistoryReader>(m_store->path());
        connect(m_recorder.get(), &HistoryReader::problem, this, [this](const QString& why) {
            m_recording = false;
            Refuse(tr("Nothing was queued: %1").arg(why), nullptr);
        });
    }
    return *m_recorder;
}

bool TForm1::QueueBatch(BatchRequest request, const std::vector<RecipientProblem>& leftOut) {
    if (request.recipients.empty()) {
        Refuse(tr("Nothing was queued:\n%1").arg(ProblemLines(leftOut)), m_ui->txtHPNo);
        return false;
    }
    if (!leftOut.empty() &&
        !m_prompter->Ask(this, tr("These cannot be sent to:\n%1\n\nQueue the message to the other %2?")
                                   .arg(ProblemLines(leftOut), QString::number(request.recipients.size()))))
        return false;
    if (m_recording) {
        m_prompter->Warning(this, tr("A batch is being queued; queue this one after it."));
        return false;
    }
    request.pacing.retries = m_settings.Retries;
    RecordBatch(std::move(request));
    return true;
}

// Building a thousand messages and writing them held the window for a
// tenth of a second: they are built and recorded on a thread of their own,
// through a connection of its own to the store, and the batch is shown
// when it has landed.
void TForm1::RecordBatch(BatchRequest request) {
    m_recording = true;
    const ModemId modem = m_service->modem();
    const QDateTime now = m_outbox->now();
    Recorder().ask(
        this,
        [request, modem, now](MessageStore& store) { return Outbox::Record(&store, request, modem, now); },
        [this, request](Result<QueuedBatch, QueueRefusal> queued) mutable {
            m_recording = false;
            BatchRecorded(std::move(request), std::move(queued));
        });
}

void TForm1::BatchRecorded(BatchRequest request, Result<QueuedBatch, QueueRefusal> queued) {
    if (!queued && queued.error().kind == QueueRefusal::Duplicate && !request.again) {
        const QString question = tr("The same message to the same recipients was already queued as "
                                    "batch %1. Queue it again?")
                                     .arg(queued.error().batch);
        if (m_prompter->Ask(this, question)) {
            request.again = true;
            RecordBatch(std::move(request));
        }
        return;
    }
    if (!queued) {
        const QueueRefusal& why = queued.error();
        Refuse(why.kind == QueueRefusal::Empty
                   ? tr("Nothing was queued: \n%1").arg(ProblemLines(why.problems))
                   : tr("Nothing was queued: %1")
                         .arg(why.kind == QueueRefusal::Store ? terms::StoreProblemText(why.store) : why.why),
               nullptr);
        return;
    }
    m_outbox->recorded(queued->batch);
    if (!queued->problems.empty())
        m_prompter->Warning(this, tr("Batch %1 was queued without these:\n%2")
                                      .arg(QString::number(queued->batch), ProblemLines(queued->problems)));
    if (m_runner->running())
        m_runner->poke();
    OutboxBatchChanged(queued->batch);
    OutboxView().showBatch(queued->batch);
}

OutboxWindow& TForm1::OutboxView() {
    if (!m_outboxWindow) {
        m_outboxWindow = std::make_unique<OutboxWindow>(m_store, *m_outbox, *m_prompter, this);
        if (m_running) {
            // The program the window works through sends these batches.
            const auto step = [this](RunningProgram::QueueStep s) {
                return [this, s](qint64 id) {
                    const auto done = m_running->queueStep(s, id);
                    return done ? Result<bool>::Ok(true) : Result<bool>::Fail(S(done.error()));
                };
            };
            using Q = RunningProgram::QueueStep;
            m_outboxWindow->setQueueSteps({step(Q::PauseBatch), step(Q::ResumeBatch), step(Q::CancelBatch),
                                           step(Q::CancelMessage), step(Q::RetryMessage)});
        }
        connect(m_outboxWindow.get(), &OutboxWindow::queueChanged, this, [this] {
            if (m_runner->running())
                m_runner->poke();
        });
    }
    return *m_outboxWindow;
}

void TForm1::mnuOutboxClick() {
    if (!ShowRunningMessages())
        OutboxView().showBatch(m_outboxBatch);
}

void TForm1::mnuGroupsClick() {
    GroupsDialog dialog(m_store, *m_prompter, this);
    connect(&dialog, &GroupsDialog::sendToGroup, this, [this](const QString& name) {
        m_ui->txtHPNo->setText(name);
        m_ui->txtHPNo->setFocus();
    });
    m_prompter->Exec(dialog);
}

// The dialog hands back the batch; it is queued as a typed list is.
void TForm1::mnuMailMergeClick() {
    MailMergeDialog dialog(ComposedMessage(), *m_prompter, this);
    if (m_prompter->Exec(dialog) != QDialog::Accepted)
        return;
    QueueBatch(dialog.request(), {});
}

// The entries chosen in the phone book, as a group of the store's.
void TForm1::actMakeGroupClick() {
    if (!m_store) {
        m_prompter->Warning(this, tr("No group can be kept: %1").arg(m_service->noStoreReason()));
        return;
    }
    Group group;
    for (const QTreeWidgetItem* item : m_ui->lvContact->selectedItems())
        group.members.push_back({item->text(0), item->text(1)});
    if (group.members.empty()) {
        m_prompter->Warning(this, tr("Choose the entries of the group in the phone book first."));
        return;
    }
    const auto name = m_prompter->AskText(this, tr("Make Group"),
                                          tr("Name of the group of %1 entries:").arg(group.members.size()));
    if (!name || name->trimmed().isEmpty())
        return;
    group.name = name->trimmed();
    if (const auto saved = m_store->SaveGroup(group); !saved)
        m_prompter->Warning(this, Localized(saved.error()));
}

// The status bar shows the batch going now; once it ends, one still
// unfinished, if any.
void TForm1::OutboxBatchChanged(qint64 batch) {
    if (!m_store || !m_outboxBar)
        return;
    auto record = m_store->Batch(batch);
    const auto runs = [](const std::optional<BatchRecord>& b) {
        return b && !b->finished() && b->state == msg::BatchState::Active;
    };
    if (!runs(record)) {
        if (batch != m_outboxBatch && m_outboxBar->isVisible())
            return;
        record.reset();
        for (const BatchRecord& b : m_store->Batches(true))
            if (runs(b))
                record = b;
    }
    if (!record) {
        m_outboxBar->hide();
        return;
    }
    m_outboxBatch = record->id;
    m_outboxBar->setRange(0, std::max(1, record->total));
    m_outboxBar->setValue(record->sent + record->failed + record->uncertain + record->cancelled);
    m_outboxBar->setFormat(tr("%1 of %2 sent").arg(record->sent).arg(record->total));
    m_outboxBar->show();
}

bool TForm1::LeaveBatches() {
    // The program the window works through sends them on.
    if (!m_store || m_running)
        return true;
    const std::vector<BatchRecord> unfinished = m_store->Batches(true);
    int queued = 0;
    for (const BatchRecord& b : unfinished)
        if (b.state != msg::BatchState::Cancelled)
            queued += b.queued;
    if (queued == 0)
        return true;
    const QString question = tr("A batch is still being sent: %1 messages are queued. Leave them "
                                "queued for the next start?")
                                 .arg(queued);
    switch (m_prompter->AskYesNoCancel(this, question)) {
    case Prompter::Answer::Cancel:
        return false;
    case Prompter::Answer::No:
        for (const BatchRecord& b : unfinished)
            if (b.queued > 0)
                if (const auto done = m_outbox->cancel(b.id); !done)
                    m_prompter->Warning(this, Localized(done.error()));
        return true;
    case Prompter::Answer::Yes:
        break;
    }
    return true;
}

} // namespace velmora
