// The main window's task row: "Suorita" runs the task chosen in Combo2.
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "app/tasks/taskchecks.h"
#include "app/tasks/taskcutoff.h"
#include "app/tasks/tasktable.h"
#include "app/ui/frmmain.h"
#include "platform/qt/qtext.h"
#include "reader/readerclearing.h"
#include "text/codepage.h"
#include "zeroinv/ui/form1.h"
#include "zeroinv/zeroinventory.h"

namespace orvik {

using namespace orvik::literals;

namespace {

enum class ZeroInventoryEnd {
    Refused,       // the work file still holds rows; main window untouched
    NoGroupList,   // the name file failed (reported); main window untouched
    NothingChosen, // reported; the main window comes back
    Failed,        // a stock or zero-row file failed (reported); main window comes back
    Done,          // rows written and reported; the review opens
};

// Removes, last to first, every entry the user did not select.
void keepChosenEntries(QListWidget& list) {
    for (int row = list.count() - 1; row >= 0; --row)
        if (!list.item(row)->isSelected())
            delete list.takeItem(row);
}

ZeroInventoryEnd runZeroInventory(QWidget& mainWindow, Platform& platform,
                                  const Directories& directories, const std::string& commandLine) {
    if (workFileHoldsRows(directories)) {
        platform.messages.notice(" Siirrä inventaaritiedot ensin kassajärjestelmään.  "_cp);
        return ZeroInventoryEnd::Refused;
    }
    Form1 form(platform); // closed for good when this returns
    if (!form.Form_Load(directories.datat))
        return ZeroInventoryEnd::NoGroupList;
    mainWindow.hide();
    form.showAndWait();
    keepChosenEntries(*form.List1);
    if (form.List1->count() == 0) {
        platform.messages.notice(" Yhtään tuoteryhmää ei ole valittu.  "_cp);
        return ZeroInventoryEnd::NothingChosen;
    }
    const double cutOff = zeroInventoryCutOff(platform.clock.today(), commandLine);
    if (!nollainventointi(directories, form.listedGroupNumbers(), cutOff, platform.messages,
                          platform.clock))
        return ZeroInventoryEnd::Failed;
    return ZeroInventoryEnd::Done;
}

} // namespace

void frmMain::Command1_Click() {
    const std::optional<Task> task = taskAt(Combo2->currentIndex());
    if (!task)
        return;
    switch (*task) {
    case Task::FetchFromReader:
        noudatiedot();
        if (!platform_.programEnd.ended())
            platform_.programEnd.endNow();
        return;
    case Task::ClearReader:
        tyhjenna();
        hide();
        reportClearing(platform_.messages, tulos, reader_);
        platform_.programEnd.endNow();
        return;
    case Task::SendReaderProgram:
        vieohjelma();
        return;
    case Task::OpenReview:
        hide();
        showReview();
        return;
    case Task::ZeroInventory:
        switch (runZeroInventory(*this, platform_, dirs_, commandLine_)) {
        case ZeroInventoryEnd::Done:
            showReview();
            return;
        case ZeroInventoryEnd::NothingChosen:
        case ZeroInventoryEnd::Failed:
            show(); // rather than a running program with no window
            return;
        case ZeroInventoryEnd::Refused:
        case ZeroInventoryEnd::NoGroupList:
            return;
        }
    }
}

void frmMain::Combo2_Click() {
    if (Command1->isVisibleTo(this))
        Command1->setFocus();
}

} // namespace orvik
