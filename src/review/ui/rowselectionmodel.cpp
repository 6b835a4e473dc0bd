#include "review/ui/rowselectionmodel.h"

#include <algorithm>

#include "review/ui/reviewtablemodel.h"

namespace orvik {

namespace {

// A pending selection merges into a row as Qt merges selections: Deselect
// wins over Toggle, Toggle over Select.
char merged(char selected, QItemSelectionModel::SelectionFlags command) {
    if (command & QItemSelectionModel::Deselect)
        return 0;
    if (command & QItemSelectionModel::Toggle)
        return selected ? 0 : 1;
    return 1;
}

} // namespace

RowSelectionModel::RowSelectionModel(ReviewTableModel* model, QObject* parent)
    : QItemSelectionModel(model, parent) {
    connect(model, &QAbstractItemModel::modelReset, this, [this] { startOver(); });
    connect(model, &ReviewTableModel::rowsReordered, this,
            [this](const std::vector<std::size_t>& oldOfNew) { followReorder(oldOfNew); });
    startOver();
}

void RowSelectionModel::startOver() {
    const int rows = model() ? model()->rowCount() : 0;
    committed_.assign(static_cast<std::size_t>(std::max(rows, 0)), 0);
    shown_ = committed_;
    pending_.clear();
    pendingCommand_ = NoUpdate;
}

bool RowSelectionModel::rowSelected(int row) const {
    return row >= 0 && static_cast<std::size_t>(row) < shown_.size() &&
           shown_[static_cast<std::size_t>(row)] != 0;
}

std::vector<std::size_t> RowSelectionModel::selectedRowNumbers() const {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < shown_.size(); ++row)
        if (shown_[row])
            rows.push_back(row);
    return rows;
}

void RowSelectionModel::select(const QItemSelection& selection, SelectionFlags command) {
    if (command == NoUpdate)
        return;
    if (model() && static_cast<std::size_t>(model()->rowCount()) != committed_.size())
        startOver();
    const std::vector<char> before = shown_;
    const RowSpans rows = rowsOf(selection);
    if (command & Clear) {
        std::fill(committed_.begin(), committed_.end(), 0);
        pending_.clear();
    }
    if (!(command & Current))
        commitPending();
    if (command & (Toggle | Select | Deselect)) {
        pendingCommand_ = command;
        pending_ = rows;
    }
    recomputeShown();
    if (before == shown_)
        return;
    emit selectionChanged(rowsWhere(before, shown_, true), rowsWhere(before, shown_, false));
}

void RowSelectionModel::clear() {
    select(QItemSelection(), Clear);
    clearCurrentIndex();
}

void RowSelectionModel::reset() {
    startOver();
    QItemSelectionModel::reset();
}

// Any cell of a row stands for the whole row: the list selects rows only.
RowSelectionModel::RowSpans RowSelectionModel::rowsOf(const QItemSelection& selection) const {
    RowSpans rows;
    const int last = static_cast<int>(committed_.size()) - 1;
    for (const QItemSelectionRange& range : selection) {
        if (!range.isValid() || range.model() != model())
            continue;
        const int top = std::max(range.top(), 0);
        const int bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            rows.emplace_back(top, bottom);
    }
    return rows;
}

void RowSelectionModel::commitPending() {
    recomputeShown();
    committed_ = shown_;
    pending_.clear();
}

void RowSelectionModel::recomputeShown() {
    shown_ = committed_;
    for (const auto& [first, last] : pending_)
        for (int row = first; row <= last; ++row) {
            const auto at = static_cast<std::size_t>(row);
            shown_[at] = merged(committed_[at], pendingCommand_);
        }
}

// Rows are reordered only after the pending selection is settled, so the
// flags move with their rows as they are.
void RowSelectionModel::followReorder(const std::vector<std::size_t>& oldOfNew) {
    if (oldOfNew.size() != shown_.size()) {
        startOver();
        return;
    }
    for (std::size_t newRow = 0; newRow < oldOfNew.size(); ++newRow)
        committed_[newRow] = shown_[oldOfNew[newRow]];
    pending_.clear();
    shown_ = committed_;
}

// The rows whose flag went from unselected to selected (or the other way
// when `selected` is false), as whole-row ranges of consecutive rows.
QItemSelection RowSelectionModel::rowsWhere(const std::vector<char>& from,
                                            const std::vector<char>& to, bool selected) const {
    QItemSelection changed;
    const int lastColumn = model()->columnCount() - 1;
    const char wanted = selected ? 1 : 0;
    for (std::size_t row = 0; row < to.size();) {
        if (to[row] != wanted || from[row] == wanted) {
            ++row;
            continue;
        }
        std::size_t end = row;
        while (end + 1 < to.size() && to[end + 1] == wanted && from[end + 1] != wanted)
            ++end;
        changed.append(QItemSelectionRange(model()->index(static_cast<int>(row), 0),
                                           model()->index(static_cast<int>(end), lastColumn)));
        row = end + 1;
    }
    return changed;
}

} // namespace orvik
