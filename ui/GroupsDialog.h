#pragma once

#include "BatchBuilder.h"
#include "MessageStore.h"
#include "Recipients.h"

#include <QDialog>

class QListWidget;
class QPushButton;
class QTreeWidget;

namespace velmora {

class Prompter;

// The groups the store keeps: their members, renaming, deleting, making
// one from a contacts file, and sending to one (its name goes into the
// destination field, where the send finds it).
class GroupsDialog : public QDialog {
    Q_OBJECT
public:
    GroupsDialog(MessageStore* store, Prompter& prompter, QWidget* parent = nullptr);

    // Reads the groups again, keeping the one chosen when it is still there.
    void refresh();
    QString chosenGroup() const;
    bool chooseGroup(const QString& name);

signals:
    void sendToGroup(const QString& name);

private:
    void groupChosen();
    void renameClick();
    void deleteClick();
    void importClick();
    void sendClick();
    void updateButtons();

    MessageStore* m_store;
    Prompter& m_prompter;
    std::vector<Group> m_groups; // as listed
    QListWidget* m_list;
    QTreeWidget* m_members;
    QPushButton* m_rename;
    QPushButton* m_delete;
    QPushButton* m_import;
    QPushButton* m_send;
};

} // namespace velmora
