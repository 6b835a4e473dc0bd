#include "review/ui/reviewcellaccessible.h"

#include "review/ui/reviewlistview.h"
#include "review/ui/rowselectionmodel.h"

namespace orvik {

ReviewCellAccessible::ReviewCellAccessible(ReviewListView* view, int row, int column)
    : view_(view), row_(row), column_(column) {}

QModelIndex ReviewCellAccessible::index() const {
    return view_ ? view_->model()->index(row_, column_) : QModelIndex();
}

// Rows removed from under it leave the cell without a place.
bool ReviewCellAccessible::isValid() const {
    return index().isValid();
}

QString ReviewCellAccessible::text(QAccessible::Text type) const {
    const QModelIndex cell = index();
    if (type == QAccessible::Description)
        return cell.data(Qt::AccessibleDescriptionRole).toString();
    if (type != QAccessible::Name)
        return {};
    const QString spoken = cell.data(Qt::AccessibleTextRole).toString();
    return spoken.isEmpty() ? cell.data(Qt::DisplayRole).toString() : spoken;
}

QRect ReviewCellAccessible::rect() const {
    const QModelIndex cell = index();
    if (!cell.isValid())
        return {};
    const QRect shown = view_->visualRect(cell);
    if (shown.isNull())
        return {};
    return shown.translated(view_->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::State ReviewCellAccessible::state() const {
    QAccessible::State state;
    const QModelIndex cell = index();
    if (!cell.isValid())
        return state;
    const QRect shownArea(view_->mapToGlobal(QPoint(0, 0)), view_->size());
    state.invisible = !shownArea.intersects(rect());
    state.selected = isSelected();
    state.focused = view_->currentIndex() == cell;
    if (cell.flags() & Qt::ItemIsSelectable) {
        state.selectable = true;
        state.focusable = true;
        state.multiSelectable = view_->selectionMode() == QAbstractItemView::MultiSelection;
        state.extSelectable = view_->selectionMode() == QAbstractItemView::ExtendedSelection;
    }
    return state;
}

void* ReviewCellAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool ReviewCellAccessible::isSelected() const {
    return isValid() && view_->rowSelection()->rowSelected(row_);
}

QList<QAccessibleInterface*> ReviewCellAccessible::columnHeaderCells() const {
    QAccessibleInterface* list = table();
    QAccessibleInterface* title = list ? list->child(column_) : nullptr;
    return title ? QList<QAccessibleInterface*>{title} : QList<QAccessibleInterface*>{};
}

QAccessibleInterface* ReviewCellAccessible::table() const {
    return QAccessible::queryAccessibleInterface(view_);
}

void ReviewCellAccessible::doAction(const QString& actionName) {
    QAccessibleInterface* list = table();
    if (actionName != toggleAction() || !isValid() || !list || !list->tableInterface())
        return;
    if (isSelected())
        list->tableInterface()->unselectRow(row_);
    else
        list->tableInterface()->selectRow(row_);
}

} // namespace orvik
