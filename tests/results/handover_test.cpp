// "Hyväksy": the transfer file for the cash-register system.
#include <cerrno>
#include <filesystem>

#include "common/codepage.h"
#include "common/textlines.h"
#include "results/handover.h"
#include "results/resultsfixture.h"

namespace orvik::test {
namespace {

using namespace orvik::literals;

class HandOverTest : public ResultsTest {
protected:
    Directories dirs;

    void SetUp() override {
        dirs.datPolku = dir.dirValue();
        std::filesystem::create_directory(dir / "inv");
        dirs.invPolku = (dir / "inv").string() + "/";
    }

    std::string transferFile() const { return readFile(dir / "inv" / "orvik.inv"); }
    HandOverResult accept(const ReviewList& list) {
        fakes.messages.answers = {MsgAnswer::Yes};
        return handOver(list, dirs, window);
    }
    const ShownMessage& lastMessage() const { return fakes.messages.shown.back(); }
};

const std::string kWorkFile = "123          7\r\nBROKEN\r\n";

TEST_F(HandOverTest, AppendsOneLinePerRowInListOrderThenRetiresTheWorkFile) {
    put("orvik.dat", kWorkFile);
    put("orvik.log", "log\r\n");
    put("orvik.txt", "export\r\n");
    const ReviewList list = listOf(
        {fullRow("123", "         5"), fullRow("ABCDEFGHIJKLMNO", "2,5"), fullRow("10", "-3")});
    EXPECT_EQ(accept(list), HandOverResult::Done);

    EXPECT_EQ(transferFile(), "123                    5\r\n"
                              "ABCDEFGHIJKLM 2,5\r\n"
                              "10            -3\r\n");
    EXPECT_EQ(splitLines(transferFile())[0].size(), 24u);
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
    EXPECT_EQ(file("orvik.log"), "log\r\n");
    EXPECT_EQ(file("orvik.txt"), "export\r\n");

    ASSERT_EQ(fakes.messages.shown.size(), 2u);
    const ShownMessage& question = fakes.messages.shown[0];
    EXPECT_EQ(question.text, " Oletko varma että haluat siirtää tapahtumat Myrviniin?  "_cp);
    EXPECT_EQ(question.title, " Varmistus");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNoDefaultNo);
    EXPECT_EQ(lastMessage().text, " Tapahtumat on hyväksytty jatkokäsittelyyn. "_cp);
    EXPECT_EQ(lastMessage().title, " Ilmoitus");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);
    expectProgramEndedHidden();
}

TEST_F(HandOverTest, WindowIsHiddenBeforeTheClosingNotice) {
    int hiddenWhenNoticeShown = -1;
    fakes.messages.onShow = [&](const ShownMessage& shown) {
        if (shown.buttons == MsgButtons::Ok)
            hiddenWhenNoticeShown = hides;
    };
    accept(listOf({fullRow("1", "1")}));
    EXPECT_EQ(hiddenWhenNoticeShown, 1);
}

TEST_F(HandOverTest, LinesAlreadyWaitingInTheTransferFileStay) {
    writeFile(dir / "inv" / "orvik.inv", "OLD           1\r\n");
    accept(listOf({fullRow("2", "7")}));
    EXPECT_EQ(transferFile(), "OLD           1\r\n2             7\r\n");
}

TEST_F(HandOverTest, AnswerNoOrEmptyListChangesNothing) {
    put("orvik.dat", kWorkFile);
    fakes.messages.answers = {MsgAnswer::No};
    EXPECT_EQ(handOver(listOf({fullRow("1", "1")}), dirs, window), HandOverResult::Declined);
    EXPECT_EQ(fakes.messages.shown.size(), 1u);

    fakes.messages.shown.clear();
    EXPECT_EQ(handOver(ReviewList{}, dirs, window), HandOverResult::NothingToHandOver);
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_EQ(lastMessage().text, " Siirrettäviä tapahtumia ei ole  "_cp);
    EXPECT_EQ(lastMessage().title, " Ilmoitus");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Information);

    EXPECT_FALSE(test::exists(dir / "inv" / "orvik.inv"));
    EXPECT_EQ(file("orvik.dat"), kWorkFile);
    expectWindowStaysOpen();
}

