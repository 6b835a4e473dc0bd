#pragma once
// The review list's selection, kept as one flag per row. Qt's own ranges
// split into one range per row once a sort scatters the selected rows, and
// every painted cell and every reorder then walks all of them; a flag is
// read in constant time and follows a sort through its permutation.
//
// Qt's own selection stays empty: read this one through rowSelected() and
// selectedRowNumbers(), never through selection() or selectedRows().
#include <QItemSelectionModel>
#include <cstddef>
#include <utility>
#include <vector>

namespace orvik {

class ReviewTableModel;

class RowSelectionModel : public QItemSelectionModel {
    Q_OBJECT

public:
    explicit RowSelectionModel(ReviewTableModel* model, QObject* parent = nullptr);

    using QItemSelectionModel::select;
    // Selects, deselects or toggles whole rows, with Qt's meaning of every
    // flag (Clear, Current, Select, Deselect, Toggle).
    void select(const QItemSelection& selection, SelectionFlags command) override;
    void clear() override;
    void reset() override;

    bool rowSelected(int row) const;
    // The selected rows, first to last.
    std::vector<std::size_t> selectedRowNumbers() const;

private:
    using RowSpans = std::vector<std::pair<int, int>>; // first and last row

    void startOver();
    void followReorder(const std::vector<std::size_t>& oldOfNew);
    RowSpans rowsOf(const QItemSelection& selection) const;
    void commitPending();
    void recomputeShown();
    QItemSelection rowsWhere(const std::vector<char>& from, const std::vector<char>& to,
                             bool selected) const;

    // Rows selected for good, and the pending selection a Current command
    // still replaces (a Shift+arrow extension), applied with its command.
    std::vector<char> committed_;
    RowSpans pending_;
    SelectionFlags pendingCommand_ = NoUpdate;
    // What the view shows: committed_ with the pending selection applied.
    std::vector<char> shown_;
};

} // namespace orvik
