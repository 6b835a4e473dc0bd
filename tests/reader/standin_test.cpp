// The stand-in reader library we ship, loaded by name exactly as the program
// loads it (the test runs beside it in bin/), and the binding's behaviour
// when a library or an entry is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "files/dirvalue.h"
#include "platform/doubles/fakeplatform.h"
#include "reader/dynamiclibrary.h"
#include "reader/readerabi.h"
#include "reader/readerclearing.h"
#include "reader/readerfetch.h"
#include "reader/readerloader.h"
#include "reader/readersend.h"
#include "reader/recordingview.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;
using test::readFile;
using test::writeFile;
using Strings = std::vector<std::string>;

// Count lines enough for several transfer steps.
std::string countLines(int count) {
    std::string lines;
    for (int i = 0; i < count; ++i)
        lines += "64100000" + std::to_string(10000 + i) + "    " + std::to_string(i % 10) + "\r\n";
    return lines;
}

class StandInReader : public testing::Test {
protected:
    StandInReader() {
        std::filesystem::create_directory(readerDir);
        std::filesystem::create_directory(dir / "work");
        setenv("ORVIK_READER_DIR", readerDir.c_str(), 1);
    }
    ~StandInReader() override { unsetenv("ORVIK_READER_DIR"); }

    // A fresh main window's link for one routine.
    struct Run {
        FakePlatform fake;
        test::RecordingView view;
        int32_t tulos = -1;
    };
    ReaderLink linkFor(Run& run, int32_t port = 1) {
        porttinro = port;
        return ReaderLink{*reader, run.fake.platform, run.view, porttinro,
                          dir.dirValue() + "work/"};
    }
    // The routines answer the result code; the run keeps the last one, as the
    // main window does.
    bool noudatiedot(Run& run, const ReaderLink& link) {
        const FetchOutcome outcome = orvik::noudatiedot(link);
        run.tulos = outcome.tulos;
        return outcome.imported;
    }

    test::TempDir dir;
    test::ScopedCurrentDir inside{dir.path()};
    std::filesystem::path readerDir = dir / "reader";
    std::unique_ptr<ReaderLibrary> reader = makeReaderLibrary();
    int32_t porttinro = 1;
};

TEST_F(StandInReader, AWholeFetchLandsInTheWorkFileAndEmptiesTheReader) {
    const std::string count = countLines(100); // 2000 bytes: four steps
    writeFile(readerDir / "pnqty.dat", count);
    Run run;
    ReaderLink link = linkFor(run, 4);

    ASSERT_TRUE(noudatiedot(run, link))
        << (run.fake.messages.shown.empty() ? std::string() : run.fake.messages.shown[0].title);

    EXPECT_EQ(run.view.captions(), (Strings{" Siirretty 512 tavua ", " Siirretty 1024 tavua ",
                                            " Siirretty 1536 tavua ", " Siirretty 2000 tavua "}));
    EXPECT_EQ(readFile(dir / "work" / "orvik.dat"), count);
    EXPECT_EQ(readFile(dir / "work" / "orvik.log"), "13.11.2012 08:15:02\r\n" + count);
    EXPECT_FALSE(test::exists(dir / "pnqty.dat"));
    EXPECT_FALSE(test::exists(readerDir / "pnqty.dat"));
    EXPECT_EQ(run.tulos, 0);
    ASSERT_EQ(run.fake.messages.shown.size(), 1u);
    EXPECT_EQ(run.fake.messages.shown[0].text, " Tiedot on noudettu lukijasta ");
}

TEST_F(StandInReader, ASendCopiesTheProgramToTheReaderByteForByte) {
    std::string program(1300, '\0');
    for (std::size_t i = 0; i < program.size(); ++i)
        program[i] = static_cast<char>(i * 7);
    writeFile(dir / "Autoexec.exe", program);
    writeFile(readerDir / "Autoexec.exe", "an older program");
    Run run;
    ReaderLink link = linkFor(run, 2);

    run.tulos = vieohjelma(link);

    EXPECT_EQ(run.tulos, 0);
    EXPECT_EQ(readFile(readerDir / "Autoexec.exe"), program);
    EXPECT_EQ(run.view.captions().back(), " Siirretty 1300 tavua ");
    ASSERT_EQ(run.fake.messages.shown.size(), 1u);
    EXPECT_EQ(run.fake.messages.shown[0].text, " Ohjelma on siirretty lukijaan. ");
    EXPECT_TRUE(run.fake.programEnd.ended());
}

