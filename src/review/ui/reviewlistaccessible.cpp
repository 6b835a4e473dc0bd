#include "review/ui/reviewlistaccessible.h"

#include "review/ui/reviewcellaccessible.h"
#include "review/ui/reviewheadercellaccessible.h"
#include "review/ui/reviewlistview.h"
#include "review/ui/rowselectionmodel.h"

namespace orvik {

namespace {

QAccessibleInterface* interfaceForReviewList(const QString& className, QObject* object) {
    if (className != QLatin1StringView(ReviewListView::staticMetaObject.className()))
        return nullptr;
    auto* view = qobject_cast<ReviewListView*>(object);
    return view ? new ReviewListAccessible(view) : nullptr;
}

} // namespace

ReviewListAccessible::ReviewListAccessible(ReviewListView* view)
    : QAccessibleWidget(view, QAccessible::Tree) {}

ReviewListAccessible::~ReviewListAccessible() {
    forgetChildren();
}

void ReviewListAccessible::installFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(interfaceForReviewList);
        return true;
    }();
    (void)installed;
}

ReviewListView* ReviewListAccessible::view() const {
    return static_cast<ReviewListView*>(widget());
}

void* ReviewListAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int ReviewListAccessible::rowCount() const {
    return view()->model()->rowCount();
}

int ReviewListAccessible::columnCount() const {
    return view()->model()->columnCount();
}

bool ReviewListAccessible::isCell(int row, int column) const {
    return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
}

// The column titles take the first row of children.
int ReviewListAccessible::childIndexOf(int row, int column) const {
    return (row + 1) * columnCount() + column;
}

int ReviewListAccessible::childCount() const {
    return (rowCount() + 1) * columnCount();
}

QAccessibleInterface* ReviewListAccessible::child(int index) const {
    const int columns = columnCount();
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const auto made = children_.constFind(index); made != children_.constEnd())
        return QAccessible::accessibleInterface(*made);
    const int row = index / columns - 1;
    const int column = index % columns;
    QAccessibleInterface* made = nullptr;
    if (row < 0)
        made = new ReviewHeaderCellAccessible(view(), column);
    else
        made = new ReviewCellAccessible(view(), row, column);
    children_.insert(index, QAccessible::registerAccessibleInterface(made));
    return made;
}

int ReviewListAccessible::indexOfChild(const QAccessibleInterface* child) const {
    if (!child || child->parent() != static_cast<const QAccessibleInterface*>(this))
        return -1;
    if (const auto* title = dynamic_cast<const ReviewHeaderCellAccessible*>(child))
        return title->column();
    const auto* cell = dynamic_cast<const ReviewCellAccessible*>(child);
    if (!cell || !isCell(cell->rowIndex(), cell->columnIndex()))
        return -1;
    return childIndexOf(cell->rowIndex(), cell->columnIndex());
}

QAccessibleInterface* ReviewListAccessible::childAt(int x, int y) const {
    const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? child(childIndexOf(index.row(), index.column())) : nullptr;
}

QAccessibleInterface* ReviewListAccessible::focusChild() const {
    const QModelIndex current = view()->currentIndex();
    return current.isValid() ? child(childIndexOf(current.row(), current.column())) : nullptr;
}

QAccessibleInterface* ReviewListAccessible::cellAt(int row, int column) const {
    return isCell(row, column) ? child(childIndexOf(row, column)) : nullptr;
}

QString ReviewListAccessible::columnDescription(int column) const {
    return view()->model()->headerData(column, Qt::Horizontal).toString();
}

// A selected row has every cell selected, as Qt's own ranges of a row
// selection would hold.
int ReviewListAccessible::selectedCellCount() const {
    return selectedRowCount() * columnCount();
}

QList<QAccessibleInterface*> ReviewListAccessible::selectedCells() const {
    QList<QAccessibleInterface*> cells;
    for (std::size_t row : view()->rowSelection()->selectedRowNumbers())
        for (int column = 0; column < columnCount(); ++column)
            cells.append(child(childIndexOf(static_cast<int>(row), column)));
    return cells;
}

int ReviewListAccessible::selectedRowCount() const {
    return static_cast<int>(view()->rowSelection()->selectedRowNumbers().size());
}

QList<int> ReviewListAccessible::selectedRows() const {
    QList<int> rows;
    for (std::size_t row : view()->rowSelection()->selectedRowNumbers())
        rows.append(static_cast<int>(row));
    return rows;
}

bool ReviewListAccessible::isRowSelected(int row) const {
    return view()->rowSelection()->rowSelected(row);
}

// A column counts as selected when all of its rows are, as Qt counts it.
bool ReviewListAccessible::allRowsSelected() const {
    return rowCount() > 0 && selectedRowCount() == rowCount();
}

int ReviewListAccessible::selectedColumnCount() const {
    return allRowsSelected() ? columnCount() : 0;
}

QList<int> ReviewListAccessible::selectedColumns() const {
    QList<int> columns;
    if (allRowsSelected())
        for (int column = 0; column < columnCount(); ++column)
            columns.append(column);
    return columns;
}

bool ReviewListAccessible::isColumnSelected(int column) const {
    return column >= 0 && column < columnCount() && allRowsSelected();
}

bool ReviewListAccessible::selectRow(int row) {
    const QAbstractItemView::SelectionMode mode = view()->selectionMode();
    if (!isCell(row, 0) || mode == QAbstractItemView::NoSelection)
        return false;
    if (mode == QAbstractItemView::SingleSelection)
        view()->clearSelection();
    view()->selectionModel()->select(view()->model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    return true;
}

bool ReviewListAccessible::unselectRow(int row) {
    if (!isCell(row, 0) || view()->selectionMode() == QAbstractItemView::NoSelection)
        return false;
    view()->selectionModel()->select(view()->model()->index(row, 0),
                                     QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
    return true;
}

// Cells stand for places in the list, not for rows of data, so after any
// change of rows they are made afresh rather than moved.
void ReviewListAccessible::modelChange(QAccessibleTableModelChangeEvent* event) {
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        forgetChildren();
}

void ReviewListAccessible::forgetChildren() {
    for (QAccessible::Id id : std::as_const(children_))
        QAccessible::deleteAccessibleInterface(id);
    children_.clear();
}

} // namespace orvik
