// Copying in blocks: the whole file or nothing under the target's name.
#include <gtest/gtest.h>

#include <algorithm>

#include "files/blockcopy.h"
#include "files/fileops.h"
#include "support/failingfileops.h"
#include "support/files.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using test::namesIn;
using test::readFile;
using test::writeFile;

// Two blocks and a bit, no two neighbouring blocks alike.
std::string blocksOfBytes() {
    std::string bytes(2 * kCopyBlockSize + 7, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 31 + i / kCopyBlockSize);
    return bytes;
}

TEST(BlockCopy, CopiesEveryBlockOverTheOldTarget) {
    test::TempDir dir;
    const std::string bytes = blocksOfBytes();
    writeFile(dir / "from", bytes);
    writeFile(dir / "to", "old");
    ASSERT_FALSE(copyFileReplacing(dir / "from", dir / "to").failed());
    EXPECT_TRUE(readFile(dir / "to") == bytes);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"from", "to"}));
}

TEST(BlockCopy, AFailureLeavesTheTargetAsItWasAndNoTemporary) {
    test::TempDir dir;
    writeFile(dir / "from", blocksOfBytes());
    writeFile(dir / "to", "old");
    test::FailingFileOps diskFull(static_cast<long>(kCopyBlockSize) + 100);
    FileError error;
    {
        ScopedFileOps failing(diskFull);
        error = copyFileReplacing(dir / "from", dir / "to");
    }
    EXPECT_EQ(error.number, 28);
    EXPECT_EQ(readFile(dir / "to"), "old");
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"from", "to"}));

    EXPECT_EQ(copyFileReplacing(dir / "missing", dir / "to").number, ENOENT);
    EXPECT_EQ(readFile(dir / "to"), "old");
}

} // namespace
} // namespace orvik
