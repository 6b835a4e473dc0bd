#pragma once
// The main window's task row: the entries of the task list Combo2.
class QComboBox;

namespace orvik {

// Puts the five task names into `combo`, in task order, with none current
// (called at load).
void fillTaskList(QComboBox& combo);

} // namespace orvik