TEST_F(StandInReader, ClearingDeletesTheDataFileThenFindsNone) {
    writeFile(readerDir / "pnqty.dat", countLines(2));
    Run run;
    ReaderLink link = linkFor(run);
    run.tulos = tyhjenna(link);
    EXPECT_EQ(run.tulos, 0);
    EXPECT_FALSE(test::exists(readerDir / "pnqty.dat"));
    run.tulos = tyhjenna(link);
    EXPECT_EQ(run.tulos, 48);
}

TEST_F(StandInReader, AnInjectedFaultFailsTheNextCallOfItsEntryOnly) {
    const std::string count = countLines(3);
    writeFile(readerDir / "pnqty.dat", count);
    writeFile(readerDir / "faults.txt", "HM_delete 3\nHM_upload1 5\n");

    Run first;
    ReaderLink failing = linkFor(first);
    EXPECT_FALSE(noudatiedot(first, failing));
    ASSERT_EQ(first.fake.messages.shown.size(), 1u);
    EXPECT_EQ(first.fake.messages.shown[0].title, " Virhe nro 5");
    EXPECT_EQ(readFile(readerDir / "faults.txt"), "HM_delete 3\n");
    EXPECT_EQ(readFile(readerDir / "pnqty.dat"), count);

    // The second fetch works; its clearing meets the remaining fault, which
    // the fetch doesn't report, and the reader keeps its file.
    Run second;
    ReaderLink working = linkFor(second);
    EXPECT_TRUE(noudatiedot(second, working));
    EXPECT_EQ(second.tulos, 3);
    EXPECT_EQ(readFile(dir / "work" / "orvik.dat"), count);
    EXPECT_TRUE(test::exists(readerDir / "pnqty.dat"));
    EXPECT_FALSE(test::exists(readerDir / "faults.txt"));
}

TEST_F(StandInReader, TransfersNeedTheOpenPortAndPlainNames) {
    writeFile(readerDir / "pnqty.dat", countLines(1));
    std::string name = "pnqty.dat", other = "pnqty.dat";

    EXPECT_FALSE(reader->HM_OpenCommPort(5, 19200, 8, 0, 1));
    EXPECT_EQ(reader->HM_upload1(5, 65, name, other), 3);
    EXPECT_EQ(reader->HM_delete(5, 65, name), 3);

    ASSERT_TRUE(reader->HM_OpenCommPort(1, 19200, 8, 0, 1));
    EXPECT_EQ(reader->HM_upload1(2, 65, name, other), 3) << "port 2 was never opened";
    EXPECT_EQ(reader->HM_upload1(1, 66, name, other), 6);
    std::string climbing = "../pnqty.dat";
    EXPECT_EQ(reader->HM_upload1(1, 65, climbing, other), 6);
    EXPECT_EQ(reader->HM_delete(1, 65, climbing), 6);
    EXPECT_TRUE(test::exists(readerDir / "pnqty.dat"));
    int32_t bytes = 0, unused = 0;
    EXPECT_EQ(reader->HM_upload2(bytes, unused), 4) << "no fetch was started";
    EXPECT_EQ(reader->HM_CloseCommPort(1), 0);
    EXPECT_EQ(reader->HM_CloseCommPort(1), 3);
}

TEST_F(StandInReader, ClosingThePortBreaksOffAnUnfinishedFetch) {
    writeFile(readerDir / "pnqty.dat", countLines(60));
    std::string name = "pnqty.dat", other = "pnqty.dat";
    int32_t bytes = 0, unused = 0;
    ASSERT_TRUE(reader->HM_OpenCommPort(3, 19200, 8, 0, 1));
    ASSERT_EQ(reader->HM_upload1(3, 65, name, other), 0);
    EXPECT_EQ(reader->HM_get_return_string_length(0), 9);
    EXPECT_EQ(reader->HM_upload2(bytes, unused), 1);
    EXPECT_EQ(bytes, 512);
    reader->HM_CloseCommPort(3);
    EXPECT_EQ(reader->HM_upload2(bytes, unused), 4);
    EXPECT_FALSE(test::exists(dir / "pnqty.dat"));
}

