// The reader routines against a scripted reader library: the calls they
// make, what they show, and what they do to the files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>

#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "reader/doubles/scriptedreader.h"
#include "reader/readerclearing.h"
#include "reader/readerfetch.h"
#include "reader/readerport.h"
#include "reader/readersend.h"
#include "reader/readertransfer.h"
#include "reader/recordingview.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::readFile;
using test::RecordingView;
using test::writeFile;
using Strings = std::vector<std::string>;

const std::string kOpen = "HM_OpenCommPort(3, 19200, 8, 0, 1)";
const std::string kClose = "HM_CloseCommPort(3)";
const std::string kThreeLines =
    "6410000000017    3\r\n6410000000024    1\r\n6410000000031  2.5\r\n";
const std::string kLogHeader = "13.11.2012 08:15:02\r\n";

// A library that answers "call again" without moving a byte, a number of
// times before each scripted step of a transfer, as a reader does while it
// handshakes; each such answer takes `pause` on the fake clock. The answers
// are counted, not recorded.
class HesitatingReader : public ScriptedReader {
public:
    HesitatingReader(FakeClock& clock, long answersBeforeEachStep, std::chrono::nanoseconds pause)
        : clock_(clock), answersBeforeEachStep_(answersBeforeEachStep), pause_(pause) {}

    long hesitations = 0;

    int32_t HM_upload2(int32_t& bytes, int32_t& other) override {
        return hesitating() ? kReaderRunning : ScriptedReader::HM_upload2(bytes, other);
    }
    int32_t HM_download2(int32_t& bytes, int32_t& other) override {
        return hesitating() ? kReaderRunning : ScriptedReader::HM_download2(bytes, other);
    }

private:
    bool hesitating() {
        clock_.passed += pause_;
        if (answersLeft_ == 0) {
            answersLeft_ = answersBeforeEachStep_;
            return false;
        }
        --answersLeft_;
        ++hesitations;
        return true;
    }

    FakeClock& clock_;
    const long answersBeforeEachStep_;
    const std::chrono::nanoseconds pause_;
    long answersLeft_ = answersBeforeEachStep_;
};

class ReaderRoutines : public testing::Test {
protected:
    ReaderRoutines() { std::filesystem::create_directory(dir / "work"); }

    // The fetched file the library leaves on the PC once the upload ends.
    void readerHands(const std::string& content) {
        reader.onUploadFinished = [content] { writeFile(fetchedFilePath(), content); };
    }
    std::filesystem::path workFile() const { return dir / "work" / "orvik.dat"; }
    std::filesystem::path logFile() const { return dir / "work" / "orvik.log"; }
    const ShownMessage& onlyMessage() const {
        EXPECT_EQ(fake.messages.shown.size(), 1u);
        return fake.messages.shown.at(0);
    }

    test::TempDir dir;
    test::ScopedCurrentDir inside{dir.path()};
    FakePlatform fake;
    ScriptedReader reader;
    RecordingView view;
    int32_t porttinro = 3;
    int32_t tulos = -1;
    ReaderLink link{reader, fake.platform, view, porttinro, dir.dirValue() + "work/"};

    // The routines answer the result code; like the main window, the test
    // keeps the last one in `tulos`.
    bool noudatiedot(const ReaderLink& l) {
        const FetchOutcome outcome = orvik::noudatiedot(l);
        tulos = outcome.tulos;
        return outcome.imported;
    }
    void tyhjenna(const ReaderLink& l) { tulos = orvik::tyhjenna(l); }
    void clearReaderAndReport(const ReaderLink& l) { tulos = orvik::clearReaderAndReport(l); }
    void vieohjelma(const ReaderLink& l) { tulos = orvik::vieohjelma(l); }
};

