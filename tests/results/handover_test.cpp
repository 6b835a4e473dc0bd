// "Hyväksy": the transfer file for the cash-register system.
#include <cerrno>
#include <filesystem>

#include "files/fileops.h"
#include "journal/stepjournal.h"
#include "results/handover.h"
#include "results/resultsfixture.h"
#include "support/failingfileops.h"
#include "support/systemsays.h"
#include "text/codepage.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

const std::string kWorkFile = "123          7\r\nBROKEN\r\n";
const std::string kWaiting = "OLD           1\r\n"; // a hand-over not yet taken

class HandOverTest : public ResultsTest {
protected:
    Directories dirs{dir.dirValue(), "", (dir / "inv").string() + "/"};

    void SetUp() override {
        std::filesystem::create_directory(dir / "inv");
        put("orvik.dat", kWorkFile);
    }
    std::string transferFile() const { return readFile(dir / "inv" / "orvik.inv"); }
    HandOverResult accept(const ReviewList& list) {
        fakes.messages.answers = {MsgAnswer::Yes};
        return handOver(list, dirs, fakes.platform, window);
    }
    const ShownMessage& last() const { return fakes.messages.shown.back(); }
};

TEST_F(HandOverTest, AppendsOneLinePerRowInListOrderThenDeletesTheWorkFile) {
    writeFile(dir / "inv" / "orvik.inv", kWaiting);
    put("orvik.txt", "export\r\n");
    int hiddenAtNotice = -1;
    fakes.messages.onShow = [&](const ShownMessage& shown) {
        if (shown.buttons == MsgButtons::Ok)
            hiddenAtNotice = hides;
    };
    const ReviewList list = listOf(
        {fullRow("123", "         5"), fullRow("ABCDEFGHIJKLMNO", "2,5"), fullRow("10", "-3")});
    EXPECT_EQ(accept(list), HandOverResult::Done);

    EXPECT_EQ(transferFile(), kWaiting + "123                    5\r\n"
                                         "ABCDEFGHIJKLM 2,5\r\n"
                                         "10            -3\r\n");
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
    EXPECT_EQ(file("orvik.txt"), "export\r\n");
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    const ShownMessage& question = fakes.messages.shown[0];
    EXPECT_EQ(question.text, " Oletko varma että haluat siirtää tapahtumat Myrviniin?  "_cp);
    EXPECT_EQ(question.title, " Varmistus");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(last().text, " Tapahtumat on hyväksytty jatkokäsittelyyn. "_cp);
    EXPECT_EQ(last().title, " Ilmoitus");
    EXPECT_EQ(last().icon, MsgIcon::Information);
    EXPECT_EQ(hiddenAtNotice, 1);
    expectProgramEndedHidden();
}

TEST_F(HandOverTest, AnswerNoOrEmptyListChangesNothing) {
    fakes.messages.answers = {MsgAnswer::No};
    EXPECT_EQ(handOver(listOf({fullRow("1", "1")}), dirs, fakes.platform, window),
              HandOverResult::Declined);
    EXPECT_EQ(handOver(ReviewList{}, dirs, fakes.platform, window),
              HandOverResult::NothingToHandOver);
    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    EXPECT_EQ(last().text, " Siirrettäviä tapahtumia ei ole  "_cp);
    EXPECT_EQ(last().icon, MsgIcon::Information);
    EXPECT_FALSE(test::exists(dir / "inv" / "orvik.inv"));
    EXPECT_EQ(file("orvik.dat"), kWorkFile);
    expectWindowStaysOpen();
}

TEST_F(HandOverTest, NoWorkFileAndEmptyTransferDirectoryStillComplete) {
    std::filesystem::remove(dir / "orvik.dat");
    ScopedCurrentDir here(dir.path());
    dirs.invPolku.clear();
    EXPECT_EQ(accept(listOf({fullRow("1", "        0")})), HandOverResult::Done);
    EXPECT_EQ(file("orvik.inv"), "1                     0\r\n");
    expectProgramEndedHidden();
}

