#include "TextTab.h"

#include "Translations.h"

#include <QCoreApplication>

#include "SMSLibU.h"
#include "ui_TForm1.h"

namespace velmora {

// A line break is sent as carriage return and line feed, whatever the
// widget keeps.
std::u16string TextTab::ForSending(const QString& text) {
    QString s = text;
    s.replace("\r\n", "\n").replace('\n', "\r\n");
    return s.toStdU16String();
}

bool TextTab::longMode() const { return m_ui.chkLong->isChecked() && !m_ui.chkFlash->isChecked(); }

// Septets for a normal message (an extension character counts two), UTF-16
// units for a flash message; a line break counts two either way.
int TextTab::units(const QString& text) const {
    const std::u16string s = ForSending(text);
    if (m_ui.chkFlash->isChecked())
        return static_cast<int>(s.size());
    int units = 0;
    for (char16_t c : s) {
        const int n = CountSeptets(std::u16string_view(&c, 1));
        units += n < 0 ? 1 : n; // refused when sent, counted as one meanwhile
    }
    return units;
}

bool TextTab::fits(const QString& text) const {
    if (!longMode())
        return units(text) <= m_limit;
    const std::u16string s = ForSending(text);
    return CountParts(s, CodingFor(s)).parts <= kMaxParts;
}

QString TextTab::counter(const QString& text) const {
    if (!longMode())
        return QString::number(m_limit - units(text));
    const std::u16string s = ForSending(text);
    return Localized(PartCountText(CountParts(s, CodingFor(s))));
}

// The long mode names the coding the text goes in as it changes.
void TextTab::describe(const QString& text) {
    QString description;
    if (!longMode())
        description = m_ui.chkFlash->isChecked()
                          ? QCoreApplication::translate("TextTab", "Maximum 69 Characters")
                          : QCoreApplication::translate("TextTab", "Maximum 160 Characters");
    else if (CodingFor(ForSending(text)) == TextCoding::Gsm7)
        description =
            QCoreApplication::translate("TextTab", "Long: 160 characters per message, 153 per part");
    else
        description =
            QCoreApplication::translate("TextTab", "Unicode: 70 characters per message, 67 per part");
    if (m_ui.lblDescription->text() != description)
        m_ui.lblDescription->setText(description);
    // The longer words of the long mode stand above its counter, so the
    // tab keeps the window's width.
    if (m_ui.lblDescription->wordWrap() != longMode()) {
        m_ui.lblDescription->setWordWrap(longMode());
        m_ui.layTextTop->setDirection(longMode() ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    }
}

// The longest start of `inserted` that fits between `head` and `tail`; a
// long text is too long to cut one character at a time.
qsizetype TextTab::fittingLength(const QString& head, const QString& inserted, const QString& tail) const {
    qsizetype fitting = 0, over = inserted.size() + 1;
    while (over - fitting > 1) {
        const qsizetype mid = fitting + (over - fitting) / 2;
        if (fits(head + inserted.left(mid) + tail))
            fitting = mid;
        else
            over = mid;
    }
    return fitting;
}

// Typing and pasting stop at the limit: what was just put in is cut until
// the text fits.
void TextTab::textChanged() {
    if (m_rewriting)
        return;
    QPlainTextEdit* memo = m_ui.memText;
    QString now = memo->toPlainText();
    if (!fits(now)) {
        const QString& before = m_accepted;
        qsizetype prefix = 0;
        while (prefix < before.size() && prefix < now.size() && before[prefix] == now[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < before.size() - prefix && suffix < now.size() - prefix &&
               before[before.size() - 1 - suffix] == now[now.size() - 1 - suffix])
            ++suffix;
        QString inserted = now.mid(prefix, now.size() - prefix - suffix);
        const QString head = now.left(prefix), tail = now.right(suffix);
        // One unit past what fits, so the cut below keeps a surrogate pair whole.
        if (longMode())
            inserted.truncate(fittingLength(head, inserted, tail) + 1);
        while (!inserted.isEmpty() && !fits(head + inserted + tail))
            inserted.chop(inserted.size() > 1 && inserted.back().isLowSurrogate() ? 2 : 1);
        now = head + inserted + tail;
        m_rewriting = true;
        memo->setPlainText(now);
        QTextCursor cursor = memo->textCursor();
        cursor.setPosition(static_cast<int>(prefix + inserted.size()));
        memo->setTextCursor(cursor);
        m_rewriting = false;
    }
    m_accepted = now;
    if (longMode())
        describe(now);
    m_ui.lblLeftChar->setText(counter(now));
}

void TextTab::flashChanged() {
    const bool flash = m_ui.chkFlash->isChecked();
    m_ui.chkBlink->setEnabled(flash);
    // A flash message is one message: the box waits, as Blinking does.
    m_ui.chkLong->setEnabled(!flash);
    m_limit = flash ? 69 : 160;
    modeChanged();
}

void TextTab::longChanged() { modeChanged(); }

// A limit that became smaller cuts the text's end.
void TextTab::modeChanged() {
    QString text = m_ui.memText->toPlainText();
    if (!fits(text)) {
        text.truncate(fittingLength({}, text, {}) + 1);
        while (!fits(text))
            text.chop(text.size() > 1 && text.back().isLowSurrogate() ? 2 : 1);
        m_rewriting = true;
        m_ui.memText->setPlainText(text);
        m_rewriting = false;
    }
    m_accepted = text;
    describe(text);
    m_ui.lblLeftChar->setText(counter(text));
}

void TextTab::clear() {
    m_ui.memText->clear();
    m_ui.memText->setFocus();
}

} // namespace velmora
