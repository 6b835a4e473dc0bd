#include "review/ui/reviewtablemodel.h"

#include "platform/qt/qtext.h"

namespace orvik {

namespace {

// As an int, the form every view and delegate reads.
int alignmentOf(int column) {
    const bool right = reviewColumns()[static_cast<std::size_t>(column)].alignRight;
    return static_cast<int>((right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

bool isColumn(int column) {
    return column >= 0 && column < kReviewColumnCount;
}

} // namespace

ReviewTableModel::ReviewTableModel(const ReviewList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int ReviewTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.rows.size());
}

int ReviewTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kReviewColumnCount;
}

QVariant ReviewTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !isColumn(index.column()) ||
        static_cast<std::size_t>(index.row()) >= list_.rows.size())
        return {};
    if (role == Qt::DisplayRole)
        return toQString(list_.rows[static_cast<std::size_t>(index.row())]
                                   [static_cast<std::size_t>(index.column())]);
    if (role == Qt::TextAlignmentRole)
        return alignmentOf(index.column());
    return {};
}

QVariant ReviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || !isColumn(section))
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return toQString(reviewColumns()[static_cast<std::size_t>(section)].title);
    if (role == Qt::TextAlignmentRole)
        return alignmentOf(section);
    return {};
}

void ReviewTableModel::reset() {
    beginResetModel();
    endResetModel();
}

void ReviewTableModel::reorder(const std::function<std::vector<std::size_t>()>& reorder) {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<std::size_t> oldOfNew = reorder();
    if (!oldOfNew.empty())
        emit rowsReordered(oldOfNew);

    std::vector<int> newOfOld(oldOfNew.size());
    for (std::size_t newRow = 0; newRow < oldOfNew.size(); ++newRow)
        newOfOld[oldOfNew[newRow]] = static_cast<int>(newRow);

    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& index : from) {
        const auto oldRow = static_cast<std::size_t>(index.row());
        to.append(oldRow < newOfOld.size() ? createIndex(newOfOld[oldRow], index.column()) : index);
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

} // namespace orvik
