#include "ChosenRow.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

namespace velmora {

void CurrentFollowsSelection(QAbstractItemView& view) {
    QItemSelectionModel* model = view.selectionModel();
    QObject::connect(model, &QItemSelectionModel::selectionChanged, &view,
                     [model](const QItemSelection& selected) {
                         if (selected.isEmpty())
                             return;
                         const QModelIndex chosen = selected.indexes().first();
                         if (chosen.row() != model->currentIndex().row())
                             model->setCurrentIndex(chosen, QItemSelectionModel::NoUpdate);
                     });
}

} // namespace velmora