TEST_F(HandOverTest, UnreadLinesStayInTheWorkFileAndTheNoticeSaysSo) {
    ReviewList list = listOf({fullRow("123", "7")});
    list.unreadLines = {{2, "BROKEN"}, {5, "ALSO BROKEN  ?"}};
    EXPECT_EQ(accept(list), HandOverResult::Done);
    EXPECT_EQ(file("orvik.dat"), "BROKEN\r\nALSO BROKEN  ?\r\n");
    EXPECT_EQ(last().text, " Tapahtumat on hyväksytty jatkokäsittelyyn. Työtiedostoon "
                           "jätettiin 2 riviä, joita ei voitu lukea. "_cp);
}

TEST_F(HandOverTest, FailedTransferLeavesEveryFileAndCanBeRetriedOnce) {
    writeFile(dir / "inv" / "orvik.inv", kWaiting);
    const ReviewList list = listOf({fullRow("1", "5"), fullRow("2", "6")});
    {
        FailingFileOps failing(20); // the first line fits, the second does not
        ScopedFileOps scoped(failing);
        EXPECT_EQ(accept(list), HandOverResult::TransferFailed);
    }
    EXPECT_EQ(transferFile(), kWaiting);
    EXPECT_EQ(last().title, " Virhe");
    EXPECT_EQ(last().icon, MsgIcon::Exclamation);
    EXPECT_NE(last().text.find("28 "), std::string::npos);

    put("notadir", "x");
    const std::string invPolku = dirs.invPolku;
    dirs.invPolku = (dir / "notadir").string() + "/";
    EXPECT_EQ(accept(list), HandOverResult::TransferFailed);
    EXPECT_NE(last().text.find(test::fileInPlaceOfDirectory().message()), std::string::npos);
    EXPECT_EQ(file("notadir"), "x");
    EXPECT_EQ(file("orvik.dat"), kWorkFile);
    expectWindowStaysOpen();

    dirs.invPolku = invPolku;
    EXPECT_EQ(accept(list), HandOverResult::Done);
    EXPECT_EQ(transferFile(), kWaiting + "1             5\r\n2             6\r\n");
}

TEST_F(HandOverTest, WorkFileThatCannotBeRetiredEndsWithAWarningAndBlocksARepeat) {
    // A directory in the work file's place can be neither deleted nor replaced.
    std::filesystem::remove(dir / "orvik.dat");
    std::filesystem::create_directory(dir / "orvik.dat");
    ReviewList list = listOf({fullRow("1", "5")});
    list.unreadLines = {{1, "BROKEN"}};

    EXPECT_EQ(accept(list), HandOverResult::DoneWorkFileLeft);
    EXPECT_EQ(last().title, " Virhe");
    EXPECT_NE(last().text.find(" Tapahtumat on siirretty"), std::string::npos);
    EXPECT_NE(last().text.find("ei saa siirtää uudelleen"_cp), std::string::npos);
    EXPECT_EQ(fakes.programEnd.endCalls, 1);

    // The same list again (the next run reviews the same work file): refused.
    EXPECT_EQ(accept(list), HandOverResult::TransferFailed);
    EXPECT_NE(last().text.find("ei saa siirtää uudelleen"_cp), std::string::npos);
    EXPECT_EQ(transferFile(), "1             5\r\n");

    // Once the way is clear, recovery finishes the hand-over's end.
    std::filesystem::remove(dir / "orvik.dat");
    const std::vector<RecoveredStep> recovered = recoverSteps(dir.dirValue());
    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(recovered[0].outcome, RecoveredStep::Outcome::Finished);
    EXPECT_EQ(file("orvik.dat"), "BROKEN\r\n");
    EXPECT_EQ(transferFile(), "1             5\r\n");
}

} // namespace
} // namespace orvik::test
