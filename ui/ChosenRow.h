#pragma once

class QAbstractItemView;

namespace velmora {

// A screen reader chooses a row by selecting it (the table's accessible
// selection), which leaves the current row where it was. This makes the
// selected row current, as a click or an arrow key does, so what follows
// the current row follows the choice however it was made.
void CurrentFollowsSelection(QAbstractItemView& view);

} // namespace velmora
