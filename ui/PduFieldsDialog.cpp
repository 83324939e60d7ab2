#include "PduFieldsDialog.h"

#include "Translations.h"

#include "ChosenRow.h"
#include "ContentTabs.h"
#include "DialogPlacement.h"
#include "MessageWords.h"
#include "QtText.h"
#include "Strings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace velmora {

namespace {

enum Column { Field, Octets, Value, Meaning };

// Octet n stands at 3n in the hex view: two digits and a space.
QString Spaced(const std::string& hex) {
    QString out;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        out += (i ? " " : "") + Q(hex.substr(i, 2));
    return out;
}

// Counted from 1, as the faults count them.
QString OctetRange(const PduField& f) {
    return f.count <= 1 ? QString::number(f.offset + 1)
                        : QString("%1-%2").arg(f.offset + 1).arg(f.offset + f.count);
}

QString PduSummary(int index, const PduInspection& p) {
    const QString n = QString::number(index + 1);
    if (!p.pdu)
        return QCoreApplication::translate("PduFieldsDialog", "%1: not read: %2").arg(n, Localized(p.fault));
    switch (p.pdu->type) {
    case PduType::Deliver:
        return QCoreApplication::translate("PduFieldsDialog", "%1: SMS-DELIVER from %2")
            .arg(n, Q(p.pdu->number));
    case PduType::Submit:
        return QCoreApplication::translate("PduFieldsDialog", "%1: SMS-SUBMIT to %2")
            .arg(n, Q(p.pdu->number));
    case PduType::StatusReport:
        return QCoreApplication::translate("PduFieldsDialog", "%1: SMS-STATUS-REPORT on %2")
            .arg(n, Q(p.pdu->number));
    }
    return n + ": ";
}

QString Sources(const ReadEntry& e) {
    QStringList s;
    for (std::size_t i : e.sources)
        s << QString::number(i + 1);
    return (e.sources.size() == 1 ? QCoreApplication::translate("PduFieldsDialog", "PDU %1")
                                  : QCoreApplication::translate("PduFieldsDialog", "PDUs %1"))
        .arg(s.join(", "));
}

QString MessageDetail(const ReadMessage& m) {
    QStringList lines;
    lines << QCoreApplication::translate("PduFieldsDialog", "Kind: %1")
                 .arg(KindInSentence(ContentKindName(m.kind)));
    lines << (m.pdu.type == PduType::Submit ? QCoreApplication::translate("PduFieldsDialog", "To: %1")
                                            : QCoreApplication::translate("PduFieldsDialog", "From: %1"))
                 .arg(Q(m.pdu.number));
    if (m.parts)
        lines << QCoreApplication::translate("PduFieldsDialog", "Parts: %1 of %2 came")
                     .arg(m.parts->total - static_cast<int>(m.missing.size()))
                     .arg(m.parts->total);
    if (m.truncated)
        lines << QCoreApplication::translate("PduFieldsDialog",
                                             "Cut short: the user data ends before its stated length");
    if (m.kind == ContentKind::Logo)
        lines << QCoreApplication::translate("PduFieldsDialog", "Network: %1 %2").arg(Q(m.mcc), Q(m.nc));
    if (m.width > 0)
        lines << QCoreApplication::translate("PduFieldsDialog", "Bitmap: %1 x %2").arg(m.width).arg(m.height);
    if (m.kind == ContentKind::Ringtone) {
        lines << QCoreApplication::translate("PduFieldsDialog", "Title: %1").arg(FromPhone(m.title));
        lines << QCoreApplication::translate("PduFieldsDialog", "Tempo: %1 beats a minute").arg(m.tempo);
        lines << QCoreApplication::translate("PduFieldsDialog", "RTTTL: %1").arg(FromPhone(m.rtttl));
    }
    if (m.compressed)
        lines << QCoreApplication::translate("PduFieldsDialog",
                                             "Compressed: Velmora does not read the text; its octets: %1")
                     .arg(Q(m.content));
    if (!m.text.empty())
        lines << QString() << FromUtf16(m.text);
    return lines.join('\n');
}

// "#" black on white, three screen pixels to one.
QPixmap Drawn(const ReadMessage& m) {
    const auto rows = DrawBitmap(m.content, m.width, m.height);
    QImage image(m.width, m.height, QImage::Format_Mono);
    image.setColor(0, qRgb(255, 255, 255));
    image.setColor(1, qRgb(0, 0, 0));
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x)
            image.setPixel(x, y, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '#');
    return QPixmap::fromImage(image.scaled(m.width * 3, m.height * 3));
}

