// The review window over real files: loading, sorting by the column titles,
// "Poista", resizing and closing, and the list as assistive technology reads it.
#include <QAccessible>
#include <QAccessibleTableCellInterface>
#include <QAccessibleTableInterface>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpontaneKeyEvent>
#include <QStyle>
#include <QTest>
#include <QTreeView>
#include <cerrno>
#include <gtest/gtest.h>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "review/ui/frmrepo.h"
#include "review/ui/rowselectionmodel.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/stockwriter.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"

namespace orvik {
namespace {

using namespace orvik::literals;

std::string countLine(const std::string& code, const std::string& quantity) {
    return leftField(code, 13) + rightField(quantity, 5) + "\r\n";
}

// Group 1 and class 2 of the name file, no supplier.
ProductRecord product(const std::string& code, const std::string& name, std::int64_t salesScaled,
                      std::int64_t stockScaled, std::int64_t purchaseScaled) {
    ProductRecord record;
    record.code = code;
    record.name = name;
    record.group = 1;
    record.productClass = 2;
    record.salesPrice.scaled = salesScaled;
    record.stock.scaled = stockScaled;
    record.purchasePrice.scaled = purchaseScaled;
    return record;
}

class ReviewWindow : public ::testing::Test {
protected:
    test::TempDir dir;
    FakePlatform fake;
    std::unique_ptr<frmRepo> window;

    // Three counted products: 100 (stock 5, counted 3), 200 (stock 1,
    // counted 1 + 3) and 300, which the stock files do not hold.
    void writeCountedShop() {
        test::writeFile(dir / "orvik.dat", countLine("200", "1") + countLine("100", "3") +
                                               countLine("200", "3") + countLine("300", "7"));
        sampleshop::Shop shop;
        shop.names = {test::name("Juomat"), test::name("Kuumat")};
        shop.products = {product("100", "Kahvi", 100000, 50000, 65000),
                         product("200", "Tee", 20000, 10000, 10000)};
        test::writeStock(dir, shop);
    }

    frmRepo& open() {
        const std::string value = dir.dirValue();
        window = std::make_unique<frmRepo>(fake.platform, Directories{value, value, value});
        window->Show();
        return *window;
    }

    QString cell(int row, int column) const {
        return window->ListView1->model()->index(row, column).data().toString();
    }
    QStringList codes() const {
        QStringList texts;
        for (int row = 0; row < window->ListView1->model()->rowCount(); ++row)
            texts << cell(row, colTuote);
        return texts;
    }
    void clickTitle(int column) {
        QHeaderView* header = window->ListView1->header();
        const QPoint centre(header->sectionViewportPosition(column) +
                                header->sectionSize(column) / 2,
                            header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, centre);
    }
    void clickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTreeView* view = window->ListView1;
        const QRect rect = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
    }
    bool closeByUser() {
        QCloseEvent event;
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::instance()->notify(window.get(), &event); // sendEvent drops the flag
        return event.isAccepted();
    }
};

TEST_F(ReviewWindow, LoadShowsTheMergedRowsTheTotalsAndTheButtons) {
    writeCountedShop();
    std::vector<bool> shownWhileLoading;
    fake.events.onRun = [&] {
        for (QWidget* widget : std::initializer_list<QWidget*>{
                 window.get(), window->Bar, window->Command5, window->Command1, window->Command4})
            shownWhileLoading.push_back(widget->isVisible());
        EXPECT_FALSE(closeByUser()); // a half-read list is never saved
    };
    const std::string value = dir.dirValue();
    window = std::make_unique<frmRepo>(fake.platform, Directories{value, value, value});
    QSignalSpy progress(window->Bar, &QProgressBar::valueChanged);
    window->Show();

    EXPECT_EQ(shownWhileLoading, (std::vector<bool>{true, true, true, false, false}));
    EXPECT_EQ(fake.events.runs, 1);
    EXPECT_EQ(codes(), (QStringList{"100", "200", "300"}));
    EXPECT_EQ(cell(0, colNimitys), "Kahvi");
    EXPECT_EQ(cell(1, colLukija), "4");
    EXPECT_EQ(window->Label1->text(), "Inventointiero -10,00 OH / -14,00 MH");
    for (QPushButton* button :
         {window->Command1, window->Command2, window->Command3, window->Command4, window->Command5})
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
    EXPECT_FALSE(window->Bar->isVisible());
    EXPECT_EQ(window->focusWidget(), window->ListView1);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toInt(), 100);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_FALSE(fake.programEnd.ended());
}

