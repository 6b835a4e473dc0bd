// One count's whole road through the real windows: the reader software's
// file, "Hae tiedot", the review against the stock files, "Hyväksy", and the
// transfer file the cash-register system takes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/ui/frmmain.h"
#include "platform/doubles/fakeplatform.h"
#include "reader/doubles/scriptedreader.h"
#include "review/ui/frmrepo.h"
#include "sampleshop.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"

namespace orvik {
namespace {

using namespace orvik::literals;

using test::readFile;

frmRepo* openReviewWindow() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* review = qobject_cast<frmRepo*>(top); review && review->isVisible())
            return review;
    return nullptr;
}

TEST(CountRoad, ReaderFileTravelsThroughReviewIntoTheTransferFile) {
    test::TempDir cwd, vorda, dat, stock, inv;
    test::ScopedCurrentDir inCwd(cwd.path());

    sampleshop::ShopSize size;
    size.products = 300;
    size.countLines = 10;
    size.countedCodes = 5;
    size.seed = 11;
    const sampleshop::Shop shop = sampleshop::makeShop(size);
    ASSERT_FALSE(sampleshop::writeShop(shop, stock.path(), cwd / "unused.dat").failed());
    const std::string first(trimBlanks(shop.index[0].code));
    const std::string second(trimBlanks(shop.index[1].code));
    test::writeFile(vorda / "orvik.dat", leftField(second, 13) + "    3\r\n" +
                                             leftField(first, 13) + "    1\r\n" +
                                             leftField(second, 13) + "  2.5\r\n");

    FakePlatform fake;
    fake.settings.set("Orvik", "MyDocuments", vorda.dirValue());
    fake.settings.set("Orvik", "DatPolku", dat.dirValue());
    fake.settings.set("Orvik", "Datat", stock.dirValue());
    fake.settings.set("Orvik", "InvPolku", inv.dirValue());
    fake.messages.answers.push_back(MsgAnswer::Yes);
    ScriptedReader reader;
    frmMain mainWindow(fake.platform, reader, "");
    ASSERT_TRUE(mainWindow.Form_Load());
    mainWindow.show();

    QTest::mouseClick(mainWindow.Command3, Qt::LeftButton);
    EXPECT_FALSE(mainWindow.isVisible());
    frmRepo* review = openReviewWindow();
    ASSERT_NE(review, nullptr);
    ASSERT_EQ(review->list().rows.size(), 2u);
    // Both products are in the stock files, so their names came from there.
    EXPECT_NE(review->list().rows[0][colNimitys], "");
    EXPECT_NE(review->list().rows[1][colNimitys], "");

    QTest::mouseClick(review->Command3, Qt::LeftButton);

    EXPECT_EQ(readFile(inv / "orvik.inv"),
              leftField(first, 13) + "          1\r\n" + leftField(second, 13) + " 5,5\r\n");
    EXPECT_FALSE(test::exists(dat / "orvik.dat"));
    EXPECT_TRUE(test::exists(dat / "orvik.log"));
    EXPECT_FALSE(test::exists(vorda / "orvik.dat"));
    EXPECT_FALSE(test::exists(cwd / "pnqty.dat"));
    EXPECT_TRUE(fake.programEnd.ended());
    ASSERT_FALSE(fake.messages.shown.empty());
    EXPECT_EQ(fake.messages.shown.back().text, " Tapahtumat on hyväksytty jatkokäsittelyyn. "_cp);
    delete review;
}

} // namespace
} // namespace orvik
