#pragma once
// What "Poista" took from the review list, step by step, so that a mis-click
// can be taken back (newest step first) until the list is as loaded.
#include <cstddef>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

// Removes the rows at these indices (any order, duplicates allowed).
void removeRows(ReviewList& list, const std::vector<std::size_t>& indices);

class RemovalHistory {
public:
    // Removes the rows at these indices (any order, duplicates and indices
    // past the end allowed) and remembers them as one step; a call that
    // removes nothing remembers nothing.
    void removeRows(ReviewList& list, const std::vector<std::size_t>& indices);

    // Brings back the rows of the newest remembered step, each where the
    // list's current sort puts it: where it would stand had it never been
    // removed. The other rows keep their order. Answers the restored rows'
    // indices, ascending; empty when there was nothing to take back.
    std::vector<std::size_t> undo(ReviewList& list);

    bool canUndo() const { return !steps_.empty(); }

private:
    struct RemovedRow {
        std::size_t index; // in the list just before its removal
        ReviewRow row;
    };
    std::vector<std::vector<RemovedRow>> steps_;
};

} // namespace orvik
