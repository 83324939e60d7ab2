#pragma once

#include <QString>

#include <string>

namespace Ui {
class TForm1;
}

namespace velmora {

// The Text SMS tab: the counter and the limit of a normal (160 septets) or
// flash (69 UTF-16 units) message, held while the user types or pastes.
class TextTab {
public:
    explicit TextTab(Ui::TForm1& ui) : m_ui(ui) {}

    // After every change of the text: what was just put in is cut until the
    // text fits, and the counter follows.
    void textChanged();
    // After every change of the flash box, however it was made.
    void flashChanged();
    void clear();

    // The text as sent: a line break as carriage return and line feed.
    static std::u16string ForSending(const QString& text);

private:
    int units(const QString& text) const;

    Ui::TForm1& m_ui;
    int m_limit = 160;
    QString m_accepted; // the text as last accepted within the limit
    bool m_rewriting = false;
};

} // namespace velmora
