#pragma once
// The review window: builds the review list on load, shows it through a
// model, and offers sorting, deleting, printing, hand-over and saving.
//
//   control    caption          what it does
//   ListView1  (15 columns)     the review list; a title click sorts by it
//   Bar        -                the stock pass's progress while loading
//   Command1   "Tulosta"        the narrow report (printti)
//   Command2   "Poista"         removes the selected rows (Delete; Ctrl+Z undoes)
//   Command3   "Hyväksy"        hands the list over to the cash-register system
//   Command4   "Sulje"          saves the list into the work file and ends
//   Command5   "Tulosta laaja"  the wide report (printti2)
//   Label1     totals           "Inventointiero ... OH / ... MH" (laske)
#include <QWidget>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "files/dirvalue.h"
#include "platform/platform.h"
#include "results/resultsview.h"
#include "review/removalhistory.h"
#include "review/reviewlayout.h"
#include "review/reviewlist.h"
#include "review/reviewtotals.h"
#include "review/stockpass.h"
#include "review/ui/reviewlistview.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace orvik {

class ReviewTableModel;

class frmRepo : public QWidget, private ResultsView, private StockPassView {
    Q_OBJECT

public:
    frmRepo(Platform& platform, const Directories& dirs, QWidget* parent = nullptr);
    ~frmRepo() override;

    // Shows the window without waiting; loading it builds the list (Form_Load).
    void Show();

    // Controls, named as the program names them.
    ReviewListView* ListView1;
    QProgressBar* Bar;
    QPushButton* Command1; // "Tulosta"
    QPushButton* Command2; // "Poista"
    QPushButton* Command3; // "Hyväksy"
    QPushButton* Command4; // "Sulje"
    QPushButton* Command5; // "Tulosta laaja"
    QLabel* Label1;        // totals

    ReviewList& list() { return list_; }
    const ReviewList& list() const { return list_; }
    // Tells the view that rows were removed, reordered or replaced.
    void listChanged();

    void Form_Load();
    void laske();
    void ListView1_ColumnClick(int position);
    void Command2_Click(); // "Poista"
    // Ctrl+Z: brings back the rows of the last "Poista" not yet taken back.
    void undoLastPoista();
    // The selected rows, first to last.
    std::vector<std::size_t> selectedRows() const;

    // Results (hand-over, saving, printing).
    void Command1_Click(); // "Tulosta"
    void Command3_Click(); // "Hyväksy"
    // "Sulje"; false when saving failed and the window stays open.
    bool Command4_Click();
    void Command5_Click(); // "Tulosta laaja"
    void printti();
    void printti2();

protected:
    void resizeEvent(QResizeEvent* event) override; // Form_Resize
    void closeEvent(QCloseEvent* event) override;   // Form_QueryUnload

private:
    void createControls();
    void setUpList();
    int widthNeeded(int column) const;
    void setTabOrderOfControls();
    void bindKeys();
    void applyLayout(const ReviewLayout& layout);
    void openWindow();
    void setListButtonsVisible(bool visible);
    void showNotice(const std::string& text);
    void placeCurrentRowNear(std::size_t row);
    void selectRestoredRows(const std::vector<std::size_t>& rows);
    void hideWindow() override { hide(); }
    void showPercent(int percent) override;

    Platform& platform_;
    Directories dirs_;
    ReviewList list_;
    RemovalHistory removals_;
    std::unique_ptr<ReviewTableModel> model_;
    ReviewLayout layout_;
    bool loaded_ = false;
    // While the list is built, closing and sorting wait: a close would save
    // a list only partly read.
    bool loading_ = false;
};

} // namespace orvik
