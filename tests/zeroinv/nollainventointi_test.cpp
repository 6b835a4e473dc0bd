#include <gtest/gtest.h>

#include "common/codepage.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "zeroinv/nollainventointi.h"
#include "zeroinv/stockbytes.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::ProductBytes;

constexpr double kCutOff = 41000.0;

class ZeroInventoryRun : public ::testing::Test {
protected:
    ZeroInventoryRun() {
        std::filesystem::create_directory(dir.path() / "stock");
        std::filesystem::create_directory(dir.path() / "work");
        directories.datat = dir.dirValue() + "stock/";
        directories.datPolku = dir.dirValue() + "work/";
    }
    std::filesystem::path zeroRowFile() const { return dir.path() / "work" / "nulli.dat"; }
    void writeStock(const std::vector<ProductBytes>& products) {
        test::writeStockFiles(dir.path() / "stock", products, {});
    }
    bool run(const std::vector<std::int32_t>& groups = {1}) {
        return nollainventointi(directories, groups, kCutOff, fake.messages);
    }
    void expectOnlyMessage(const std::string& text, const std::string& title, MsgIcon icon) {
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        EXPECT_EQ(fake.messages.shown[0].text, text);
        EXPECT_EQ(fake.messages.shown[0].title, title);
        EXPECT_EQ(fake.messages.shown[0].icon, icon);
        EXPECT_EQ(fake.messages.shown[0].buttons, MsgButtons::Ok);
    }

    test::TempDir dir;
    Directories directories;
    FakePlatform fake;
};

TEST_F(ZeroInventoryRun, AppendsBehindRowsTheReviewHasNotConsumed) {
    const std::string earlier = "OLD              0\r\n";
    test::writeFile(zeroRowFile(), earlier);
    writeStock({{"111", 1}, {"222", 2}, {"333", 1}});

    EXPECT_TRUE(run());

    EXPECT_EQ(test::readFile(zeroRowFile()), earlier + "111              0\r\n"
                                                       "333              0\r\n");
    expectOnlyMessage(" Nollainventointirivit on lisätty. "_cp, " Ilmoitus", MsgIcon::Information);
}

TEST_F(ZeroInventoryRun, CreatesAnEmptyZeroRowFileWhenNothingQualifies) {
    ProductBytes counted{"111", 1};
    counted.lastCount = kCutOff + 3;
    writeStock({counted});

    EXPECT_TRUE(run());

    EXPECT_EQ(test::readFile(zeroRowFile()), "");
    expectOnlyMessage(" Nollainventointirivit on lisätty. "_cp, " Ilmoitus", MsgIcon::Information);
}

TEST_F(ZeroInventoryRun, AMissingStockFileIsReportedAndNothingIsWritten) {
    writeStock({{"111", 1}});
    std::filesystem::remove(dir.path() / "stock" / "CASSA.002");

    EXPECT_FALSE(run());

    EXPECT_FALSE(test::exists(zeroRowFile()));
    expectOnlyMessage(" Varastotiedostoa " + directories.datat + "CASSA.002 ei voi lukea. ",
                      " Ilmoitus", MsgIcon::Exclamation);
}

TEST_F(ZeroInventoryRun, AZeroRowFileThatCannotBeWrittenIsReported) {
    writeStock({{"111", 1}});
    test::writeFile(dir.path() / "notadir", "x");
    directories.datPolku = dir.dirValue() + "notadir/";

    EXPECT_FALSE(run());

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const std::string& text = fake.messages.shown[0].text;
    EXPECT_EQ(
        text.rfind(" Tiedostoon " + directories.datPolku + "nulli.dat ei voi kirjoittaa: ", 0), 0u)
        << text;
    EXPECT_EQ(fake.messages.shown[0].icon, MsgIcon::Exclamation);
}

} // namespace
} // namespace orvik
