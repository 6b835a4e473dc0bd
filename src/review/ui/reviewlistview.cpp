#include "review/ui/reviewlistview.h"

#include <QMouseEvent>

#include "review/ui/reviewlistaccessible.h"
#include "review/ui/reviewtablemodel.h"
#include "review/ui/rowselectionmodel.h"

namespace orvik {

namespace {

// Qt keeps the first accessible interface it makes for a widget, so the
// list's own must be known before the tree view's construction could ask.
QWidget* withListAccessibility(QWidget* parent) {
    ReviewListAccessible::installFactory();
    return parent;
}

} // namespace

ReviewListView::ReviewListView(ReviewTableModel* model, QWidget* parent)
    : QTreeView(withListAccessibility(parent)) {
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

// A Ctrl+click toggles the row, and a Ctrl+drag from it selects or deselects
// all it passes as the pressed row was: Qt would ask its own ranges, which
// stay empty here, so the row's flag decides instead.
QItemSelectionModel::SelectionFlags ReviewListView::selectionCommand(const QModelIndex& index,
                                                                     const QEvent* event) const {
    QItemSelectionModel::SelectionFlags command = QTreeView::selectionCommand(index, event);
    if (!event || !index.isValid() || !(command & QItemSelectionModel::Toggle))
        return command;
    if (event->type() == QEvent::MouseButtonPress)
        ctrlDrag_ = rowSelection_->rowSelected(index.row()) ? QItemSelectionModel::Deselect
                                                            : QItemSelectionModel::Select;
    else if (event->type() != QEvent::MouseMove || ctrlDrag_ == QItemSelectionModel::NoUpdate)
        return command;
    return (command & ~QItemSelectionModel::Toggle) | ctrlDrag_;
}

void ReviewListView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    ctrlDrag_ = QItemSelectionModel::NoUpdate;
}

} // namespace orvik
