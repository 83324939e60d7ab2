#pragma once

#include <QString>

#include <string>

namespace Ui {
class TForm1;
}

namespace velmora {

// The Text SMS tab: the counter and the limit of a normal (160 septets) or
// flash (69 UTF-16 units) message, held while the user types or pastes.
// With Long / Unicode (not for a flash message) the limit is 255 parts, in
// GSM 7-bit while every character has a GSM form and in UCS2 otherwise, and
// the counter says how many messages the text takes.
class TextTab {
public:
    explicit TextTab(Ui::TForm1& ui) : m_ui(ui) {}

    // After every change of the text: what was just put in is cut until the
    // text fits, and the counter follows.
    void textChanged();
    // After every change of the flash box, however it was made.
    void flashChanged();
    // After every change of the Long / Unicode box.
    void longChanged();
    void clear();

    // Whether the text goes as a long or Unicode text: the box is on and
    // the message is not a flash one.
    bool longMode() const;

    // The text as sent: a line break as carriage return and line feed.
    static std::u16string ForSending(const QString& text);

private:
    int units(const QString& text) const;
    bool fits(const QString& text) const;
    QString counter(const QString& text) const;
    void describe(const QString& text);
    qsizetype fittingLength(const QString& head, const QString& inserted, const QString& tail) const;
    void modeChanged();

    Ui::TForm1& m_ui;
    int m_limit = 160;
    QString m_accepted; // the text as last accepted within the limit
    bool m_rewriting = false;
};

} // namespace velmora
