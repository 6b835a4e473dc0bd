// The zero inventory while another program holds the zero-row file.
#include <gtest/gtest.h>

#include "files/filelock.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/lockholder.h"
#include "support/stockwriter.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/zeroinventory.h"

namespace orvik {
namespace {

using namespace orvik::literals;

TEST(ZeroRowFileInUse, IsToldAsSuchAndGetsNoRows) {
    test::TempDir dir;
    test::writeStockFiles(dir.path(), {test::stockedProduct("111", 1)}, {});
    const Directories directories{dir.dirValue(), dir.dirValue(), dir.dirValue()};
    test::writeFile(dir / "nulli.dat", "");
    const test::LockHolder other(dir / "nulli.dat");
    ASSERT_TRUE(other.holds());
    const ScopedLockWait brief({std::chrono::milliseconds(100), std::chrono::milliseconds(10)});
    FakePlatform fake;

    EXPECT_FALSE(nollainventointi(directories, {1}, 41000.0, fake.messages, fake.clock));

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_EQ(fake.messages.shown[0].text,
              " Tiedosto " + dir.dirValue() + "nulli.dat on toisen ohjelman käytössä. "_cp);
    EXPECT_EQ(test::readFile(dir / "nulli.dat"), "");
}

} // namespace
} // namespace orvik
