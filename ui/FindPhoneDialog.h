#pragma once

#include "PortProbe.h"

#include <QDialog>

#include <atomic>
#include <thread>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace velmora {

// Communication > Find Phone: every device a COMn stands for, asked at once
// on a thread of the dialog's own, one row each as "velmora-cli ports" prints
// them; the user picks a row that answered. Closing it while the devices are
// still being asked ends the asking within a fraction of a second.
class FindPhoneDialog : public QDialog {
    Q_OBJECT
public:
    // `ownPort` is the port the window is connected on (0 for none): that
    // device is not asked, since the window's own link is what holds it.
    FindPhoneDialog(std::vector<PortCandidate> candidates, ProbeOptions options, int ownPort,
                    QWidget* parent = nullptr);
    ~FindPhoneDialog() override;

    // The port of the answering row the user chose; 0 when none was.
    int chosenPort() const { return m_chosen; }
    // Whether any device is still being asked.
    bool probing() const { return m_pending > 0; }

signals:
    // From the probing thread; connected queued, so rows change on the
    // window's thread.
    void probed(int row, int outcome, const QString& text);

private slots:
    void ShowResult(int row, int outcome, const QString& text);
    void RowChanged();
    void UsePort();

private:
    void ShowProgress();
    bool Answered(int row) const;

    QTableWidget* m_table;
    QLabel* m_status;
    QPushButton* m_use;
    std::vector<PortCandidate> m_candidates;
    std::vector<ProbeOutcome> m_outcomes;
    int m_pending = 0;
    int m_chosen = 0;
    std::atomic<bool> m_cancel{false};
    std::thread m_worker;
    int m_ownRow = -1; // the row of the port this window is connected on
};

} // namespace velmora
