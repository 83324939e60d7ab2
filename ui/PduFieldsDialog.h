#pragma once

#include "MessageReader.h"
#include "PduFields.h"
#include "RingtoneReader.h"

#include <QDialog>
#include <QStringList>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace velmora {

// PDUs pasted or handed over, taken apart: for the chosen PDU every field
// with its octets, value and meaning, the octets of the chosen field marked
// in the PDU's hex; below, the messages the PDUs make read as the inbox
// reads them. Beside the window without blocking it; loading into a tab and
// playing are the window's.
class PduFieldsDialog : public QDialog {
    Q_OBJECT
public:
    explicit PduFieldsDialog(QWidget* parent = nullptr);

    // One PDU a line into the paste box, read at once.
    void setPdus(const QStringList& pdus);
    // Play shows only while something is there to play a tune.
    void setPlayerAvailable(bool available);
    // While a tune plays, Play is Stop.
    void setPlaying(bool playing);

    int pduCount() const;
    void choosePdu(int index);
    int fieldRows() const;
    QString fieldText(int row, int column) const;
    void chooseField(int row);
    // The octets marked in the hex view, as shown ("07 91").
    QString markedHex() const;
    QString faultText() const;
    int messageCount() const;
    void chooseMessage(int index);
    QString contentText() const;

signals:
    void loadRequested(const velmora::ReadMessage& message);
    void playRequested(const velmora::ReadTune& tune);
    void stopRequested();

protected:
    // A tune heard from here ends with the window it was asked from.
    void hideEvent(QHideEvent* event) override;

private:
    void inspect();
    void showPdu();
    void markField();
    void showMessage();
    const ReadMessage* chosenMessage() const;

    QPlainTextEdit* m_paste;
    QCheckBox* m_noSmsc;
    QComboBox* m_pdus;
    QTreeWidget* m_fields;
    QPlainTextEdit* m_hex;
    QLabel* m_fault;
    QComboBox* m_messages;
    QPlainTextEdit* m_content;
    QLabel* m_bitmap;
    QPushButton* m_load;
    QPushButton* m_play;
    std::vector<std::string> m_lines; // the PDUs pasted, spaces taken out
    std::vector<PduInspection> m_inspected;
    std::vector<ReadEntry> m_read;
    bool m_playerAvailable = false;
    bool m_playing = false;
};

} // namespace velmora
