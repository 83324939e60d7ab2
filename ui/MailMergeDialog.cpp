#include "MailMergeDialog.h"

#include "DialogPlacement.h"
#include "ElidedLabel.h"
#include "Outbox.h"
#include "Prompter.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace velmora {

namespace {

// What a summary says of the rows left out before "and N more".
constexpr int kNamedProblems = 3;
// The pause after a keystroke before the whole table is checked again.
constexpr int kSettleMs = 250;

bool CarriesText(MessageKind kind) { return kind == MessageKind::Text || kind == MessageKind::Ems; }

QString Capital(QString s) {
    if (!s.isEmpty())
        s[0] = s.at(0).toUpper();
    return s;
}

// "line 7 has no number", "line 9: invalid destination number ..."
QString LineProblem(const RecipientProblem& p) {
    return (p.why.startsWith(QLatin1String("has "))
                ? QCoreApplication::translate("MailMergeDialog", "line %1 %2")
                : QCoreApplication::translate("MailMergeDialog", "line %1: %2"))
        .arg(QString::number(p.index), p.why);
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

// ---- the preview

void MergePreviewModel::setInput(std::shared_ptr<const CsvTable> table, int numberColumn,
                                 const MessageRequest& message) {
    beginResetModel();
    m_table = std::move(table);
    m_numberColumn = numberColumn;
    m_message = message;
    m_leftOut.clear();
    m_rows.assign(m_table ? m_table->rows.size() : 0, std::nullopt);
    endResetModel();
}

void MergePreviewModel::setMessage(const MessageRequest& message) {
    m_message = message;
    forget();
}

void MergePreviewModel::forget() {
    std::fill(m_rows.begin(), m_rows.end(), std::nullopt);
    if (!m_rows.empty())
        emit dataChanged(index(0, 0), index(static_cast<int>(m_rows.size()) - 1, Columns - 1));
}

void MergePreviewModel::setLeftOut(const std::vector<RecipientProblem>& problems) {
    m_leftOut.clear();
    for (const RecipientProblem& p : problems)
        m_leftOut.emplace(p.index, p.why);
    forget();
}

const RecipientPreview& MergePreviewModel::row(int r) const {
    auto& cached = m_rows[static_cast<std::size_t>(r)];
    if (cached)
        return *cached;
    const TableRow read = RecipientFromRow(*m_table, static_cast<std::size_t>(r), m_numberColumn, m_message);
    RecipientPreview p;
    if (read.problem.isEmpty()) {
        p = PreviewRecipient(read.recipient);
    } else {
        // Left out before it could be built: shown as given.
        p.number = QString::fromStdString(read.recipient.request.destination);
        p.name = read.recipient.name;
        p.text =
            CarriesText(m_message.kind) ? QString::fromStdU16String(read.recipient.request.text) : QString();
        p.problem = read.problem;
    }
    if (const auto it = m_leftOut.find(read.line); it != m_leftOut.end() && p.problem.isEmpty()) {
        p.problem = it->second;
        p.parts = 0;
    }
    cached = std::move(p);
    return *cached;
}

RecipientPreview MergePreviewModel::preview(int r) const {
    return r >= 0 && r < rowCount() ? row(r) : RecipientPreview{};
}

int MergePreviewModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int MergePreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Columns; }

QVariant MergePreviewModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const RecipientPreview& p = row(index.row());
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case Number:
            return p.number;
        case Name:
            return p.name;
        case Text:
            // One line a row; the tooltip has it whole.
            return QString(p.text).replace(QLatin1Char('\n'), QChar(0x21B5));
        case Coding:
            return p.coding;
        case Parts:
            return p.parts > 0 ? QVariant(p.parts) : QVariant();
        case Problem:
            return p.problem;
        }
        return {};
    case Qt::ToolTipRole:
        if (index.column() == Text)
            return p.text;
        return p.problem.isEmpty() ? QVariant() : QVariant(Capital(p.problem));
    case Qt::BackgroundRole:
        return p.problem.isEmpty() ? QVariant() : QVariant(QColor(255, 224, 224));
    case Qt::ForegroundRole:
        return p.problem.isEmpty() ? QVariant() : QVariant(QColor(Qt::black));
    case Qt::TextAlignmentRole:
        return index.column() == Parts ? QVariant(int(Qt::AlignRight | Qt::AlignVCenter)) : QVariant();
    default:
        return {};
    }
}