TEST_F(ReaderRoutines, PortCheckOpensAndClosesTheChosenPortSilently) {
    kokeileportti(reader, 3);
    EXPECT_EQ(reader.calls, (Strings{kOpen, kClose}));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(ReaderRoutines, FetchTakesTheCountInClearsTheReaderAndOpensTheReview) {
    readerHands(kThreeLines);
    reader.uploadSteps = {{1, 512}, {1, 1024}, {0, 2048}};
    std::size_t callsWhenTold = 0;
    fake.messages.onShow = [&](const ShownMessage&) { callsWhenTold = reader.calls.size(); };

    EXPECT_TRUE(noudatiedot(link));

    EXPECT_EQ(reader.calls,
              (Strings{kOpen, "HM_set_upload_file_save_mode(2)",
                       "HM_upload1(3, 65, pnqty.dat, pnqty.dat)", "HM_get_return_string_length(0)",
                       "HM_upload2(0, 0)", "HM_upload2(512, 0)", "HM_upload2(1024, 0)", kClose,
                       kOpen, "HM_delete(3, 65, pnqty.dat)", kClose}));
    EXPECT_EQ(callsWhenTold, reader.calls.size()) << "the reader is cleared before the message";
    EXPECT_EQ(view.events,
              (Strings{"lock", "caption: Siirretty 512 tavua ", "caption: Siirretty 1024 tavua ",
                       "caption: Siirretty 2048 tavua ", "hide", "hide", "review"}));
    const ShownMessage& told = onlyMessage();
    EXPECT_EQ(told.text, " Tiedot on noudettu lukijasta ");
    EXPECT_EQ(told.title, " Ilmoitus ");
    EXPECT_EQ(told.icon, MsgIcon::Information);
    EXPECT_EQ(told.buttons, MsgButtons::Ok);

    EXPECT_EQ(readFile(workFile()), kThreeLines);
    EXPECT_EQ(readFile(logFile()), kLogHeader + kThreeLines);
    EXPECT_FALSE(test::exists(dir / "pnqty.dat"));
    EXPECT_EQ(tulos, 0);
    EXPECT_FALSE(fake.programEnd.ended());
}

TEST_F(ReaderRoutines, AFetchedCopyThatCannotGoAndAReaderThatCannotBeClearedAreBothTold) {
    readerHands(kThreeLines);
    reader.results["HM_delete"] = {5};
    test::FailingFileOps removalRefused(1L << 30, EBUSY);
    removalRefused.failRemovalOf = "pnqty.dat";
    {
        ScopedFileOps scoped(removalRefused);
        EXPECT_TRUE(noudatiedot(link));
    }

    EXPECT_EQ(readFile(workFile()), kThreeLines);
    ASSERT_EQ(fake.messages.shown.size(), 3u);
    EXPECT_EQ(fake.messages.shown[0].text, " Tiedot on noudettu lukijasta ");
    // Where the copy is, and that it will not be taken again.
    EXPECT_NE(fake.messages.shown[1].text.find((dir / "pnqty.dat").string()), std::string::npos);
    EXPECT_EQ(fake.messages.shown[1].icon, MsgIcon::Exclamation);
    // The reader still holds the count: clear it before the next fetch.
    EXPECT_EQ(fake.messages.shown[2].title, " Virhe nro 5");
    EXPECT_NE(fake.messages.shown[2].text.find("Tyhjennä lukija"_cp), std::string::npos);
    EXPECT_EQ(view.events.back(), "review");
}

TEST_F(ReaderRoutines, AnEmptyFetchLogsOnlyTheHeaderAndStillClearsTheReader) {
    readerHands("");
    EXPECT_TRUE(noudatiedot(link));
    EXPECT_EQ(readFile(logFile()), kLogHeader);
    EXPECT_EQ(readFile(workFile()), "");
    EXPECT_EQ(reader.callsOf("HM_delete").size(), 1u);
    EXPECT_EQ(view.events.back(), "review");
}

TEST_F(ReaderRoutines, AReaderThatRefusesTheUploadEndsTheProgramAndChangesNothing) {
    struct Case {
        int32_t code;
        std::string text, title;
        MsgIcon icon;
    };
    const Case cases[] = {
        {48, " Lukijassa ei ole tapahtumia. ", " Ilmoitus", MsgIcon::Information},
        {5, " Siirto epäonnistui. "_cp, " Virhe nro 5", MsgIcon::Exclamation},
    };
    writeFile(workFile(), "earlier\r\n");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakePlatform platform;
        ScriptedReader refusing;
        RecordingView window;
        refusing.results["HM_upload1"] = {c.code};
        refusing.onUploadFinished = [] { writeFile(fetchedFilePath(), "unexpected\r\n"); };
        ReaderLink refused{refusing, platform.platform, window, porttinro, link.datPolku};

        EXPECT_FALSE(noudatiedot(refused));

        EXPECT_EQ(refusing.calls, (Strings{kOpen, "HM_set_upload_file_save_mode(2)",
                                           "HM_upload1(3, 65, pnqty.dat, pnqty.dat)",
                                           "HM_get_return_string_length(0)", kClose}));
        EXPECT_EQ(window.events, (Strings{"lock", "hide"}));
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text, c.text);
        EXPECT_EQ(platform.messages.shown[0].title, c.title);
        EXPECT_EQ(platform.messages.shown[0].icon, c.icon);
        EXPECT_TRUE(platform.programEnd.ended());
        EXPECT_EQ(tulos, c.code);
        EXPECT_EQ(readFile(workFile()), "earlier\r\n");
        EXPECT_FALSE(test::exists(logFile()));
        EXPECT_FALSE(test::exists(dir / "pnqty.dat"));
    }
}