TEST_F(HandOverTest, CompletesWithoutAWorkFile) {
    EXPECT_EQ(accept(listOf({fullRow("1", "        0")})), HandOverResult::Done);
    EXPECT_EQ(transferFile(), "1                     0\r\n");
    expectProgramEndedHidden();
}

TEST_F(HandOverTest, EmptyTransferDirectoryMeansTheCurrentDirectory) {
    ScopedCurrentDir here(dir.path());
    dirs.invPolku.clear();
    accept(listOf({fullRow("1", "4")}));
    EXPECT_EQ(file("orvik.inv"), "1             4\r\n");
}

TEST_F(HandOverTest, UnreadLinesStayInTheWorkFileAndTheNoticeSaysSo) {
    put("orvik.dat", kWorkFile);
    ReviewList list = listOf({fullRow("123", "7")});
    list.unreadLines = {{2, "BROKEN"}, {5, "ALSO BROKEN  ?"}};
    EXPECT_EQ(accept(list), HandOverResult::Done);
    EXPECT_EQ(file("orvik.dat"), "BROKEN\r\nALSO BROKEN  ?\r\n");
    EXPECT_EQ(lastMessage().text, " Tapahtumat on hyväksytty jatkokäsittelyyn. Työtiedostoon "
                                  "jätettiin 2 riviä, joita ei voitu lukea. "_cp);
}

TEST_F(HandOverTest, FailedTransferKeepsEverythingAndCanBeRetriedOnce) {
    put("orvik.dat", kWorkFile);
    writeFile(dir / "inv" / "orvik.inv", "OLD           1\r\n");
    const ReviewList list = listOf({fullRow("1", "5"), fullRow("2", "6")});
    {
        FailingFileOps failing(20); // the first line fits, the second does not
        ScopedFileOps scoped(failing);
        EXPECT_EQ(accept(list), HandOverResult::TransferFailed);
    }
    EXPECT_EQ(transferFile(), "OLD           1\r\n");
    EXPECT_EQ(file("orvik.dat"), kWorkFile);
    expectWindowStaysOpen();
    EXPECT_EQ(lastMessage().title, " Virhe");
    EXPECT_EQ(lastMessage().icon, MsgIcon::Exclamation);
    EXPECT_NE(lastMessage().text.find("28 "), std::string::npos);

    EXPECT_EQ(accept(list), HandOverResult::Done);
    EXPECT_EQ(transferFile(), "OLD           1\r\n1             5\r\n2             6\r\n");
}

TEST_F(HandOverTest, TransferDirectoryThatIsAFileIsReported) {
    put("orvik.dat", kWorkFile);
    put("notadir", "x");
    dirs.invPolku = (dir / "notadir").string() + "/";
    EXPECT_EQ(accept(listOf({fullRow("1", "5")})), HandOverResult::TransferFailed);
    EXPECT_EQ(file("orvik.dat"), kWorkFile);
    EXPECT_EQ(file("notadir"), "x");
    EXPECT_NE(lastMessage().text.find(std::to_string(ENOTDIR) + " "), std::string::npos);
    expectWindowStaysOpen();
}

TEST_F(HandOverTest, WorkFileThatCannotBeRetiredEndsWithAWarning) {
    // A directory in the work file's place cannot be deleted or replaced.
    std::filesystem::create_directory(dir / "orvik.dat");
    for (bool withUnreadLines : {false, true}) {
        fakes.messages.shown.clear();
        fakes.programEnd.endCalls = 0;
        hides = 0;
        ReviewList list = listOf({fullRow("1", "5")});
        if (withUnreadLines)
            list.unreadLines = {{1, "BROKEN"}};
        EXPECT_EQ(accept(list), HandOverResult::DoneWorkFileLeft);
        EXPECT_EQ(lastMessage().title, " Virhe");
        EXPECT_NE(lastMessage().text.find(" Tapahtumat on siirretty"), std::string::npos);
        EXPECT_NE(lastMessage().text.find("ei saa siirtää uudelleen"_cp), std::string::npos);
        expectProgramEndedHidden();
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir / "orvik.dat"));
    // Each hand-over was appended exactly once.
    EXPECT_EQ(transferFile(), "1             5\r\n1             5\r\n");
}

} // namespace
} // namespace orvik::test
