#include "TextTab.h"

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

// Typing and pasting stop at the limit: what was just put in is cut until
// the text fits.
void TextTab::textChanged() {
    if (m_rewriting)
        return;
    QPlainTextEdit* memo = m_ui.memText;
    QString now = memo->toPlainText();
    if (units(now) > m_limit) {
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
        while (!inserted.isEmpty() && units(head + inserted + tail) > m_limit)
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
    m_ui.lblLeftChar->setText(QString::number(m_limit - units(now)));
}

void TextTab::flashChanged() {
    const bool flash = m_ui.chkFlash->isChecked();
    m_ui.chkBlink->setEnabled(flash);
    m_limit = flash ? 69 : 160;
    m_ui.lblDescription->setText(flash ? "Maximum 69 Characters" : "Maximum 160 Characters");
    QString text = m_ui.memText->toPlainText();
    if (units(text) > m_limit) {
        while (units(text) > m_limit)
            text.chop(text.size() > 1 && text.back().isLowSurrogate() ? 2 : 1);
        m_rewriting = true;
        m_ui.memText->setPlainText(text);
        m_rewriting = false;
    }
    m_accepted = text;
    m_ui.lblLeftChar->setText(QString::number(m_limit - units(text)));
}

void TextTab::clear() {
    m_ui.memText->clear();
    m_ui.memText->setFocus();
}

} // namespace velmora