TEST_F(ReaderRoutines, AnErrorPartWayThroughTheUploadIsReportedWithItsNumber) {
    readerHands(kThreeLines);
    reader.uploadSteps = {{1, 512}, {7, 600}};

    EXPECT_FALSE(noudatiedot(link));

    EXPECT_EQ(view.captions(), (Strings{" Siirretty 512 tavua ", " Siirretty 600 tavua "}));
    EXPECT_EQ(onlyMessage().title, " Virhe nro 7");
    EXPECT_EQ(onlyMessage().text, " Siirto epäonnistui. "_cp);
    EXPECT_TRUE(reader.callsOf("HM_delete").empty());
    EXPECT_FALSE(test::exists(workFile()));
    EXPECT_TRUE(fake.programEnd.ended());
}

TEST_F(ReaderRoutines, AFetchIsJudgedStuckByTimeNotByTheNumberOfCalls) {
    readerHands(kThreeLines);
    // A million "call again" answers without a byte, all within a second,
    // as a fast library gives while the reader handshakes: not stuck.
    HesitatingReader quick(fake.clock, 1000000, std::chrono::nanoseconds(900));
    quick.onUploadFinished = reader.onUploadFinished;
    quick.uploadSteps = {{0, 60}};
    ReaderLink quickLink{quick, fake.platform, view, porttinro, link.datPolku};

    EXPECT_TRUE(noudatiedot(quickLink));
    EXPECT_EQ(quick.hesitations, 1000000);
    EXPECT_EQ(tulos, kReaderOk);
    EXPECT_EQ(readFile(workFile()), kThreeLines);
}

TEST_F(ReaderRoutines, AFetchThatStopsMovingEndsAsAFailureOfItsOwn) {
    readerHands(kThreeLines);
    // One answer a second, none of them moving: cut once the limit has
    // passed since the start, never before.
    HesitatingReader stuck(fake.clock, 1000, std::chrono::seconds(1));
    stuck.onUploadFinished = reader.onUploadFinished;
    stuck.uploadSteps = {{1, 512}, {0, 60}};
    ReaderLink stuckLink{stuck, fake.platform, view, porttinro, link.datPolku};

    EXPECT_FALSE(noudatiedot(stuckLink));

    EXPECT_EQ(stuck.hesitations, kTransferStallLimit.count());
    EXPECT_EQ(tulos, kReaderTransferStalled);
    EXPECT_EQ(onlyMessage().text, " Siirto ei edennyt, joten se keskeytettiin. "_cp);
    EXPECT_EQ(onlyMessage().title, " Virhe nro 9998");
    EXPECT_EQ(onlyMessage().icon, MsgIcon::Exclamation);
    EXPECT_EQ(stuck.calls.back(), kClose);
    EXPECT_TRUE(stuck.callsOf("HM_delete").empty());
    EXPECT_FALSE(test::exists(workFile()));
    EXPECT_TRUE(fake.programEnd.ended());
}