TEST_F(ReviewWindow, NothingToReviewTellsTheUserAndEnds) {
    open();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, " Työtiedostossa ei ole inventoituja rivejä  "_cp);
    EXPECT_EQ(fake.messages.shown[0].title, " Ilmoitus");
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ReviewWindow, UnreadableWorkFileEndsTheReviewWithoutSaving) {
    std::filesystem::create_directory(dir / "orvik.dat");
    open();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    // The message names the file and what failed.
    EXPECT_EQ(fake.messages.shown[0].text.rfind(
                  " Tiedostoa " + dir.dirValue() +
                      "orvik.dat ei voitu lukea: " + test::directoryInPlaceOfFile().message(),
                  0),
              0u)
        << fake.messages.shown[0].text;
    EXPECT_EQ(fake.programEnd.endCalls, 1);
    EXPECT_FALSE(window->isVisible());
}

// The review is never locked out by zero rows it cannot remove, and never
// takes them twice: they wait in their file until it can go.
TEST_F(ReviewWindow, ZeroRowsWhoseFileCannotBeRemovedAreLeftOutWithAWarningUntilItCanGo) {
    test::writeFile(dir / "orvik.dat", countLine("200", "1"));
    test::writeFile(dir / "nulli.dat", countLine("100", "0") + "unreadable\r\n");
    {
        test::FailingFileOps removalRefused(1L << 30, EBUSY);
        removalRefused.failRemovalOf = "nulli.dat";
        ScopedFileOps scoped(removalRefused);
        open();
    }

    EXPECT_FALSE(fake.programEnd.ended());
    EXPECT_TRUE(window->Command4->isVisible());
    EXPECT_EQ(codes(), QStringList{"200"});
    ASSERT_FALSE(fake.messages.shown.empty());
    const ShownMessage& warned = fake.messages.shown[0];
    EXPECT_NE(warned.text.find(" Tiedoston " + dir.dirValue() + "nulli.dat nollainventointirivit"),
              std::string::npos)
        << warned.text;
    EXPECT_EQ(warned.icon, MsgIcon::Exclamation);
    EXPECT_TRUE(closeByUser());
    EXPECT_EQ(test::readFile(dir / "orvik.dat"), countLine("200", "1"));

    open();
    EXPECT_EQ(codes(), (QStringList{"100", "200"}));
    EXPECT_FALSE(test::exists(dir / "nulli.dat"));
}

TEST_F(ReviewWindow, MissingStockFilesAreToldOnceTheListStands) {
    test::writeFile(dir / "orvik.dat", countLine("100", "3"));
    fake.messages.onShow = [&](const ShownMessage&) {
        EXPECT_TRUE(window->Command4->isVisible());
        EXPECT_EQ(window->Label1->text(), "Inventointiero 0,00 OH / 0,00 MH");
    };
    open();
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_NE(fake.messages.shown[0].text.find("CASSA.00"), std::string::npos);
    EXPECT_EQ(codes(), QStringList{"100"});
}

TEST_F(ReviewWindow, ClickingTitlesSortsAndTheSelectionFollowsItsRow) {
    writeCountedShop();
    open();
    clickRow(0); // product 100
    clickTitle(colErotus);
    EXPECT_EQ(codes(), (QStringList{"200", "100", "300"})); // 3, -2, blank
    clickTitle(colErotus);
    EXPECT_EQ(codes(), (QStringList{"300", "100", "200"}));
    const std::vector<std::size_t> selected = window->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(cell(static_cast<int>(selected[0]), colTuote), "100");
}

