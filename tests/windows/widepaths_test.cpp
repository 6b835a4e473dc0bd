// Paths on Windows: directory values and file names are code-page bytes that
// reach the system as UTF-16, and "\" and "/" both separate.
#include <gtest/gtest.h>

#include <windows.h>

#include "files/dirvalue.h"
#include "files/ownfiles.h"
#include "files/safewrite.h"
#include "journal/journalfile.h"
#include "journal/stepjournal.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace orvik::literals;

TEST(WidePaths, CodePageNamesReachTheSystemAsUtf16AndComeBackAsTheSameBytes) {
    test::TempDir dir;
    const std::string datPolku = dir.dirValue() + "Kassa€ä\\"_cp;
    ASSERT_TRUE(CreateDirectoryW((dir.path() / L"Kassa\u20ac\u00e4").c_str(), nullptr));

    const std::filesystem::path work = fsPath(inDir(datPolku, "orvik.dat"));
    EXPECT_FALSE(appendAllOrNothing({{work, "1\r\n"}}).failed());
    EXPECT_FALSE(replaceFile(fsPath(inDir(datPolku, "tölkki.txt"_cp)), "x").failed());

    WIN32_FIND_DATAW found{};
    const HANDLE search =
        FindFirstFileW((dir.path() / L"Kassa\u20ac\u00e4" / L"t*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    EXPECT_EQ(std::wstring(found.cFileName), L"t\u00f6lkki.txt");
    FindClose(search);
    std::string content;
    EXPECT_FALSE(readWholeFile(work, content).failed());
    EXPECT_EQ(content, "1\r\n");
    EXPECT_EQ(cpPath(work), inDir(datPolku, "orvik.dat"));
}

TEST(WidePaths, BackslashAndSlashBothSeparateInDirectoryValues) {
    test::TempDir dir;
    test::ScopedCurrentDir inside(dir.path());
    const std::string bare = cpPath(dir.path());
    std::string slashed = bare;
    for (char& c : slashed)
        if (c == '\\')
            c = '/';

    EXPECT_FALSE(replaceFile(fsPath(inDir(slashed + "/", "orvik.txt")), "both").failed());
    EXPECT_EQ(test::readFile(fsPath(inDir(bare + "\\", "orvik.txt"))), "both");

    EXPECT_EQ(completedDirValue(bare, kWorkDirFileNames), bare + "\\");
    EXPECT_EQ(completedDirValue(slashed, kWorkDirFileNames), slashed + "\\");
    EXPECT_EQ(completedDirValue(slashed + "/", kWorkDirFileNames), slashed + "/");
    EXPECT_EQ(completedDirValue(bare + "\\", kWorkDirFileNames), bare + "\\");

    const std::string current = currentDirWithSeparator();
    EXPECT_EQ(current, bare + "\\");
    EXPECT_EQ(current.find('/'), std::string::npos);
}

// A step cut short on Windows is rolled back from its journal, whose paths
// hold the UTF-16 names as UTF-8.
TEST(WidePaths, AJournalNamingCodePagePathsIsRecovered) {
    test::TempDir dir;
    const std::string datPolku = dir.dirValue() + "Työ\\"_cp;
    std::filesystem::create_directory(fsPath(datPolku));
    const std::filesystem::path work = fsPath(inDir(datPolku, "orvik.dat"));
    test::writeFile(work, "kept\r\nhalf of a ste");

    JournalRecord record;
    record.kind = StepKind::Import;
    record.startedAt = "13.11.2012 08:15:02";
    record.targets.push_back({work, 6});
    const std::optional<JournalRecord> decoded = decodeJournal(encodeJournal(record));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->targets.at(0).path, work);
    test::writeFile(fsPath(journalPath(datPolku, StepKind::Import)), encodeJournal(record));

    const std::vector<RecoveredStep> recovered = recoverSteps(datPolku);
    ASSERT_EQ(recovered.size(), 1u);
    EXPECT_EQ(recovered[0].outcome, RecoveredStep::Outcome::RolledBack);
    EXPECT_EQ(test::readFile(work), "kept\r\n");
    EXPECT_FALSE(test::exists(fsPath(journalPath(datPolku, StepKind::Import))));
}

} // namespace
} // namespace orvik
