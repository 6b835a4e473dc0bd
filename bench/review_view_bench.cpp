// How the review list's view copes with 100 000 rows: showing them, sorting
// them with every other row selected (the selection follows its rows), and
// removing half of them.
#include <QApplication>
#include <QHeaderView>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "review/removalhistory.h"
#include "review/reviewsort.h"
#include "review/reviewtotals.h"
#include "review/ui/reviewlistview.h"
#include "review/ui/reviewtablemodel.h"

namespace {

using namespace orvik;

ReviewList sampleList() {
    ReviewList list;
    list.rows.resize(100000);
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        list.rows[i][colTuote] = std::to_string((i * 7919) % 100003);
        list.rows[i][colNimitys] = "Tuote " + std::to_string(i % 977);
    }
    return list;
}

template <typename F> double milliseconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    QApplication::processEvents(); // the view's own work after the change
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    ReviewList list = sampleList();
    ReviewTableModel model(list);
    // The list's own view, set up as the review window sets it up.
    std::unique_ptr<ReviewListView> view;
    std::printf("figure review_view_show_100k %.1f ms\n", milliseconds([&] {
                    view = std::make_unique<ReviewListView>(&model);
                    view->setUniformRowHeights(true);
                    view->setRootIsDecorated(false);
                    view->setAllColumnsShowFocus(true);
                    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
                    view->setSelectionBehavior(QAbstractItemView::SelectRows);
                    view->resize(800, 600);
                    view->show();
                }));
    {
        // Gone before the sort: its ranges hold indexes the model would move.
        QItemSelection everyOther;
        for (int row = 0; row < model.rowCount(); row += 2)
            everyOther.select(model.index(row, 0), model.index(row, kReviewColumnCount - 1));
        view->selectionModel()->select(everyOther, QItemSelectionModel::Select);
    }
    std::printf("figure review_view_sort_selected_100k %.1f ms\n", milliseconds([&] {
                    model.reorder([&] { return clickColumnReordering(list, 2); });
                }));
    std::vector<std::size_t> half;
    for (std::size_t i = 0; i < list.rows.size(); i += 2)
        half.push_back(i);
    std::printf("figure review_view_remove_half_100k %.1f ms\n", milliseconds([&] {
                    removeRows(list, half);
                    model.reset();
                }));
    return 0;
}