TEST_F(StandInReader, MissingFilesAndAMissingReaderHaveTheirOwnCodes) {
    std::string data = "pnqty.dat", program = "Autoexec.exe";
    int32_t zero = 0;
    ASSERT_TRUE(reader->HM_OpenCommPort(1, 19200, 8, 0, 1));
    EXPECT_EQ(reader->HM_upload1(1, 65, data, data), 48) << "nothing on the reader";
    EXPECT_EQ(reader->HM_delete(1, 65, data), 48);
    EXPECT_EQ(reader->HM_download1(1, 65, program, program, zero), 53) << "nothing to send";

    // Save mode 2 keeps a fetched file that is still waiting on the PC.
    writeFile(readerDir / "pnqty.dat", "new count\r\n");
    writeFile(dir / "pnqty.dat", "waiting count\r\n");
    reader->HM_set_upload_file_save_mode(2);
    EXPECT_EQ(reader->HM_upload1(1, 65, data, data), 80);
    EXPECT_EQ(readFile(dir / "pnqty.dat"), "waiting count\r\n");

    unsetenv("ORVIK_READER_DIR");
    EXPECT_EQ(reader->HM_delete(1, 65, data), 2);
    setenv("ORVIK_READER_DIR", (dir / "nowhere").c_str(), 1);
    EXPECT_EQ(reader->HM_delete(1, 65, data), 2);
    reader->HM_CloseCommPort(1);
}

TEST(ReaderBinding, AMissingLibraryKeepsThePortSilentAndFailsEveryTask) {
    test::TempDir dir;
    test::ScopedCurrentDir inside{dir.path()};
    auto missing = makeReaderLibrary("orvik-no-such-reader");
    std::string name = "pnqty.dat", other = "pnqty.dat";
    int32_t bytes = 0, unused = 0;

    EXPECT_FALSE(missing->HM_OpenCommPort(1, 19200, 8, 0, 1));
    EXPECT_EQ(missing->HM_CloseCommPort(1), 0);
    EXPECT_EQ(missing->HM_set_upload_file_save_mode(2), kReaderLibraryMissing);
    EXPECT_EQ(missing->HM_upload1(1, 65, name, other), kReaderLibraryMissing);
    EXPECT_EQ(missing->HM_upload2(bytes, unused), kReaderLibraryMissing);
    EXPECT_EQ(missing->HM_download1(1, 65, name, other, unused), kReaderLibraryMissing);
    EXPECT_EQ(missing->HM_download2(bytes, unused), kReaderLibraryMissing);
    EXPECT_EQ(missing->HM_delete(1, 65, name), kReaderLibraryMissing);

    FakePlatform fake;
    test::RecordingView view;
    ReaderLink link{*missing, fake.platform, view, 1, dir.dirValue()};
    EXPECT_FALSE(orvik::noudatiedot(link).imported);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    // The failure says which library was not found and where it was looked
    // for, so the shop knows what to install where.
    const std::string fileName = DynamicLibrary::fileNameFor("orvik-no-such-reader");
    EXPECT_EQ(fake.messages.shown[0].text,
              " Siirto epäonnistui. Lukijakirjastoa orvik-no-such-reader ei löytynyt. Sitä "
              "etsittiin ohjelman vierestä ("_cp +
                  cpPath(DynamicLibrary::programDirectory() / fileName) + ") ja nimellä "_cp +
                  fileName + " järjestelmän kirjastopolulta. "_cp);
    EXPECT_EQ(fake.messages.shown[0].title, " Virhe nro 9999");
    EXPECT_FALSE(test::exists(dir / "orvik.dat"));
}

TEST(ReaderBinding, EntriesAreBoundOneByOneAndTextsComeBack) {
    auto partial = makeReaderLibrary("orvikpartialreader");
    EXPECT_TRUE(partial->HM_OpenCommPort(2, 19200, 8, 0, 1));
    EXPECT_FALSE(partial->HM_OpenCommPort(1, 19200, 8, 0, 1));
    EXPECT_EQ(partial->HM_CloseCommPort(2), 0) << "a missing close does nothing";

    std::string name = "pnqty.dat";
    EXPECT_EQ(partial->HM_delete(2, 65, name), 2000 + 65 + 9);
    EXPECT_EQ(name, "PNQTY.DAT");

    std::string other = "x";
    EXPECT_EQ(partial->HM_upload1(2, 65, name, other), kReaderLibraryMissing);
    EXPECT_EQ(partial->HM_upload1(2, 65, name, other), kReaderLibraryMissing);
    // Each entry looked for in vain is named once.
    EXPECT_EQ(partial->missingText(),
              " Lukijakirjastosta orvikpartialreader puuttuu: HM_CloseCommPort, HM_upload1. ");

    // Texts written back at the buffers' length come back whole, and no
    // further than the buffer.
    int32_t zero = 0;
    EXPECT_EQ(partial->HM_download1(2, 65, name, other, zero), 0);
    EXPECT_EQ(name, std::string(readerabi::kTextRoom, 'N'));
    EXPECT_EQ(other, std::string(1000, 'p'));
}

} // namespace
} // namespace orvik
