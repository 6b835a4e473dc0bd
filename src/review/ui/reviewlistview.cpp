#include "review/ui/reviewlistview.h"

#include "review/ui/reviewtablemodel.h"
#include "review/ui/rowselectionmodel.h"

namespace orvik {

ReviewListView::ReviewListView(ReviewTableModel* model, QWidget* parent) : QTreeView(parent) {
    setModel(model);
    QItemSelectionModel* plain = selectionModel();
    rowSelection_ = new RowSelectionModel(model, this);
    setSelectionModel(rowSelection_);
    delete plain;
}

// The tree view gives every cell of a row the row's state, so a selected
// row is drawn as Qt draws its own selection: the palette's highlight, in
// the active or inactive colours of the window.
void ReviewListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    if (!rowSelection_->rowSelected(index.row())) {
        QTreeView::drawRow(painter, option, index);
        return;
    }
    QStyleOptionViewItem selected = option;
    selected.state |= QStyle::State_Selected;
    QTreeView::drawRow(painter, selected, index);
}

} // namespace orvik
