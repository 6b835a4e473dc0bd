#include "files/dirvalue.h"
#include "files/ownfiles.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "text/fixedfield.h"
#include "text/textlines.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

TEST(FixedField, LeftFieldPadsOrCutsAtTheEnd) {
    EXPECT_EQ(leftField("123", 13), "123          ");
    EXPECT_EQ(leftField("12345678901234", 13), "1234567890123");
    EXPECT_EQ(leftField("abc", 0), "");
    EXPECT_EQ(leftField("", 2), "  ");
}

TEST(FixedField, RightFieldPadsOrCutsAtTheFront) {
    EXPECT_EQ(rightField("2", 5), "    2");
    EXPECT_EQ(rightField("123456", 5), "23456");
    EXPECT_EQ(rightField("12345", 5), "12345");
    EXPECT_EQ(rightField("x", 0), "");
}

TEST(FixedField, TrimmingTouchesOnlyBlanks) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\ta\t"), "\ta\t");
    EXPECT_EQ(trimBlanks("    "), "");
    EXPECT_EQ(trimLeadingBlanks("  a "), "a ");
    EXPECT_EQ(trimTrailingBlanks("  a "), "  a");
}

TEST(TextLines, CrEndsALineAndCrLfCountsOnce) {
    using Lines = std::vector<std::string>;
    EXPECT_EQ(splitLines(""), Lines{});
    EXPECT_EQ(splitLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\rb"), (Lines{"a", "b"}));
    EXPECT_EQ(splitLines("a\nb\r\nc"), (Lines{"a\nb", "c"}));
    EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("\r\r\n"), (Lines{"", ""}));
    EXPECT_EQ(splitLines("\n"), (Lines{"\n"}));
}

TEST(TextLines, JoinWritesCrLfAfterEveryLineAndSplitsBack) {
    const std::vector<std::string> lines{"1234567890123    2", "", "x"};
    const std::string joined = joinLinesCrLf(lines);
    EXPECT_EQ(joined, "1234567890123    2\r\n\r\nx\r\n");
    EXPECT_EQ(splitLines(joined), lines);
    EXPECT_EQ(joinLinesCrLf({}), "");
}

TEST(DirValue, FileNameIsAppendedWithoutSeparator) {
    EXPECT_EQ(inDir("", "orvik.dat"), "orvik.dat");
    EXPECT_EQ(inDir("/srv/kassa/", "CASSA.001"), "/srv/kassa/CASSA.001");
    EXPECT_EQ(inDir("/srv/kassa", "x"), "/srv/kassax");
}

TEST(DirValue, AnExistingDirectoryGetsItsMissingSeparatorAndNothingElseChanges) {
    test::TempDir dir;
    const std::string bare = dir.path().string();
    test::writeFile(dir / "file", "");
    EXPECT_EQ(completedDirValue(bare, kWorkDirFileNames), bare + test::separator());
    EXPECT_EQ(completedDirValue(bare + "/", kWorkDirFileNames), bare + "/");
    EXPECT_EQ(completedDirValue("", kWorkDirFileNames), "");
    EXPECT_EQ(completedDirValue(bare + "/missing", kWorkDirFileNames), bare + "/missing");
    EXPECT_EQ(completedDirValue(bare + "/file", kWorkDirFileNames), bare + "/file");
}

TEST(DirValue, ABarePrefixThatHoldsOneOfTheProgramsFilesThereIsKeptAsItStands) {
    test::TempDir dir;
    std::filesystem::create_directory(dir / "data");
    std::filesystem::create_directory(dir / "kassa");
    const std::string data = (dir / "data").string();
    const std::string kassa = (dir / "kassa").string();
    test::writeFile(dir / "dataorvik.log", "");
    test::writeFile(dir / "kassaorvik.dat", ""); // no file of the transfer directory
    EXPECT_EQ(completedDirValue(data, kWorkDirFileNames), data);
    EXPECT_EQ(completedDirValue(kassa, kTransferDirFileNames), kassa + test::separator());
    test::writeFile(dir / "kassaorvik.inv", "");
    EXPECT_EQ(completedDirValue(kassa, kTransferDirFileNames), kassa);
}

TEST(DirValue, CurrentDirectoryEndsWithItsSeparator) {
    test::TempDir dir;
    test::ScopedCurrentDir inside(dir.path());
    const std::string current = currentDirWithSeparator();
    ASSERT_FALSE(current.empty());
    EXPECT_EQ(current.back(), test::separator()[0]);
    EXPECT_EQ(std::filesystem::canonical(fsPath(current)), std::filesystem::canonical(dir.path()));
}

TEST(DirValue, CodePagePathReachesTheFileSystemAsUtf8) {
    test::TempDir dir;
    using namespace orvik::literals;
    const std::filesystem::path path = fsPath(dir.dirValue() + "ryhmä"_cp);
    test::writeFile(path, "x");
    EXPECT_TRUE(test::exists(dir.path() / std::u8string(u8"ryhm\u00e4")));
}

} // namespace
} // namespace orvik
