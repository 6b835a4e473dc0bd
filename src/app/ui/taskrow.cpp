// The entries of the task list.
#include <QComboBox>

#include "app/tasks/tasktable.h"
#include "app/ui/taskrow.h"
#include "platform/qt/qtext.h"

namespace orvik {

void fillTaskList(QComboBox& combo) {
    combo.clear();
    for (const std::string& name : taskNames())
        combo.addItem(toQString(name));
    // Filling makes the first entry current; nothing is chosen until the
    // user chooses, so "Suorita" right after start-up does nothing.
    combo.setCurrentIndex(-1);
}

} // namespace orvik
