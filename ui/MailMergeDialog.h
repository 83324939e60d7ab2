#pragma once

#include "BatchBuilder.h"

#include <QAbstractTableModel>
#include <QDialog>
#include <QTimer>

#include <memory>
#include <optional>
#include <thread>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableView;

namespace velmora {

class ElidedLabel;
class Prompter;

// The rows of a contacts table as they would go: each row's number, name,
// its own text, coding and parts, or why it is left out. A row is worked
// out when the view first asks for it, so a table of 10,000 rows shows at
// once and follows each keystroke in the text.
class MergePreviewModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Number, Name, Text, Coding, Parts, Problem, Columns };

    using QAbstractTableModel::QAbstractTableModel;

    void setInput(std::shared_ptr<const CsvTable> table, int numberColumn, const MessageRequest& message);
    // A new text: the rows stay where they are, worked out again as shown.
    void setMessage(const MessageRequest& message);
    // What is known only from the whole table (a number given on an earlier
    // line), by file line: shown in place of what the row says alone.
    void setLeftOut(const std::vector<RecipientProblem>& problems);

    RecipientPreview preview(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const RecipientPreview& row(int row) const;
    void forget();

    std::shared_ptr<const CsvTable> m_table;
    int m_numberColumn = -1;
    MessageRequest m_message;
    std::unordered_map<int, QString> m_leftOut;
    mutable std::vector<std::optional<RecipientPreview>> m_rows;
};

// One message to everyone in a contacts file: the file, the column of the
// numbers, the text with {column} placeholders, a preview of every row and
// the pacing. The whole table is checked on a thread of the dialog's own
// while the user types; Queue is offered once it is, and at least one row
// can go.
class MailMergeDialog : public QDialog {
    Q_OBJECT
public:
    // `message` is what the window's current tab would send; its text is
    // the one merged.
    MailMergeDialog(const MessageRequest& message, Prompter& prompter, QWidget* parent = nullptr);
    ~MailMergeDialog() override;

    // Reads a contacts file as the file button does; false (after a
    // warning) when it cannot be read.
    bool loadFile(const QString& path);

    // The batch to queue: every recipient that can go, and the pacing.
    BatchRequest request() const;
    // The whole table checked for what the dialog shows now.
    bool checked() const { return m_current; }
    const BatchRecipients& recipients() const { return m_result; }
    MergePreviewModel* preview() const { return m_model; }

signals:
    // From the checking thread, connected queued.
    void tableChecked(int generation);

private:
    void chooseFile();
    // `atOnce`: a new file or column, checked now; else after the typing pauses.
    void inputChanged(bool atOnce);
    void startCheck();
    void takeResult(int generation);
    void showState();
    void queue();
    MessageRequest merged() const;

    Prompter& m_prompter;
    MessageRequest m_message;
    std::shared_ptr<const CsvTable> m_table;
    QString m_columnProblem; // why no number column was chosen for the file

    QPushButton* m_file;
    ElidedLabel* m_path;
    QComboBox* m_column;
    QLabel* m_columns;
    QPlainTextEdit* m_text;
    QTableView* m_view;
    MergePreviewModel* m_model;
    QLabel* m_summary;
    QSpinBox* m_interval;
    QSpinBox* m_perHour;
    QCheckBox* m_sendAt;
    QDateTimeEdit* m_sendAtTime;
    QCheckBox* m_expire;
    QDateTimeEdit* m_expireTime;
    QPushButton* m_queue;

    // The check of the whole table: one at a time; a change while it runs
    // starts the next when it ends.
    QTimer m_settle;
    std::thread m_worker;
    bool m_busy = false;
    int m_generation = 0;
    bool m_current = false;
    BatchRecipients m_result;
    BatchRecipients m_workerResult; // written by the worker, read once it has ended
};

} // namespace velmora
