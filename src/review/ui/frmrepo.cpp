// The review window: builds the review list when it is shown, and lets the
// user sort it, remove rows and resize the window. The results (printing,
// hand-over, saving) live with the results code.
#include "review/ui/frmrepo.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTreeView>
#include <algorithm>

#include "files/filefailure.h"
#include "files/ownfiles.h"
#include "platform/qt/qtext.h"
#include "review/reviewbuilder.h"
#include "review/reviewnotices.h"
#include "review/reviewsort.h"
#include "review/stockpass.h"
#include "review/ui/reviewtablemodel.h"
#include "review/ui/rowselectionmodel.h"
#include "text/codepage.h"
#include "ui/twips.h"
#include "ui/windowcaption.h"

namespace orvik {

using namespace orvik::literals;

namespace {

constexpr int kDesignClientWidth = 7770;
constexpr int kDesignClientHeight = 4245;

QPushButton* makeButton(QWidget* parent, const char* name, const std::string& caption) {
    auto* button = new QPushButton(toQString(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

// The widest text a column holds in a fixed form: a full 13-character code
// and a date. The design's widths assumed a narrower font than ours.
QString widestFixedText(int column) {
    if (column == colTuote)
        return QStringLiteral("8888888888888");
    if (column == colInventoitu)
        return QStringLiteral("8888-88-88");
    return {};
}

void place(QWidget* widget, const TwipsRect& rect) {
    widget->setGeometry(twipsRect(rect.left, rect.top, rect.width, rect.height));
}

} // namespace

frmRepo::frmRepo(Platform& platform, const Directories& dirs, QWidget* parent)
    : QWidget(parent), platform_(platform), dirs_(dirs),
      model_(std::make_unique<ReviewTableModel>(list_)), layout_(designLayout()) {
    setObjectName(QStringLiteral("frmRepo"));
    setWindowTitle(toQString(kWindowCaption));
    createControls();
    setUpList();
    setTabOrderOfControls();
    bindKeys();
    applyLayout(layout_);
    resize(twipsSize(kDesignClientWidth, kDesignClientHeight));
}

frmRepo::~frmRepo() = default;

void frmRepo::createControls() {
    // Created bottom to top: the totals label lies under the buttons where
    // they reach over it, and the progress bar above everything.
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ListView1 = new ReviewListView(model_.get(), this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    Command2 = makeButton(this, "Command2", "Poista");
    Command1 = makeButton(this, "Command1", "Tulosta");
    Command5 = makeButton(this, "Command5", "Tulosta laaja");
    Command3 = makeButton(this, "Command3", "Hyväksy"_cp);
    Command4 = makeButton(this, "Command4", "Sulje");
    Bar = new QProgressBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setRange(0, 100);
    Bar->setValue(0);
    Bar->setTextVisible(false);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
}

void frmRepo::setUpList() {
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setSortingEnabled(false); // the list sorts itself, by its own rules

    QHeaderView* header = ListView1->header();
    header->setSectionsMovable(false); // a click's position is the column's index
    header->setSectionsClickable(true);
    header->setStretchLastSection(false);
    const auto& columns = reviewColumns();
    for (int column = 0; column < kReviewColumnCount; ++column) {
        const int width = columns[static_cast<std::size_t>(column)].widthTwips;
        if (width == 0)
            header->setSectionHidden(column, true);
        else
            header->resizeSection(column, std::max(twipsToPixels(width), widthNeeded(column)));
    }
    connect(header, &QHeaderView::sectionClicked, this,
            [this](int section) { ListView1_ColumnClick(section + 1); });
}

// A column is never narrower than its title, nor than its fixed-form texts.
int frmRepo::widthNeeded(int column) const {
    const QHeaderView* header = ListView1->header();
    const QString widest = widestFixedText(column);
    int contents = 0;
    if (!widest.isEmpty()) {
        const int margin = ListView1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
        contents = ListView1->fontMetrics().horizontalAdvance(widest) + 2 * margin;
    }
    return std::max(header->sectionSizeHint(column), contents);
}

void frmRepo::setTabOrderOfControls() {
    QWidget* const order[] = {ListView1, Command1, Command2, Command3,
                              Command4,  Label1,   Bar,      Command5};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

// Delete in the list does what "Poista" does; Ctrl+Z anywhere in the window
// takes a removal back.
void frmRepo::bindKeys() {
    auto* deleteKey = new QShortcut(QKeySequence(Qt::Key_Delete), ListView1, nullptr, nullptr,
                                    Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { Command2_Click(); });
    auto* undoKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this);
    connect(undoKey, &QShortcut::activated, this, [this] { undoLastPoista(); });
}

void frmRepo::applyLayout(const ReviewLayout& layout) {
    place(ListView1, layout.list);
    place(Bar, layout.bar);
    place(Command2, layout.poista);
    place(Command1, layout.tulosta);
    place(Command5, layout.tulostaLaaja);
    place(Command3, layout.hyvaksy);
    place(Command4, layout.sulje);
    place(Label1, layout.totals);
}

void frmRepo::Show() {
    if (loaded_) {
        openWindow();
        return;
    }
    loaded_ = true;
    Form_Load();
}

// Opens maximised, so that the fifteen columns and the totals (which the
// buttons cover at design size) can be seen; restoring brings back the
// design size, centred on the screen.
void frmRepo::openWindow() {
    if (isVisible())
        return;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame(QPoint(0, 0), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    showMaximized();
    activateWindow();
}

void frmRepo::setListButtonsVisible(bool visible) {
    for (QPushButton* button : {Command1, Command2, Command3, Command4})
        button->setVisible(visible);
}

void frmRepo::showNotice(const std::string& text) {
    if (!text.empty())
        platform_.messages.notice(text);
}

void frmRepo::Form_Load() {
    const ReviewSource source = chooseReviewSource(dirs_.datPolku);
    if (source == ReviewSource::Nothing) {
        platform_.messages.notice(" Työtiedostossa ei ole inventoituja rivejä  "_cp);
        platform_.programEnd.endNow();
        return;
    }

    loading_ = true;
    setListButtonsVisible(false);
    Bar->setValue(0);
    Bar->show();
    openWindow();
    platform_.events.runPendingOnce();

    const CountedRowsRead read = readCountedRows(source, dirs_.datPolku, list_);
    if (read.error.failed()) {
        // A list only partly read must never be saved over the work file,
        // so the review ends here and leaves the files as they are.
        hide();
        platform_.messages.show(fileFailureText(read.error) +
                                    "Ohjelma lopetetaan; tiedostot jäävät ennalleen. "_cp,
                                kDefaultMessageTitle, MsgIcon::None, MsgButtons::Ok);
        platform_.programEnd.endNow();
        return;
    }
    const StockPassResult stock = fillStock(list_, dirs_.datat, this);

    listChanged();
    laske();
    Bar->hide();
    setListButtonsVisible(true);
    loading_ = false;
    ListView1->setFocus();

    const std::string zeroRowsLeft =
        zeroRowsLeftNotice(read.zeroRowsLeft, zeroRowFilePath(dirs_.datPolku));
    if (!zeroRowsLeft.empty())
        platform_.messages.warning(zeroRowsLeft, kNoticeTitle);
    showNotice(unreadLinesNotice(list_));
    showNotice(unreadableStockNotice(stock));
}

void frmRepo::laske() {
    Label1->setText(toQString(orvik::laske(list_)));
}

void frmRepo::listChanged() {
    // A reset forgets the columns' widths; the user's widths stay.
    const QByteArray headerState = ListView1->header()->saveState();
    model_->reset();
    ListView1->header()->restoreState(headerState);
}

void frmRepo::ListView1_ColumnClick(int position) {
    if (loading_ || sortColumnForClick(position) < 0)
        return;
    model_->reorder([this, position] { return clickColumnReordering(list_, position); });
}

std::vector<std::size_t> frmRepo::selectedRows() const {
    return ListView1->rowSelection()->selectedRowNumbers();
}

// After a removal the cursor stays where the first removed row was, without
// selecting anything.
void frmRepo::placeCurrentRowNear(std::size_t row) {
    if (list_.rows.empty())
        return;
    const int target = static_cast<int>(std::min(row, list_.rows.size() - 1));
    ListView1->selectionModel()->setCurrentIndex(model_->index(target, 0),
                                                 QItemSelectionModel::NoUpdate);
}

void frmRepo::Command2_Click() {
    if (list_.rows.empty())
        return;
    const std::vector<std::size_t> selected = selectedRows();
    if (!selected.empty()) {
        removals_.removeRows(list_, selected);
        listChanged();
        placeCurrentRowNear(*std::min_element(selected.begin(), selected.end()));
    }
    ListView1->setFocus();
    laske();
}

void frmRepo::undoLastPoista() {
    const std::vector<std::size_t> restored = removals_.undo(list_);
    if (restored.empty())
        return;
    listChanged();
    selectRestoredRows(restored);
    laske();
}

// The rows brought back are selected, so the user sees what came back (and
// "Poista" would take them again); consecutive rows go in as one range.
void frmRepo::selectRestoredRows(const std::vector<std::size_t>& rows) {
    QItemSelection selection;
    const int lastColumn = kReviewColumnCount - 1;
    for (std::size_t first = 0; first < rows.size();) {
        std::size_t last = first;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        selection.select(model_->index(static_cast<int>(rows[first]), 0),
                         model_->index(static_cast<int>(rows[last]), lastColumn));
        first = last + 1;
    }
    QItemSelectionModel* selectionModel = ListView1->selectionModel();
    selectionModel->select(selection, QItemSelectionModel::ClearAndSelect);
    const QModelIndex firstRestored = model_->index(static_cast<int>(rows.front()), 0);
    selectionModel->setCurrentIndex(firstRestored, QItemSelectionModel::NoUpdate);
    ListView1->scrollTo(firstRestored);
}

void frmRepo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // The layout counts in the window's outer size; the frame is whatever
    // the platform reports (nothing at all on some).
    const QSize frame = frameGeometry().size() - geometry().size();
    const int width = pixelsToTwips(event->size().width() + frame.width());
    const int height = pixelsToTwips(event->size().height() + frame.height());
    layout_ = resizedLayout(layout_, width, height);
    applyLayout(layout_);
}

void frmRepo::closeEvent(QCloseEvent* event) {
    if (!event->spontaneous()) {
        event->accept(); // the program closes it: nothing extra
        return;
    }
    if (loading_ || !Command4_Click())
        event->ignore();
    else
        event->accept();
}

void frmRepo::showPercent(int percent) {
    Bar->setValue(percent);
}

} // namespace orvik
