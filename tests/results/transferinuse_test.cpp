// "Hyväksy" while the cash-register system holds the transfer file.
#include "files/filelock.h"
#include "results/handover.h"
#include "results/resultsfixture.h"
#include "support/lockholder.h"
#include "text/codepage.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

TEST_F(ResultsTest, HandOverToATransferFileInUseWritesNothingAndCanBeTriedAgain) {
    std::filesystem::create_directory(dir / "inv");
    const Directories dirs{dir.dirValue(), "", dir.dirValue() + "inv/"};
    const auto transfer = dir / "inv" / "orvik.inv";
    writeFile(transfer, "OLD           1\r\n");
    put("orvik.dat", "1             5\r\n");
    const ReviewList list = listOf({fullRow("1", "5")});
    {
        const LockHolder cashSystem(transfer);
        ASSERT_TRUE(cashSystem.holds());
        const ScopedLockWait brief({std::chrono::milliseconds(100), std::chrono::milliseconds(10)});
        fakes.messages.answers = {MsgAnswer::Yes};

        EXPECT_EQ(handOver(list, dirs, fakes.platform, window), HandOverResult::TransferFailed);

        EXPECT_EQ(fakes.messages.shown.back().text,
                  " Siirtotiedosto " + dirs.invPolku +
                      "orvik.inv on toisen ohjelman käytössä, joten tapahtumia ei siirretty. "
                      "Yritä hetken kuluttua uudelleen. "_cp);
        EXPECT_EQ(fakes.messages.shown.back().icon, MsgIcon::Exclamation);
        EXPECT_EQ(readFile(transfer), "OLD           1\r\n");
        EXPECT_EQ(file("orvik.dat"), "1             5\r\n");
        EXPECT_FALSE(test::exists(dir / "orvik_siirto.jnl"));
        expectWindowStaysOpen();
    }
    fakes.messages.answers = {MsgAnswer::Yes};
    EXPECT_EQ(handOver(list, dirs, fakes.platform, window), HandOverResult::Done);
    EXPECT_EQ(readFile(transfer), "OLD           1\r\n1             5\r\n");
}

} // namespace
} // namespace orvik::test