// The selection is kept as flags of the rows: the mouse and the keys still
// select as in any list, a sort carries it along, and a selected row is
// drawn in the palette's highlight.
TEST_F(ReviewWindow, MouseAndKeysSelectRowsThatASortCarriesAndTheHighlightShows) {
    writeCountedShop();
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const auto selectedCodes = [&] {
        QStringList texts;
        for (std::size_t row : window->selectedRows())
            texts << cell(static_cast<int>(row), colTuote);
        return texts;
    };
    clickRow(0);
    clickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(selectedCodes(), (QStringList{"100", "200", "300"}));
    QTest::keyClick(window->ListView1, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(selectedCodes(), (QStringList{"100", "200"}));
    clickRow(0, Qt::ControlModifier);
    EXPECT_EQ(selectedCodes(), QStringList{"200"});

    clickTitle(colErotus); // descending: 200, 100, 300
    EXPECT_EQ(window->selectedRows(), std::vector<std::size_t>{0});
    EXPECT_EQ(window->ListView1->currentIndex().row(), 1); // product 100, clicked last
    QTreeView* view = window->ListView1;
    const QImage shown = view->viewport()->grab().toImage();
    const auto background = [&](int row) {
        const QRect rect = view->visualRect(view->model()->index(row, colNimitys));
        return shown.pixelColor(rect.right() - 2, rect.center().y());
    };
    const QColor highlight = view->palette().color(QPalette::Active, QPalette::Highlight);
    EXPECT_EQ(background(0), highlight);
    EXPECT_NE(background(1), highlight);

    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(selectedCodes().size(), 3);
}

// Assistive technology reads the selection the list draws: the table's
// selected rows and cells and each cell's own state, after clicks, Shift and
// Ctrl, Ctrl+A, a sort, Delete and Ctrl+Z. Children are numbered as the view
// numbers the cell its selection events name.
TEST_F(ReviewWindow, AssistiveTechnologyReadsTheSelectionTheListDraws) {
    writeCountedShop();
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ReviewListView* view = window->ListView1;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
    ASSERT_TRUE(list && list->tableInterface());
    QAccessibleTableInterface* table = list->tableInterface();
    const int columns = kReviewColumnCount;

    // Checks every way of reading the selection against the drawn rows,
    // and gives those rows.
    const auto readAsDrawn = [&] {
        std::vector<int> drawn;
        QList<int> cellsOfDrawn;
        const int rows = view->model()->rowCount();
        for (int row = 0; row < rows; ++row)
            if (view->rowSelection()->rowSelected(row)) {
                drawn.push_back(row);
                for (int column = 0; column < columns; ++column)
                    cellsOfDrawn << row * columns + column;
            }
        EXPECT_EQ(table->rowCount(), rows);
        EXPECT_EQ(table->columnCount(), columns);
        EXPECT_EQ(list->childCount(), (rows + 1) * columns); // the titles first
        EXPECT_EQ(table->selectedRows(), QList<int>(drawn.begin(), drawn.end()));
        EXPECT_EQ(table->selectedRowCount(), static_cast<int>(drawn.size()));
        EXPECT_EQ(table->selectedCellCount(), cellsOfDrawn.size());
        QList<int> cellsSeen;
        for (QAccessibleInterface* cell : table->selectedCells())
            cellsSeen << cell->tableCellInterface()->rowIndex() * columns +
                             cell->tableCellInterface()->columnIndex();
        EXPECT_EQ(cellsSeen, cellsOfDrawn);
        for (int row = 0; row < rows; ++row) {
            const bool selected = view->rowSelection()->rowSelected(row);
            EXPECT_EQ(table->isRowSelected(row), selected) << row;
            for (int column : {colTuote, colErotus}) {
                QAccessibleInterface* cell = table->cellAt(row, column);
                if (!cell) {
                    ADD_FAILURE() << "no cell at " << row << ", " << column;
                    continue;
                }
                EXPECT_EQ(cell->state().selected, selected) << row;
                EXPECT_EQ(list->indexOfChild(cell), (row + 1) * columns + column);
                EXPECT_EQ(cell->text(QAccessible::Name), this->cell(row, column));
            }
        }
        return drawn;
    };

    clickRow(0);
    EXPECT_EQ(readAsDrawn(), std::vector<int>{0});
    clickRow(2, Qt::ShiftModifier);
    EXPECT_EQ(readAsDrawn(), (std::vector<int>{0, 1, 2}));
    clickRow(1, Qt::ControlModifier);
    EXPECT_EQ(readAsDrawn(), (std::vector<int>{0, 2}));
    EXPECT_EQ(table->cellAt(0, colTuote)->text(QAccessible::Name), "100");

    clickTitle(colErotus); // descending: 200, 100, 300; the cells keep their places
    EXPECT_EQ(readAsDrawn(), (std::vector<int>{1, 2}));
    EXPECT_EQ(table->cellAt(0, colTuote)->text(QAccessible::Name), "200");

    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(readAsDrawn(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(table->selectedColumnCount(), columns);

    clickRow(1);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_EQ(readAsDrawn(), std::vector<int>{});
    EXPECT_FALSE(list->child(3 * columns)); // the third row is gone
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(readAsDrawn(), std::vector<int>{1});

    // Selecting through the cells, as assistive technology does, toggles a
    // row as a Ctrl+click does.
    QAccessibleActionInterface* toggle = table->cellAt(1, colNimitys)->actionInterface();
    ASSERT_TRUE(toggle);
    toggle->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(readAsDrawn(), std::vector<int>{});
    table->cellAt(2, colNimitys)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(readAsDrawn(), std::vector<int>{2});
}

TEST_F(ReviewWindow, PoistaRemovesTheSelectedRowsAndRecomputesTheTotals) {
    writeCountedShop();
    open();
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_EQ(codes(), QStringList{"200"});
    EXPECT_EQ(window->Label1->text(), "Inventointiero 3,00 OH / 6,00 MH");
    EXPECT_EQ(window->focusWidget(), window->ListView1);

    // Nothing selected now: the rows stay, the totals are still recomputed.
    window->list().rows[0][colErotus] = "1";
    QTest::mouseClick(window->Command2, Qt::LeftButton);
    EXPECT_EQ(codes(), QStringList{"200"});
    EXPECT_EQ(window->Label1->text(), "Inventointiero 1,00 OH / 2,00 MH");
}

TEST_F(ReviewWindow, DeleteKeyRemovesAsPoistaAndCtrlZBringsTheRowsBackInTheCurrentSort) {
    writeCountedShop();
    const std::string workFile = test::readFile(dir / "orvik.dat");
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    const QString loadedTotals = window->Label1->text();
    clickRow(0);
    clickRow(2, Qt::ControlModifier);
    QTest::keyClick(window->ListView1, Qt::Key_Delete);
    EXPECT_EQ(codes(), QStringList{"200"});
    EXPECT_EQ(window->Label1->text(), "Inventointiero 3,00 OH / 6,00 MH");

    clickTitle(colErotus); // descending: 3, -2, blank
    QTest::keyClick(window->ListView1, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(codes(), (QStringList{"200", "100", "300"}));
    EXPECT_EQ(window->Label1->text(), loadedTotals);
    QStringList selected;
    for (std::size_t row : window->selectedRows())
        selected << cell(static_cast<int>(row), colTuote);
    selected.sort();
    EXPECT_EQ(selected, (QStringList{"100", "300"}));
    EXPECT_EQ(window->list().sortColumn, colSortErotus);
    EXPECT_TRUE(window->list().descending);

    QTest::keyClick(window->ListView1, Qt::Key_Z, Qt::ControlModifier); // nothing left
    EXPECT_EQ(codes().size(), 3);
    EXPECT_EQ(test::readFile(dir / "orvik.dat"), workFile);
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ReviewWindow, ResizingAnchorsTheButtonsAndEveryCaptionFits) {
    writeCountedShop();
    open();
    window->showNormal();
    // 667 x 400 pixels outside are 10 005 x 6000 twips.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    window->resize(QSize(667, 400) - frame);
    EXPECT_EQ(window->Command4->geometry(), QRect(567, 347, 86, 22));
    EXPECT_EQ(window->Command2->geometry(), QRect(194, 347, 86, 22));
    EXPECT_EQ(window->ListView1->geometry(), QRect(4, 11, 652, 328));
    EXPECT_EQ(window->Label1->geometry().top(), 349);

    for (QPushButton* button :
         {window->Command1, window->Command2, window->Command3, window->Command4, window->Command5})
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
    window->Label1->setText("Inventointiero -9999999,99 OH / -9999999,99 MH");
    EXPECT_LE(window->Label1->sizeHint().width(), window->Label1->width());
    QHeaderView* header = window->ListView1->header();
    const int margins = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int column = 0; column < kReviewColumnCount; ++column) {
        const QString title = header->model()->headerData(column, Qt::Horizontal).toString();
        if (header->isSectionHidden(column))
            continue;
        EXPECT_LE(header->fontMetrics().horizontalAdvance(title) + margins,
                  header->sectionSize(column))
            << column;
    }
}

TEST_F(ReviewWindow, TheCloseBoxSavesAsSuljeDoesUnlessTheSaveFails) {
    writeCountedShop();
    open();
    window->close(); // the program closing it: nothing is saved
    EXPECT_FALSE(fake.programEnd.ended());
    {
        test::FailingFileOps failing(0);
        ScopedFileOps scoped(failing);
        EXPECT_FALSE(closeByUser());
        EXPECT_FALSE(fake.programEnd.ended());
    }
    EXPECT_TRUE(closeByUser());
    EXPECT_EQ(test::readFile(dir / "orvik.dat"),
              countLine("100", "3") + countLine("200", "4") + countLine("300", "7"));
    EXPECT_EQ(fake.programEnd.endCalls, 1);
}

} // namespace
} // namespace orvik
