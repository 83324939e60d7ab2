#pragma once

#include <QLabel>

namespace velmora {

// A one-line label for a file path: it keeps the whole path as its text,
// tooltip and accessible description, but draws only what fits, elided in
// the middle, so a long path never widens the window.
class ElidedLabel : public QLabel {
    Q_OBJECT
public:
    explicit ElidedLabel(QWidget* parent = nullptr);

    // Hide QLabel's, so the tooltip and description follow the text.
    void setText(const QString& text);
    void clear() { setText(QString()); }

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace velmora
