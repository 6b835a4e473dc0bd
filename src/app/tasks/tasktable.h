#pragma once
// The tasks of the "Suorita" button, numbered by their place in Combo2.
#include <optional>
#include <string>
#include <vector>

namespace orvik {

enum class Task {
    FetchFromReader = 0,
    ClearReader = 1,
    SendReaderProgram = 2,
    OpenReview = 3,
    ZeroInventory = 4,
};

// The task at list position `index`; none for -1 (no choice) or any other
// position outside the table.
std::optional<Task> taskAt(int index);

// The entry texts of Combo2, in task order (code-page bytes), each short
// enough for the list's width.
std::vector<std::string> taskNames();

} // namespace orvik
