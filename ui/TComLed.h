#pragma once

#include <QColor>
#include <QWidget>

namespace velmora::ui {

// The window's picture of one lamp of the link (Connect, Tx, Rx): a 25 x 25 light of its colour, off
// or on. Screen readers get its caption as the name and "on" or "off" as the
// description.
class TComLed : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Green, Yellow, Red };

    explicit TComLed(QWidget* parent = nullptr);

    void setKind(Kind kind);
    bool state() const { return m_on; }
    void setState(bool on);

    QSize sizeHint() const override { return {25, 25}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind = Kind::Green;
    bool m_on = false;
};

} // namespace velmora::ui
