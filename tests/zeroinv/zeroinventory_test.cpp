#include <gtest/gtest.h>

#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/zeroinventory.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::stockedProduct;

class ZeroInventoryRun : public ::testing::Test {
protected:
    ZeroInventoryRun() {
        std::filesystem::create_directory(dir / "work");
        directories.datat = dir.dirValue();
        directories.datPolku = dir.dirValue() + "work/";
    }
    bool run() { return nollainventointi(directories, {1}, 41000.0, fake.messages, fake.clock); }

    test::TempDir dir;
    std::filesystem::path zeroRowFile = dir / "work" / "nulli.dat";
    Directories directories;
    FakePlatform fake;
};

TEST_F(ZeroInventoryRun, AppendsBehindRowsTheReviewHasNotConsumed) {
    const std::string earlier = "OLD              0\r\n";
    test::writeFile(zeroRowFile, earlier);
    test::writeStockFiles(
        dir.path(), {stockedProduct("111", 1), stockedProduct("222", 2), stockedProduct("333", 1)},
        {});

    EXPECT_TRUE(run());

    EXPECT_EQ(test::readFile(zeroRowFile), earlier + "111              0\r\n"
                                                     "333              0\r\n");
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text, " Nollainventointirivit on lisätty. "_cp);
    EXPECT_EQ(fake.messages.shown[0].title, " Ilmoitus");
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Information);
}

TEST_F(ZeroInventoryRun, CreatesAnEmptyZeroRowFileWhenNothingQualifies) {
    test::writeStockFiles(dir.path(), {stockedProduct("111", 1, 41003.0)}, {});
    EXPECT_TRUE(run());
    EXPECT_EQ(test::readFile(zeroRowFile), "");
    EXPECT_EQ(fake.messages.shown.size(), 1u);
}

TEST_F(ZeroInventoryRun, FailuresAreReportedAndWriteNothing) {
    test::writeStockFiles(dir.path(), {stockedProduct("111", 1)}, {});
    test::writeFile(dir / "notadir", "x");
    directories.datPolku = dir.dirValue() + "notadir/";
    EXPECT_FALSE(run());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text.rfind(
                  " Tiedostoon " + directories.datPolku + "nulli.dat ei voi kirjoittaa: ", 0),
              0u)
        << fake.messages.shown[0].text;
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Exclamation);

    directories.datPolku = dir.dirValue() + "work/";
    std::filesystem::remove(dir / "CASSA.004");
    EXPECT_FALSE(run());
    EXPECT_EQ(fake.messages.shown.back().text,
              " Varastotiedostoa " + dir.dirValue() + "CASSA.004 ei voi lukea. ");
    EXPECT_FALSE(test::exists(zeroRowFile));
}

} // namespace
} // namespace orvik