QVariant MergePreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical) {
        // The file's own line, as the summary names it.
        if (m_table && section >= 0 && static_cast<std::size_t>(section) < m_table->lines.size())
            return m_table->lines[static_cast<std::size_t>(section)];
        return {};
    }
    static const char* const names[] = {QT_TR_NOOP("Number"), QT_TR_NOOP("Name"),  QT_TR_NOOP("Text"),
                                        QT_TR_NOOP("Coding"), QT_TR_NOOP("Parts"), QT_TR_NOOP("Problem")};
    return section >= 0 && section < Columns ? tr(names[section]) : QVariant();
}

// ---- the dialog

MailMergeDialog::MailMergeDialog(const MessageRequest& message, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_message(message),
      m_file(new QPushButton(tr("Contacts &file…"), this)), m_path(new ElidedLabel(this)),
      m_column(new QComboBox(this)), m_columns(new QLabel(this)), m_text(new QPlainTextEdit(this)),
      m_view(new QTableView(this)), m_model(new MergePreviewModel(this)), m_summary(new QLabel(this)),
      m_interval(new QSpinBox(this)), m_perHour(new QSpinBox(this)),
      m_sendAt(new QCheckBox(tr("Send &at:"), this)), m_sendAtTime(new QDateTimeEdit(this)),
      m_expire(new QCheckBox(tr("&Expire at:"), this)), m_expireTime(new QDateTimeEdit(this)) {
    setObjectName("MailMergeDialog");
    KeepOnScreen(*this);
    setWindowTitle(tr("Mail Merge"));

    m_file->setObjectName("btnMergeFile");
    m_file->setAccessibleName(tr("Contacts file"));
    m_path->setObjectName("lblMergeFile");
    m_path->setAccessibleName(tr("Contacts file path"));
    m_column->setObjectName("cmbNumberColumn");
    m_column->setAccessibleName(tr("Number column"));
    m_column->setEnabled(false);
    m_columns->setObjectName("lblMergeColumns");
    m_columns->setTextFormat(Qt::PlainText);
    m_columns->setWordWrap(true);
    m_text->setObjectName("memMergeText");
    m_text->setAccessibleName(tr("Text"));
    m_text->setTabChangesFocus(true);
    m_text->setMaximumHeight(m_text->fontMetrics().lineSpacing() * 5);
    if (CarriesText(message.kind)) {
        m_text->setPlainText(QString::fromStdU16String(message.text));
    } else {
        m_text->setEnabled(false);
        m_text->setPlaceholderText(tr("The same content goes to every row."));
    }

    m_view->setObjectName("tblMergePreview");
    m_view->setAccessibleName(tr("Preview"));
    m_view->setAccessibleDescription(tr("One row a contact: its number, name, text, coding and parts, or why "
                                        "it is left out"));
    m_view->setModel(m_model);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setWordWrap(false);
    // Fixed row heights and column widths: sizing to contents would work
    // out every row of a long table at once.
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_view->horizontalHeader()->setStretchLastSection(true);
    const int em = m_view->fontMetrics().horizontalAdvance(QLatin1Char('M'));
    // Never narrower than the column's title, which in some languages is
    // longer than what the column holds.
    const std::pair<int, int> widths[] = {{MergePreviewModel::Number, 10},
                                          {MergePreviewModel::Name, 8},
                                          {MergePreviewModel::Text, 18},
                                          {MergePreviewModel::Coding, 6},
                                          {MergePreviewModel::Parts, 3}};
    for (const auto& [column, ems] : widths)
        m_view->setColumnWidth(column,
                               std::max(ems * em, m_view->horizontalHeader()->sectionSizeHint(column)));

    m_summary->setObjectName("lblMergeSummary");
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);

    m_interval->setObjectName("spnInterval");
    m_interval->setAccessibleName(tr("Seconds between messages"));
    m_interval->setRange(0, 24 * 3600);
    m_interval->setSuffix(tr(" s"));
    m_perHour->setObjectName("spnPerHour");
    m_perHour->setAccessibleName(tr("Messages an hour at most"));
    m_perHour->setRange(0, 100000);
    m_perHour->setSpecialValueText(tr("no cap"));
    const QDateTime now = QDateTime::currentDateTime();
    const QDateTime hour = QDateTime(now.date(), QTime(now.time().hour(), 0)).addSecs(3600);
    for (auto [check, edit, name, when] : {std::tuple{m_sendAt, m_sendAtTime, "SendAt", hour},
                                           std::tuple{m_expire, m_expireTime, "Expire", hour.addDays(1)}}) {
        check->setObjectName(QStringLiteral("chk%1").arg(QLatin1String(name)));
        edit->setObjectName(QStringLiteral("dte%1").arg(QLatin1String(name)));
        edit->setAccessibleName(check->text().remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        edit->setCalendarPopup(true);
        edit->setDisplayFormat("yyyy-MM-dd HH:mm");
        edit->setDateTime(when);
        edit->setEnabled(false);
        connect(check, &QCheckBox::toggled, edit, &QWidget::setEnabled);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName("btnsMailMerge");
    m_queue = buttons->button(QDialogButtonBox::Ok);
    m_queue->setText(tr("&Queue"));
    m_queue->setObjectName("btnMergeQueue");
    m_queue->setAccessibleName(tr("Queue"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnMergeCancel");

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(m_file);
    fileRow->addWidget(m_path, 1);
    auto* form = new QFormLayout;
    form->addRow(fileRow);
    form->addRow(Buddy(tr("&Numbers in:"), m_column, this), m_column);
    form->addRow(Buddy(tr("&Text:"), m_text, this), m_text);
    form->addRow(QString(), m_columns);
    auto* pacing = new QHBoxLayout;
    pacing->addWidget(Buddy(tr("&Interval:"), m_interval, this));
    pacing->addWidget(m_interval);
    pacing->addWidget(Buddy(tr("At most an &hour:"), m_perHour, this));
    pacing->addWidget(m_perHour);
    pacing->addStretch(1);
    auto* times = new QHBoxLayout;
    times->addWidget(m_sendAt);
    times->addWidget(m_sendAtTime);
    times->addWidget(m_expire);
    times->addWidget(m_expireTime);
    times->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_summary);
    layout->addLayout(pacing);
    layout->addLayout(times);
    layout->addWidget(buttons);
    resize(760, 520);

    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &MailMergeDialog::startCheck);
    connect(this, &MailMergeDialog::tableChecked, this, &MailMergeDialog::takeResult, Qt::QueuedConnection);
    connect(m_file, &QPushButton::clicked, this, &MailMergeDialog::chooseFile);
    connect(m_column, &QComboBox::currentIndexChanged, this, [this] {
        m_model->setInput(m_table, m_column->currentIndex(), merged());
        inputChanged(true);
    });
    connect(m_text, &QPlainTextEdit::textChanged, this, [this] {
        m_model->setMessage(merged());
        inputChanged(false);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &MailMergeDialog::queue);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

// A check still running ends on its own: it reads only what it was given.
MailMergeDialog::~MailMergeDialog() {
    if (m_worker.joinable())
        m_worker.join();
}

MessageRequest MailMergeDialog::merged() const {
    MessageRequest m = m_message;
    if (CarriesText(m.kind))
        m.text = m_text->toPlainText().toStdU16String();
    return m;
}

void MailMergeDialog::chooseFile() {
    const FileFilter filter{{{tr("Contacts (CSV)").toStdString(), {"*.csv"}},
                             {tr("Text files").toStdString(), {"*.txt"}},
                             {tr("All files").toStdString(), {"*"}}},
                            1};
    const auto choice = m_prompter.OpenFile(this, filter);
    if (!choice.path.isEmpty())
        loadFile(choice.path);
}

bool MailMergeDialog::loadFile(const QString& path) {
    auto read = ReadCsvFile(path);
    if (!read) {
        m_prompter.Warning(this, Capital(read.error()) + ".");
        return false;
    }
    m_table = std::make_shared<const CsvTable>(std::move(read.value()));
    m_path->setText(path);
    const auto column = NumberColumn(*m_table, {}, HomeCountryCode());
    m_columnProblem = column ? QString() : Capital(column.error()) + ".";
    QStringList names;
    for (const QString& h : m_table->header)
        names << QStringLiteral("{%1}").arg(h);
    m_columns->setText(tr("Placeholders: %1").arg(names.join(QLatin1Char(' '))));
    {
        const QSignalBlocker quiet(m_column);
        m_column->clear();
        m_column->addItems(m_table->header);
        m_column->setCurrentIndex(column ? *column : -1);
        m_column->setEnabled(true);
    }
    m_model->setInput(m_table, m_column->currentIndex(), merged());
    inputChanged(true);
    return true;
}

void MailMergeDialog::inputChanged(bool atOnce) {
    ++m_generation;
    m_current = false;
    if (m_column->currentIndex() >= 0)
        m_columnProblem.clear();
    showState();
    if (atOnce) {
        m_settle.stop();
        startCheck();
    } else {
        // Each keystroke puts the check off until the typing pauses.
        m_settle.start();
    }
}

void MailMergeDialog::startCheck() {
    // The one running says when it ends; the newest input is checked then.
    if (m_busy || !m_table || m_column->currentIndex() < 0)
        return;
    if (m_worker.joinable())
        m_worker.join();
    m_busy = true;
    const int generation = m_generation;
    m_worker = std::thread(
        [this, generation, table = m_table, column = m_column->currentIndex(), message = merged()] {
            m_workerResult = RecipientsFromTable(*table, column, message);
            emit tableChecked(generation);
        });
}

void MailMergeDialog::takeResult(int generation) {
    m_busy = false;
    if (m_worker.joinable())
        m_worker.join();
    if (generation != m_generation) {
        startCheck();
        return;
    }
    m_result = std::move(m_workerResult);
    m_workerResult = {};
    m_current = true;
    m_model->setLeftOut(m_result.problems);
    showState();
}

void MailMergeDialog::showState() {
    QString text;
    if (!m_table) {
        text = tr("Choose a contacts file: a header row, then one row a contact.");
    } else if (m_column->currentIndex() < 0) {
        text = m_columnProblem.isEmpty() ? tr("Choose the column of the numbers.") : m_columnProblem;
    } else if (!m_current) {
        text = m_table->rows.size() == 1 ? tr("Checking 1 row…")
                                         : tr("Checking %1 rows…").arg(m_table->rows.size());
    } else {
        const std::size_t n = m_result.recipients.size();
        const QString recipients = n == 1 ? tr("1 recipient") : tr("%1 recipients").arg(n);
        const std::size_t out = m_result.problems.size();
        if (out == 0) {
            text = tr("%1.").arg(recipients);
        } else {
            QStringList named;
            for (std::size_t i = 0; i < out && i < kNamedProblems; ++i)
                named << LineProblem(m_result.problems[i]);
            // One arg() for all: a problem may quote a line holding "%2".
            text = out > kNamedProblems
                       ? tr("%1, %2 left out: %3 and %4 more.")
                             .arg(recipients, QString::number(out), named.join(", "),
                                  QString::number(out - kNamedProblems))
                       : tr("%1, %2 left out: %3.").arg(recipients, QString::number(out), named.join(", "));
        }
        QStringList unknown;
        for (const QString& u : m_result.unknown)
            unknown << QStringLiteral("{%1}").arg(u);
        if (!unknown.isEmpty())
            text = tr("No column is named %1: mend the text or the file. %2").arg(unknown.join(", "), text);
    }
    m_summary->setText(text);
    m_queue->setEnabled(m_current && !m_result.recipients.empty() && m_result.unknown.isEmpty());
}

BatchRequest MailMergeDialog::request() const {
    BatchRequest r;
    if (m_current)
        r.recipients = m_result.recipients;
    // Named after what was written, {name}s and all: the first row's own
    // text is one recipient's, not the batch's.
    r.name = Outbox::DefaultName(m_message, r.recipients.size());
    r.pacing.intervalMs = qint64(m_interval->value()) * 1000;
    r.pacing.perHour = m_perHour->value();
    if (m_sendAt->isChecked())
        r.pacing.startAt = m_sendAtTime->dateTime().toUTC();
    if (m_expire->isChecked())
        r.pacing.expireAt = m_expireTime->dateTime().toUTC();
    return r;
}

void MailMergeDialog::queue() {
    if (!m_queue->isEnabled())
        return;
    const BatchRequest r = request();
    const QDateTime start = r.pacing.startAt.isValid() ? r.pacing.startAt : QDateTime::currentDateTimeUtc();
    if (r.pacing.expireAt.isValid() && r.pacing.expireAt <= start) {
        m_prompter.Warning(this,
                           tr("The messages would expire before the first of them could go: set the expiry "
                              "after the start."));
        m_expireTime->setFocus();
        return;
    }
    accept();
}

} // namespace velmora
