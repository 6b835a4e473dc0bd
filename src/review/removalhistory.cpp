// Taking back a removal. The list is always in the order its sorts gave it:
// the sorts are stable, so that order is the current key, then the earlier
// keys, newest first, and the load's order by code. A removed row compared by
// the same keys goes back exactly where it would have stood; rows equal in
// every key (repeated codes of the zero-row file) go back to their old index
// where that still lies among them.
#include "review/removalhistory.h"

#include <algorithm>

#include "review/reviewsort.h"

namespace orvik {

namespace {

int compareByKey(const ReviewRow& a, const ReviewRow& b, const SortKey& key) {
    const auto column = static_cast<std::size_t>(key.column);
    const int order = compareForSort(a[column], b[column], key.column);
    return key.descending ? -order : order;
}

// Negative when `a` comes before `b` in the list's order, 0 when no key
// tells them apart.
int compareInListOrder(const ReviewRow& a, const ReviewRow& b, const ReviewList& list) {
    if (const int order = compareByKey(a, b, {list.sortColumn, list.descending}))
        return order;
    for (const SortKey& key : list.earlierKeys)
        if (const int order = compareByKey(a, b, key))
            return order;
    return 0;
}

} // namespace

void removeRows(ReviewList& list, const std::vector<std::size_t>& indices) {
    std::vector<bool> doomed(list.rows.size(), false);
    for (std::size_t index : indices)
        if (index < doomed.size())
            doomed[index] = true;

    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        if (doomed[i])
            continue;
        if (kept != i)
            list.rows[kept] = std::move(list.rows[i]);
        ++kept;
    }
    list.rows.resize(kept);
}

void RemovalHistory::removeRows(ReviewList& list, const std::vector<std::size_t>& indices) {
    std::vector<std::size_t> doomed;
    for (std::size_t index : indices)
        if (index < list.rows.size())
            doomed.push_back(index);
    std::sort(doomed.begin(), doomed.end());
    doomed.erase(std::unique(doomed.begin(), doomed.end()), doomed.end());
    if (doomed.empty())
        return;

    std::vector<RemovedRow> step;
    step.reserve(doomed.size());
    for (std::size_t index : doomed)
        step.push_back({index, std::move(list.rows[index])});
    orvik::removeRows(list, doomed);
    steps_.push_back(std::move(step));
}

std::vector<std::size_t> RemovalHistory::undo(ReviewList& list) {
    if (steps_.empty())
        return {};
    std::vector<RemovedRow> restored = std::move(steps_.back());
    steps_.pop_back();
    // The restored rows in list order, sorted by reference (a row is fifteen
    // texts); old indices ascending already, which a stable sort keeps among
    // equals.
    std::vector<RemovedRow*> inOrder;
    inOrder.reserve(restored.size());
    for (RemovedRow& removed : restored)
        inOrder.push_back(&removed);
    std::stable_sort(inOrder.begin(), inOrder.end(), [&](const RemovedRow* a, const RemovedRow* b) {
        return compareInListOrder(a->row, b->row, list) < 0;
    });

    // One merge of the kept rows and the restored ones, both in list order.
    std::vector<ReviewRow> merged;
    merged.reserve(list.rows.size() + restored.size());
    std::vector<std::size_t> placedAt;
    placedAt.reserve(restored.size());
    auto kept = list.rows.begin();
    auto back = inOrder.begin();
    while (back != inOrder.end()) {
        const bool restoredFirst = [&] {
            if (kept == list.rows.end())
                return true;
            const int order = compareInListOrder((*back)->row, *kept, list);
            return order < 0 || (order == 0 && (*back)->index <= merged.size());
        }();
        if (restoredFirst) {
            placedAt.push_back(merged.size());
            merged.push_back(std::move((*back)->row));
            ++back;
        } else {
            merged.push_back(std::move(*kept));
            ++kept;
        }
    }
    std::move(kept, list.rows.end(), std::back_inserter(merged));
    list.rows = std::move(merged);
    return placedAt;
}

} // namespace orvik
