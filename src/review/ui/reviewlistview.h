#pragma once
// The review list's view: a tree view over the review model whose rows are
// selected through per-row flags (see RowSelectionModel) and drawn with the
// selected look from those flags.
#include <QTreeView>

namespace orvik {

class ReviewTableModel;
class RowSelectionModel;

class ReviewListView : public QTreeView {
    Q_OBJECT

public:
    explicit ReviewListView(ReviewTableModel* model, QWidget* parent = nullptr);

    RowSelectionModel* rowSelection() const { return rowSelection_; }

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                 const QModelIndex& index) const override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    RowSelectionModel* rowSelection_;
    // What a Ctrl+drag does to the rows it passes: the opposite of what the
    // pressed row was.
    mutable QItemSelectionModel::SelectionFlags ctrlDrag_ = QItemSelectionModel::NoUpdate;
};

} // namespace orvik
