#pragma once

#include <QDialog>

class QLabel;
class QTimer;
class QTreeWidget;

namespace velmora {

class RunningProgram;

// The newest messages of the program the window works through, as that
// program lists them, for when the window cannot read its store (the
// system's service keeps it where only its own group may). Read again a
// moment after the program tells of a change, so a batch going fast is
// listed a few times a second, not once a message.
class RunningMessagesDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShown = 200;

    RunningMessagesDialog(RunningProgram& program, QWidget* parent = nullptr);

    // Lists them again now.
    void refresh();
    // A message changed or came: listed again shortly, when shown.
    void changed();
    QTreeWidget* list() const { return m_list; }

private:
    RunningProgram& m_program;
    QTreeWidget* m_list;
    QLabel* m_status;
    QTimer* m_later;
};

} // namespace velmora
