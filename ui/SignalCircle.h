#pragma once

#include <QColor>
#include <QWidget>

namespace velmora {

// A small filled circle: a modem line, red while off and lime green while on.
// It keeps its colour until told otherwise, also after a disconnect.
class SignalCircle : public QWidget {
    Q_OBJECT
public:
    explicit SignalCircle(QWidget* parent = nullptr);

    bool isOn() const { return m_on; }
    void setOn(bool on);
    QColor brushColor() const { return m_on ? QColor(0, 255, 0) : QColor(255, 0, 0); }

    QSize sizeHint() const override { return {13, 13}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_on = false;
};

} // namespace velmora
