#include "GroupsDialog.h"

#include "Translations.h"

#include "DialogPlacement.h"
#include "Prompter.h"
#include "QtText.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

// The readers' refusals start in lower case, as a command line prints them.
QString Sentence(QString text) {
    if (!text.isEmpty())
        text[0] = text[0].toUpper();
    return text;
}

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

GroupsDialog::GroupsDialog(MessageStore* store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_store(store), m_prompter(prompter), m_list(new QListWidget(this)),
      m_members(new QTreeWidget(this)), m_rename(Button(tr("&Rename…"), "btnGroupRename", this)),
      m_delete(Button(tr("&Delete"), "btnGroupDelete", this)),
      m_import(Button(tr("&Import…"), "btnGroupImport", this)),
      m_send(Button(tr("&Send to Group"), "btnSendToGroup", this)) {
    setObjectName("GroupsDialog");
    setWindowTitle(tr("Groups"));
    KeepOnScreen(*this);
    m_list->setObjectName("lstGroups");
    m_list->setAccessibleName(tr("Groups"));
    m_members->setObjectName("lstMembers");
    m_members->setAccessibleName(tr("Members of the group"));
    m_members->setHeaderLabels({tr("Name"), tr("Number")});
    m_members->setRootIsDecorated(false);
    m_members->setUniformRowHeights(true);
    m_members->setColumnWidth(0, 180);
    m_import->setToolTip(tr("Make a group from a contacts file (CSV) with a column of numbers"));
    m_send->setToolTip(tr("Put the group's name into the destination: Send sends to every member"));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    for (QAbstractButton* b : close->buttons())
        if (auto* push = qobject_cast<QPushButton*>(b))
            push->setAutoDefault(false);

    auto* lists = new QHBoxLayout;
    lists->addWidget(m_list, 1);
    lists->addWidget(m_members, 2);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_rename, m_delete, m_import, m_send})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(buttons);

    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &GroupsDialog::groupChosen);
    connect(m_list, &QListWidget::itemActivated, this, &GroupsDialog::sendClick);
    connect(m_rename, &QPushButton::clicked, this, &GroupsDialog::renameClick);
    connect(m_delete, &QPushButton::clicked, this, &GroupsDialog::deleteClick);
    connect(m_import, &QPushButton::clicked, this, &GroupsDialog::importClick);
    connect(m_send, &QPushButton::clicked, this, &GroupsDialog::sendClick);
    resize(560, 360);
    refresh();
}

void GroupsDialog::refresh() {
    const QString chosen = chosenGroup();
    m_groups = m_store ? m_store->Groups() : std::vector<Group>{};
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const Group& g : m_groups)
        m_list->addItem(QString("%1 (%2)").arg(g.name).arg(g.members.size()));
    if (!chooseGroup(chosen) && !m_groups.empty())
        m_list->setCurrentRow(0);
    groupChosen();
}

QString GroupsDialog::chosenGroup() const {
    const int row = m_list->currentRow();
    return row >= 0 && row < static_cast<int>(m_groups.size()) ? m_groups[static_cast<std::size_t>(row)].name
                                                               : QString();
}

bool GroupsDialog::chooseGroup(const QString& name) {
    for (std::size_t i = 0; i < m_groups.size(); ++i)
        if (!name.isEmpty() && m_groups[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            m_list->setCurrentRow(static_cast<int>(i));
            return true;
        }
    return false;
}

void GroupsDialog::groupChosen() {
    m_members->clear();
    const int row = m_list->currentRow();
    if (row >= 0 && row < static_cast<int>(m_groups.size()))
        for (const GroupMember& m : m_groups[static_cast<std::size_t>(row)].members)
            new QTreeWidgetItem(m_members, QStringList{m.name, m.number});
    updateButtons();
}

void GroupsDialog::updateButtons() {
    const bool chosen = !chosenGroup().isEmpty();
    for (QPushButton* b : {m_rename, m_delete, m_send})
        b->setEnabled(chosen);
    m_import->setEnabled(m_store != nullptr);
}

void GroupsDialog::renameClick() {
    const int row = m_list->currentRow();
    if (!m_store || row < 0 || row >= static_cast<int>(m_groups.size()))
        return;
    Group group = m_groups[static_cast<std::size_t>(row)];
    const auto name = m_prompter.AskText(this, tr("Rename Group"), tr("New name of the group:"), group.name);
    if (!name || name->trimmed().isEmpty() || name->trimmed() == group.name)
        return;
    group.name = name->trimmed();
    if (const auto saved = m_store->SaveGroup(group); !saved) {
        m_prompter.Warning(this, Localized(saved.error()));
        return;
    }
    refresh();
    chooseGroup(group.name);
}

void GroupsDialog::deleteClick() {
    const int row = m_list->currentRow();
    if (!m_store || row < 0 || row >= static_cast<int>(m_groups.size()))
        return;
    const Group& group = m_groups[static_cast<std::size_t>(row)];
    if (!m_prompter.AskToDelete(this, tr("Delete the group \"%1\"? Its %2 members stay in the phone book.")
                                          .arg(group.name, QString::number(group.members.size()))))
        return;
    if (const auto done = m_store->DeleteGroup(group.id); !done)
        m_prompter.Warning(this, Localized(done.error()));
    refresh();
}

// A file's contacts become a new group, or replace the members of the one
// of that name when the user says so.
void GroupsDialog::importClick() {
    if (!m_store)
        return;
    const FileFilter filter{
        {FileType{S(tr("Contact Lists")), {"*.csv", "*.txt"}}, FileType{S(tr("All Files")), {"*"}}}, 1};
    const QString path = m_prompter.OpenFile(this, filter).path;
    if (path.isEmpty())
        return;
    const auto table = ReadCsvFile(path);
    if (!table) {
        m_prompter.Warning(this, Sentence(table.error()));
        return;
    }
    const auto members = MembersFromTable(table.value());
    if (!members) {
        m_prompter.Warning(this, Sentence(members.error()));
        return;
    }
    if (members->empty()) {
        m_prompter.Warning(this, tr("%1 holds no number, so no group was made.").arg(path));
        return;
    }
    const auto name =
        m_prompter.AskText(this, tr("Import Contacts"),
                           tr("Name of the group of the %1 contacts of %2:")
                               .arg(QString::number(members->size()), QFileInfo(path).fileName()),
                           QFileInfo(path).completeBaseName());
    if (!name || name->trimmed().isEmpty())
        return;
    Group group;
    group.name = name->trimmed();
    group.members = members.value();
    if (const auto existing = m_store->GroupNamed(group.name)) {
        if (!m_prompter.Ask(this, tr("A group named \"%1\" exists. Replace its %2 members with these %3?")
                                      .arg(existing->name, QString::number(existing->members.size()),
                                           QString::number(group.members.size()))))
            return;
        group.id = existing->id;
    }
    if (const auto saved = m_store->SaveGroup(group); !saved) {
        m_prompter.Warning(this, Localized(saved.error()));
        return;
    }
    refresh();
    chooseGroup(group.name);
}

void GroupsDialog::sendClick() {
    const QString name = chosenGroup();
    if (name.isEmpty())
        return;
    emit sendToGroup(name);
    accept();
}

} // namespace velmora