// A fetch whose import fails leaves the count in two safe places: the fetched
// file on the PC and the data on the reader.
void expectImportFailureKeepsTheCount(const ScriptedReader& reader, const FakePlatform& fake,
                                      const RecordingView& view, const FileError& error) {
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const ShownMessage& told = fake.messages.shown[0];
    // Which file failed, the error's number and text, and that nothing came in.
    EXPECT_NE(told.text.find(": " + error.message() + "."), std::string::npos) << told.text;
    EXPECT_NE(told.text.find(" ei voitu "), std::string::npos) << told.text;
    EXPECT_EQ(told.title, kDefaultMessageTitle);
    EXPECT_EQ(told.icon, MsgIcon::None);
    EXPECT_TRUE(reader.callsOf("HM_delete").empty());
    EXPECT_EQ(readFile("pnqty.dat"), kThreeLines);
    EXPECT_EQ(std::count(view.events.begin(), view.events.end(), "review"), 0);
    EXPECT_TRUE(fake.programEnd.ended());
}

TEST_F(ReaderRoutines, AFailedImportKeepsTheFetchedFileAndDoesNotClearTheReader) {
    writeFile(dir / "blocker", "a file where the work directory should be");
    link.datPolku = dir.dirValue() + "blocker/";
    readerHands(kThreeLines);

    EXPECT_FALSE(noudatiedot(link));

    expectImportFailureKeepsTheCount(reader, fake, view, test::fileInPlaceOfDirectory());
    // First what the user set and can mend.
    EXPECT_TRUE(fake.messages.shown.at(0).text.starts_with(" Dat-hakemistoa " + link.datPolku +
                                                           " ei ole. "))
        << fake.messages.shown.at(0).text;
}

TEST_F(ReaderRoutines, AFullDiskDuringTheImportLeavesTheWorkFileAsItWas) {
    writeFile(workFile(), "6410000000017    1\r\n");
    readerHands(kThreeLines);
    test::FailingFileOps diskFull(10);
    diskFull.onlyFile = "orvik.log";
    {
        ScopedFileOps failing(diskFull);
        EXPECT_FALSE(noudatiedot(link));
    }
    expectImportFailureKeepsTheCount(reader, fake, view, FileError::fromErrno(28));
    EXPECT_EQ(readFile(workFile()), "6410000000017    1\r\n");
    EXPECT_FALSE(test::exists(logFile()));
}

TEST_F(ReaderRoutines, ClearingDeletesTheDataFileAndLeavesTheResultUnjudged) {
    reader.results["HM_delete"] = {3};
    tyhjenna(link);
    EXPECT_EQ(reader.calls, (Strings{kOpen, "HM_delete(3, 65, pnqty.dat)", kClose}));
    EXPECT_EQ(tulos, 3);
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_TRUE(view.events.empty());
}

TEST_F(ReaderRoutines, ClearTheReaderReportsWithTheWindowHiddenThenShowsItAgain) {
    struct Case {
        int32_t code;
        std::string text, title;
        MsgIcon icon;
    };
    const Case cases[] = {
        {0, " Lukijan data on tyhjennetty. ", " Ilmoitus", MsgIcon::Information},
        {48, " Lukijan data on tyhjennetty. ", " Ilmoitus", MsgIcon::Information},
        {3, " Lukijan tyhjennys epäonnistui. "_cp, " Virhe nro 3", MsgIcon::Exclamation},
        {-2, " Lukijan tyhjennys epäonnistui. "_cp, " Virhe nro -2", MsgIcon::Exclamation},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        FakePlatform platform;
        ScriptedReader clearing;
        RecordingView window;
        clearing.results["HM_delete"] = {c.code};
        Strings eventsWhileShown;
        platform.messages.onShow = [&](const ShownMessage&) { eventsWhileShown = window.events; };
        ReaderLink clear{clearing, platform.platform, window, porttinro, link.datPolku};

        clearReaderAndReport(clear);

        EXPECT_EQ(clearing.calls, (Strings{kOpen, "HM_delete(3, 65, pnqty.dat)", kClose}));
        ASSERT_EQ(platform.messages.shown.size(), 1u);
        EXPECT_EQ(platform.messages.shown[0].text, c.text);
        EXPECT_EQ(platform.messages.shown[0].title, c.title);
        EXPECT_EQ(platform.messages.shown[0].icon, c.icon);
        EXPECT_EQ(eventsWhileShown, (Strings{"hide"}));
        EXPECT_EQ(window.events, (Strings{"hide", "show"}));
        EXPECT_FALSE(platform.programEnd.ended());
        EXPECT_EQ(tulos, c.code);
    }
}

