#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/ui/form1.h"

namespace orvik {
namespace {

using namespace orvik::literals;

// The next widget the Tab key would reach (scroll bars and viewports skipped).
QWidget* nextTabStop(QWidget* from) {
    QWidget* next = from->nextInFocusChain();
    while (next != from && !(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

class Form1Test : public ::testing::Test {
protected:
    Form1Test() : form(fake.platform) {
        test::writeStockFiles(dir.path(), {}, {},
                              {{'R', " Maito ", ' '},
                               {'T', "Toimittaja", ' '},
                               {'R', "Leipä"_cp, ' '},
                               {'R', "Juomat", '0'}});
    }

    void clickEntry(int row) {
        const QRect rect = form.List1->visualItemRect(form.List1->item(row));
        QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int row = 0; row < form.List1->count(); ++row)
            if (form.List1->item(row)->isSelected())
                rows.push_back(row);
        return rows;
    }

    test::TempDir dir;
    FakePlatform fake;
    Form1 form;
};

TEST_F(Form1Test, IsLaidOutInTwipsWithFittingCaptions) {
    EXPECT_EQ(form.objectName(), "Form1");
    EXPECT_EQ(fromQString(form.windowTitle()), " Nollainventoinnin tuoteryhmät"_cp);
    EXPECT_EQ(form.size(), QSize(295, 208));
    EXPECT_EQ(form.List1->objectName(), "List1");
    EXPECT_EQ(form.List1->geometry(), QRect(9, 12, 274, 154));
    EXPECT_EQ(form.List1->selectionMode(), QAbstractItemView::MultiSelection);
    EXPECT_EQ(form.Command1->objectName(), "Command1");
    EXPECT_EQ(form.Command1->text(), "Valittu");
    EXPECT_EQ(form.Command1->geometry(), QRect(221, 178, 61, 22));
    EXPECT_EQ(nextTabStop(form.List1), form.Command1);
    EXPECT_EQ(nextTabStop(form.Command1), form.List1);
    const QFontMetrics metrics(form.Command1->font());
    EXPECT_LT(metrics.horizontalAdvance(form.Command1->text()) + 8, form.Command1->width());
}

TEST_F(Form1Test, ListsTheGroupsAndAClickTogglesAnEntry) {
    ASSERT_TRUE(form.Form_Load(dir.dirValue()));
    ASSERT_EQ(form.List1->count(), 3);
    EXPECT_EQ(form.List1->item(0)->text(), "Maito");
    EXPECT_EQ(form.List1->item(1)->text(), QString::fromUtf8("Leipä"));
    EXPECT_EQ(form.listedGroupNumbers(), (std::vector<std::int32_t>{1, 3, 4}));

    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    clickEntry(0);
    clickEntry(2);
    EXPECT_EQ(selectedRows(), (std::vector<int>{0, 2}));
    clickEntry(0);
    EXPECT_EQ(selectedRows(), (std::vector<int>{2}));
}

TEST_F(Form1Test, ValittuEndsTheWaitKeepingTheChoice) {
    ASSERT_TRUE(form.Form_Load(dir.dirValue()));
    QTimer guard; // ends a wait that would otherwise never end
    guard.callOnTimeout([&] {
        ADD_FAILURE() << "the wait did not end";
        form.done(0);
    });
    guard.start(5000);
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(form.isModal() && form.isVisible());
        clickEntry(1);
        QTest::mouseClick(form.Command1, Qt::LeftButton);
    });
    form.showAndWait();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(selectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(fake.events.runs, 1);
}

} // namespace
} // namespace orvik
