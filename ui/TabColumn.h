#pragma once

#include <QTabBar>
#include <QTabWidget>

namespace velmora {

// The eight tabs stand in a column beside the pages, each with its icon and
// its caption written across, so every tab is visible and readable at the
// window's design size.
class TabColumnBar : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;

protected:
    QSize tabSizeHint(int index) const override;
    void paintEvent(QPaintEvent* event) override;
};

class TabColumn : public QTabWidget {
    Q_OBJECT
public:
    explicit TabColumn(QWidget* parent = nullptr);
};

} // namespace velmora