TEST_F(ReaderRoutines, SendMovesTheProgramStepByStepAndEnds) {
    reader.downloadSteps = {{1, 400}, {1, 800}, {0, 1000}};

    vieohjelma(link);

    EXPECT_EQ(reader.calls, (Strings{kOpen, "HM_download1(3, 65, Autoexec.exe, Autoexec.exe, 0)",
                                     "HM_download2(0, 0)", "HM_download2(400, 0)",
                                     "HM_download2(800, 0)", kClose}));
    EXPECT_EQ(view.events,
              (Strings{"lock", "caption: Siirretty 400 tavua ", "caption: Siirretty 800 tavua ",
                       "caption: Siirretty 1000 tavua ", "hide"}));
    EXPECT_EQ(onlyMessage().text, " Ohjelma on siirretty lukijaan. ");
    EXPECT_EQ(onlyMessage().title, " Ilmoitus");
    EXPECT_EQ(onlyMessage().icon, MsgIcon::Information);
    EXPECT_TRUE(fake.programEnd.ended());
    EXPECT_EQ(tulos, 0);
}

TEST_F(ReaderRoutines, ASlowSendThatKeepsMovingIsNeverCut) {
    // Each answer takes a second less than the limit, and only every other
    // one moves: however slow, a transfer that moves is never cut.
    HesitatingReader slow(fake.clock, 0, kTransferStallLimit - std::chrono::seconds(1));
    slow.downloadSteps = {{1, 100}, {1, 100}, {1, 101}, {1, 101}, {0, 102}};
    ReaderLink slowLink{slow, fake.platform, view, porttinro, link.datPolku};

    vieohjelma(slowLink);

    EXPECT_EQ(tulos, 0);
    EXPECT_EQ(onlyMessage().text, " Ohjelma on siirretty lukijaan. ");
    EXPECT_GT(fake.clock.passed, 2 * kTransferStallLimit);
}

TEST_F(ReaderRoutines, AFailedSendIsReportedWithItsNumberAndEnds) {
    // 48 from the start of a send is an error like any other.
    reader.results["HM_download1"] = {48};
    vieohjelma(link);
    EXPECT_EQ(reader.calls,
              (Strings{kOpen, "HM_download1(3, 65, Autoexec.exe, Autoexec.exe, 0)", kClose}));
    EXPECT_EQ(view.events, (Strings{"lock", "hide"}));
    EXPECT_EQ(onlyMessage().text, " Siirto epäonnistui. "_cp);
    EXPECT_EQ(onlyMessage().title, " Virhe nro 48");
    EXPECT_EQ(onlyMessage().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(fake.programEnd.ended());

    FakePlatform platform;
    ScriptedReader broken;
    RecordingView window;
    broken.downloadSteps = {{1, 100}, {5, 150}};
    ReaderLink send{broken, platform.platform, window, porttinro, link.datPolku};
    vieohjelma(send);
    EXPECT_EQ(window.captions(), (Strings{" Siirretty 100 tavua ", " Siirretty 150 tavua "}));
    ASSERT_EQ(platform.messages.shown.size(), 1u);
    EXPECT_EQ(platform.messages.shown[0].title, " Virhe nro 5");
    EXPECT_EQ(broken.calls.back(), kClose);
    EXPECT_TRUE(platform.programEnd.ended());
}

} // namespace
} // namespace orvik
