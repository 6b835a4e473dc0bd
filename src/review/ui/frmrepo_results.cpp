// The review window's results: "Hyväksy", "Sulje", "Tulosta", "Tulosta laaja".
// The work is done by the results core; this only connects it to the window.
#include <QAbstractItemModel>
#include <QTreeView>
#include <algorithm>

#include "platform/qt/busycursor.h"
#include "platform/qt/qtext.h"
#include "results/handover.h"
#include "results/listsave.h"
#include "results/reportprinting.h"
#include "review/ui/frmrepo.h"

namespace orvik {

namespace {

// The column titles as the list shows them now; the column layout's titles
// where the view has none.
ColumnTitles shownColumnTitles(const QTreeView* view) {
    ColumnTitles titles;
    for (const ReviewColumnLayout& column : reviewColumns())
        titles.push_back(column.title);
    const QAbstractItemModel* model = view ? view->model() : nullptr;
    if (!model)
        return titles;
    const int shown = std::min(model->columnCount(), kReviewColumnCount);
    for (int column = 0; column < shown; ++column)
        titles[static_cast<std::size_t>(column)] =
            fromQString(model->headerData(column, Qt::Horizontal).toString());
    return titles;
}

// Without a printer a report goes to a PDF file; it belongs beside the work
// file, where the user finds the program's other files.
void pdfBesideWorkFile(PrintingService& printer, const Directories& dirs) {
    printer.setPdfDirectory(dirs.datPolku);
}

} // namespace

// The results' long work shows the busy cursor; their questions and messages
// show the ordinary pointer (the message boxes see to that).
void frmRepo::Command3_Click() {
    const BusyCursor busy;
    handOver(list_, dirs_, platform_, *this);
}

bool frmRepo::Command4_Click() {
    const BusyCursor busy;
    return saveListAndEnd(list_, dirs_.datPolku, platform_, *this);
}

void frmRepo::Command1_Click() {
    printti();
    ListView1->setFocus();
}

void frmRepo::Command5_Click() {
    printti2();
    ListView1->setFocus();
}

void frmRepo::printti() {
    const BusyCursor busy;
    pdfBesideWorkFile(platform_.printer, dirs_);
    tellPrintOutcome(printNarrowReport(list_, platform_.printer), platform_.messages);
}

void frmRepo::printti2() {
    const BusyCursor busy;
    pdfBesideWorkFile(platform_.printer, dirs_);
    const ColumnTitles titles = shownColumnTitles(ListView1);
    tellPrintOutcome(printWideReport(list_, titles, platform_.printer), platform_.messages);
}

} // namespace orvik
