#pragma once
// The review list as assistive technology sees it: a tree of cells with a
// table interface, whose selection is read from the rows' flags (see
// RowSelectionModel). Qt's own interface for a tree view asks Qt's ranges,
// which stay empty here, and would report no row as selected.
//
// Children are numbered as the tree view numbers them in its accessibility
// events: the column titles first, then each row's cells left to right.
#include <QAccessibleTableInterface>
#include <QAccessibleWidget>
#include <QHash>

namespace orvik {

class ReviewListView;

class ReviewListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit ReviewListAccessible(ReviewListView* view);
    ~ReviewListAccessible() override;

    // Makes Qt ask this class for every review list; once is enough.
    static void installFactory();

    void* interface_cast(QAccessible::InterfaceType type) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override;
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override;
    QList<int> selectedRows() const override;
    bool isColumnSelected(int column) const override;
    bool isRowSelected(int row) const override;
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; } // the list selects rows only
    bool unselectRow(int row) override;
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    ReviewListView* view() const;
    bool isCell(int row, int column) const;
    int childIndexOf(int row, int column) const;
    bool allRowsSelected() const;
    void forgetChildren();

    // The children made so far, by child index; Qt owns them by their id.
    mutable QHash<int, QAccessible::Id> children_;
};

} // namespace orvik
