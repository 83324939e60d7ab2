#pragma once

// Where the window's dialogs open: beside the window on a side they fit,
// else over it, and always inside the screen's available area, so a small
// screen never hides a dialog's buttons past its edge.

#include <QRect>
#include <QSize>

#include <vector>

class QWidget;

namespace velmora {

// The sides of the window a dialog may open on, tried in the order given.
enum class Side { Right, Left, Below, Above };

// The frame of a dialog `dialog` large (frame included) beside `window`
// (its frame) on the first of `sides` where it fits wholly in `available`;
// where none does, over the window, against the first side's edge. Shrunk
// to `available` when larger; `available` empty places it beside the
// window as asked, unclamped. No sides: centred over the window.
QRect PlaceDialog(const QRect& window, QSize dialog, const QRect& available, const std::vector<Side>& sides);

// Places `dialog` by PlaceDialog each time it is shown, beside the window
// it belongs to (its parent's window; none: centred on its screen), sized
// as it has laid itself out for that show.
void KeepOnScreen(QWidget& dialog, std::vector<Side> sides = {});

} // namespace velmora
