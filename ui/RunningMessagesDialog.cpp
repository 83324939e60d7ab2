#include "RunningMessagesDialog.h"

#include "DialogPlacement.h"
#include "MessageTypes.h"
#include "MessageWords.h"
#include "RunningProgram.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QJsonObject>
#include <QLabel>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

// A change is listed this long after the first one told, with those after it.
constexpr int kLaterMs = 250;

enum Column { When, Number, State, Text };

// What the Messages window says of a state, from the names --json gives.
QString StateOf(const QJsonObject& m) {
    const auto state = msg::StateFromName(m.value("state").toString().toStdString());
    if (!state)
        return m.value("state").toString();
    const auto reason = msg::ReasonFromName(m.value("reason").toString().toStdString());
    const QJsonValue code = m.value("reasonCode");
    return StateWords(*state, reason.value_or(msg::Reason::None),
                      code.isDouble() ? std::optional<int>(code.toInt()) : std::nullopt);
}

QDateTime TimeOf(const QJsonObject& m) {
    for (const char* key : {"received", "sent", "created"})
        if (const QString at = m.value(key).toString(); !at.isEmpty())
            return QDateTime::fromString(at, Qt::ISODate);
    return {};
}

} // namespace

RunningMessagesDialog::RunningMessagesDialog(RunningProgram& program, QWidget* parent)
    : QDialog(parent), m_program(program), m_list(new QTreeWidget(this)), m_status(new QLabel(this)),
      m_later(new QTimer(this)) {
    setObjectName("RunningMessagesDialog");
    setWindowTitle(tr("Messages of %1").arg(program.name()));
    m_list->setObjectName("lstRunningMessages");
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Time"), tr("Number"), tr("State"), tr("Text")});
    m_list->header()->setStretchLastSection(true);
    const int widths[] = {130, 120, 150};
    for (int c = 0; c < 3; ++c)
        m_list->setColumnWidth(c, widths[c]);
    m_status->setObjectName("lblRunningMessages");
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_status);
    layout->addWidget(close);
    m_later->setSingleShot(true);
    m_later->setInterval(kLaterMs);
    connect(m_later, &QTimer::timeout, this, &RunningMessagesDialog::refresh);
    resize(680, 420);
    KeepOnScreen(*this, {Side::Right, Side::Left});
}

void RunningMessagesDialog::changed() {
    if (isVisible() && !m_later->isActive())
        m_later->start();
}

void RunningMessagesDialog::refresh() {
    const auto listed = m_program.list(kShown);
    if (!listed) {
        m_status->setText(tr("%1 could not list its messages: %2").arg(m_program.name(), listed.error()));
        return;
    }
    m_list->clear();
    for (const QJsonObject& m : listed.value()) {
        const bool out = m.value("direction").toString() == "out";
        const QString text = m.value("kind").toString() == "text" || m.value("kind").toString() == "flash"
                                 ? m.value("text").toString()
                                 : KindWords(m.value("kind").toString());
        auto* item = new QTreeWidgetItem(
            m_list, {ShownTime(TimeOf(m)), m.value("number").toString(), StateOf(m), text.simplified()});
        item->setData(When, Qt::UserRole, m.value("id").toVariant());
        item->setToolTip(Number,
                         out ? tr("To %1").arg(item->text(Number)) : tr("From %1").arg(item->text(Number)));
    }
    m_status->setText(tr("The newest messages (at most %1), as %2 lists them: its store cannot be read here.")
                          .arg(kShown)
                          .arg(m_program.name()));
}

} // namespace velmora