QLabel* Buddy(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

PduFieldsDialog::PduFieldsDialog(QWidget* parent)
    : QDialog(parent), m_paste(new QPlainTextEdit(this)),
      m_noSmsc(new QCheckBox(tr("&Without service centre"), this)), m_pdus(new QComboBox(this)),
      m_fields(new QTreeWidget(this)), m_hex(new QPlainTextEdit(this)), m_fault(new QLabel(this)),
      m_messages(new QComboBox(this)), m_content(new QPlainTextEdit(this)), m_bitmap(new QLabel(this)),
      m_load(new QPushButton(tr("&Load into Tab"), this)), m_play(new QPushButton(tr("Pla&y"), this)) {
    setObjectName("PduFieldsDialog");
    // On the side the inbox leaves free, rather than over the tabs it loads into.
    KeepOnScreen(*this, {Side::Left, Side::Right});
    setWindowTitle(tr("PDU Inspector"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_paste->setObjectName("memInspectorPdus");
    m_paste->setAccessibleName(tr("PDUs"));
    m_paste->setPlaceholderText(tr("Paste PDUs here, one a line."));
    m_paste->setTabChangesFocus(true);
    m_paste->setFont(fixed);
    m_paste->setMaximumHeight(m_paste->fontMetrics().lineSpacing() * 5);
    m_noSmsc->setObjectName("chkInspectorNoSmsc");
    m_noSmsc->setAccessibleName(tr("Without service centre"));
    m_pdus->setObjectName("cboInspectorPdu");
    m_pdus->setAccessibleName(tr("PDU"));
    m_fields->setObjectName("lvPduFields");
    m_fields->setAccessibleName(tr("Fields"));
    m_fields->setRootIsDecorated(false);
    m_fields->setUniformRowHeights(true);
    m_fields->setHeaderLabels({tr("Field"), tr("Octets"), tr("Value"), tr("Meaning")});
    m_fields->header()->setStretchLastSection(true);
    m_fields->setColumnWidth(Field, 110);
    m_fields->setColumnWidth(Octets, 60);
    m_fields->setColumnWidth(Value, 140);
    m_hex->setObjectName("memPduHex");
    m_hex->setAccessibleName(tr("PDU octets"));
    m_hex->setReadOnly(true);
    m_hex->setTabChangesFocus(true);
    m_hex->setFont(fixed);
    m_hex->setMaximumHeight(m_hex->fontMetrics().lineSpacing() * 5);
    m_fault->setObjectName("lblInspectorFault");
    m_fault->setAccessibleName(tr("Fault"));
    m_fault->setTextFormat(Qt::PlainText);
    m_fault->setWordWrap(true);
    m_messages->setObjectName("cboInspectorMessage");
    m_messages->setAccessibleName(tr("Message"));
    m_content->setObjectName("memInspectorContent");
    m_content->setAccessibleName(tr("Content"));
    m_content->setReadOnly(true);
    m_content->setTabChangesFocus(true);
    m_bitmap->setObjectName("imgInspectorBitmap");
    m_bitmap->setAccessibleName(tr("Bitmap"));
    m_bitmap->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    m_bitmap->hide();
    m_load->setObjectName("btnInspectorLoad");
    m_load->setAccessibleName(tr("Load into Tab"));
    m_play->setObjectName("btnInspectorPlay");
    m_play->setAccessibleName(tr("Play"));
    m_play->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("btnCloseInspector");
    buttons->button(QDialogButtonBox::Close)->setObjectName("btnInspectorClose");
    buttons->button(QDialogButtonBox::Close)->setAccessibleName(tr("Close"));
    buttons->addButton(m_load, QDialogButtonBox::ActionRole);
    buttons->addButton(m_play, QDialogButtonBox::ActionRole);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_paste, &QPlainTextEdit::textChanged, this, &PduFieldsDialog::inspect);
    connect(m_noSmsc, &QCheckBox::toggled, this, &PduFieldsDialog::inspect);
    connect(m_pdus, &QComboBox::currentIndexChanged, this, &PduFieldsDialog::showPdu);
    connect(m_fields, &QTreeWidget::currentItemChanged, this, &PduFieldsDialog::markField);
    CurrentFollowsSelection(*m_fields);
    connect(m_messages, &QComboBox::currentIndexChanged, this, &PduFieldsDialog::showMessage);
    connect(m_load, &QPushButton::clicked, this, [this] {
        if (const ReadMessage* m = chosenMessage())
            emit loadRequested(*m);
    });
    connect(m_play, &QPushButton::clicked, this, [this] {
        if (m_playing) {
            emit stopRequested();
            return;
        }
        const ReadMessage* m = chosenMessage();
        if (const auto tune = m ? ReadRingtone(m->content) : Result<ReadTune>::Fail(""); tune)
            emit playRequested(*tune);
    });

    auto* top = new QFormLayout;
    top->addRow(Buddy(tr("P&DUs:"), m_paste, this), m_paste);
    top->addRow(QString(), m_noSmsc);
    top->addRow(Buddy(tr("&Inspect:"), m_pdus, this), m_pdus);
    auto* message = new QHBoxLayout;
    message->addWidget(m_content, 1);
    message->addWidget(m_bitmap);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Buddy(tr("&Fields:"), m_fields, this));
    layout->addWidget(m_fields, 3);
    layout->addWidget(m_hex);
    layout->addWidget(m_fault);
    auto* chooser = new QFormLayout;
    chooser->addRow(Buddy(tr("&Message:"), m_messages, this), m_messages);
    layout->addLayout(chooser);
    layout->addLayout(message, 2);
    layout->addWidget(buttons);
    resize(720, 680);
    inspect();
}

// Handed over from the dialogue, each with its service-centre part.
void PduFieldsDialog::setPdus(const QStringList& pdus) {
    {
        const QSignalBlocker quiet(m_noSmsc);
        m_noSmsc->setChecked(false);
    }
    m_paste->setPlainText(pdus.join('\n'));
    m_paste->moveCursor(QTextCursor::Start);
}

void PduFieldsDialog::setPlayerAvailable(bool available) {
    m_playerAvailable = available;
    showMessage();
}

void PduFieldsDialog::setPlaying(bool playing) {
    m_playing = playing;
    m_play->setText(playing ? tr("S&top") : tr("Pla&y"));
    m_play->setAccessibleName(playing ? tr("Stop") : tr("Play"));
    showMessage();
}

void PduFieldsDialog::hideEvent(QHideEvent* event) {
    if (m_playing)
        emit stopRequested();
    QDialog::hideEvent(event);
}

// Every line its own PDU, spaces and blank lines left out.
void PduFieldsDialog::inspect() {
    const bool withSmsc = !m_noSmsc->isChecked();
    m_lines.clear();
    m_inspected.clear();
    for (QString line : m_paste->toPlainText().split('\n')) {
        line.remove(QChar(' ')).remove(QChar('\t')).remove(QChar('\r'));
        if (line.isEmpty())
            continue;
        m_lines.push_back(S(line));
        m_inspected.push_back(InspectPdu(m_lines.back(), withSmsc));
    }
    m_read = ReadMessages(m_lines, withSmsc);
    {
        const QSignalBlocker quiet(m_pdus);
        m_pdus->clear();
        for (std::size_t i = 0; i < m_inspected.size(); ++i)
            m_pdus->addItem(PduSummary(static_cast<int>(i), m_inspected[i]));
    }
    {
        const QSignalBlocker quiet(m_messages);
        m_messages->clear();
        for (std::size_t i = 0; i < m_read.size(); ++i) {
            const ReadEntry& e = m_read[i];
            const QString kind =
                e.message ? KindInSentence(ContentKindName(e.message->kind)) : tr("not read");
            m_messages->addItem(QString("%1: %2 (%3)").arg(i + 1).arg(kind, Sources(e)));
        }
    }
    showPdu();
    showMessage();
}

void PduFieldsDialog::showPdu() {
    const QSignalBlocker quiet(m_fields);
    m_fields->clear();
    const int at = m_pdus->currentIndex();
    if (at < 0 || static_cast<std::size_t>(at) >= m_inspected.size()) {
        m_hex->clear();
        m_fault->clear();
        m_fault->hide();
        return;
    }
    const PduInspection& p = m_inspected[static_cast<std::size_t>(at)];
    for (const PduField& f : p.fields)
        new QTreeWidgetItem(m_fields, {Localized(f.name), OctetRange(f), Q(f.hex),
                                       f.words ? Localized(f.meaning) : Q(f.meaning)});
    m_hex->setPlainText(Spaced(Upper(m_lines[static_cast<std::size_t>(at)])));
    // A PDU cut in its user data is read as far as it goes, and says so.
    const bool cut = p.pdu && p.pdu->truncated;
    m_fault->setText(!p.fault.empty() ? tr("Not read whole: %1").arg(Localized(p.fault))
                     : cut ? tr("Read as far as it goes: the user data ends before its stated length")
                           : QString());
    m_fault->setVisible(!p.fault.empty() || cut);
    m_fields->setCurrentItem(m_fields->topLevelItem(0));
    markField();
}

// The chosen field's octets marked in the hex, as a selection would be,
// and scrolled into sight.
void PduFieldsDialog::markField() {
    const int pdu = m_pdus->currentIndex();
    QTreeWidgetItem* item = m_fields->currentItem();
    if (pdu < 0 || !item) {
        m_hex->setExtraSelections({});
        return;
    }
    const PduField& f = m_inspected[static_cast<std::size_t>(pdu)]
                            .fields[static_cast<std::size_t>(m_fields->indexOfTopLevelItem(item))];
    const int length = static_cast<int>(m_hex->toPlainText().size());
    const int from = std::min(static_cast<int>(3 * f.offset), length);
    const int to = std::min(static_cast<int>(3 * (f.offset + f.count)) - 1, length);
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(m_hex->document());
    mark.cursor.setPosition(from);
    mark.cursor.setPosition(std::max(from, to), QTextCursor::KeepAnchor);
    mark.format.setBackground(palette().highlight());
    mark.format.setForeground(palette().highlightedText());
    m_hex->setExtraSelections({mark});
    QTextCursor caret(m_hex->document());
    caret.setPosition(from);
    m_hex->setTextCursor(caret);
    m_hex->ensureCursorVisible();
}

void PduFieldsDialog::showMessage() {
    const int at = m_messages->currentIndex();
    const ReadEntry* e = at >= 0 && static_cast<std::size_t>(at) < m_read.size()
                             ? &m_read[static_cast<std::size_t>(at)]
                             : nullptr;
    const ReadMessage* m = chosenMessage();
    m_content->setPlainText(!e  ? QString()
                            : m ? MessageDetail(*m)
                                : tr("Not read: %1").arg(Localized(e->message.error())));
    const bool drawn = m && m->width > 0 && m->height > 0 && !m->content.empty();
    m_bitmap->setPixmap(drawn ? Drawn(*m) : QPixmap());
    m_bitmap->setVisible(drawn);
    m_load->setEnabled(m && ContentTabs::TabFor(*m).has_value());
    m_play->setVisible(m_playerAvailable);
    m_play->setEnabled(m_playing || (m_playerAvailable && m && m->kind == ContentKind::Ringtone &&
                                     ReadRingtone(m->content).ok()));
}

const ReadMessage* PduFieldsDialog::chosenMessage() const {
    const int at = m_messages->currentIndex();
    if (at < 0 || static_cast<std::size_t>(at) >= m_read.size() ||
        !m_read[static_cast<std::size_t>(at)].message)
        return nullptr;
    return &*m_read[static_cast<std::size_t>(at)].message;
}

int PduFieldsDialog::pduCount() const { return m_pdus->count(); }

void PduFieldsDialog::choosePdu(int index) { m_pdus->setCurrentIndex(index); }

int PduFieldsDialog::fieldRows() const { return m_fields->topLevelItemCount(); }

QString PduFieldsDialog::fieldText(int row, int column) const {
    const QTreeWidgetItem* item = m_fields->topLevelItem(row);
    return item ? item->text(column) : QString();
}

void PduFieldsDialog::chooseField(int row) { m_fields->setCurrentItem(m_fields->topLevelItem(row)); }

QString PduFieldsDialog::markedHex() const {
    const auto marks = m_hex->extraSelections();
    return marks.isEmpty() ? QString() : marks.front().cursor.selectedText();
}

QString PduFieldsDialog::faultText() const { return m_fault->text(); }

int PduFieldsDialog::messageCount() const { return m_messages->count(); }

void PduFieldsDialog::chooseMessage(int index) { m_messages->setCurrentIndex(index); }

QString PduFieldsDialog::contentText() const { return m_content->toPlainText(); }

} // namespace velmora
