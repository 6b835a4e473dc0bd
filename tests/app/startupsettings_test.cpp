#include <gtest/gtest.h>

#include "app/startupsettings.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

using Key = FakeSettingsStore::Key;

class StartupSettingsTest : public testing::Test {
protected:
    test::TempDir cwd;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeSettingsStore store;
};

TEST_F(StartupSettingsTest, FirstStartRecordsTheCurrentDirectoryForTheTwoFixedDirectories) {
    const StartupSettings settings = readStartupSettings(store);

    EXPECT_EQ(settings.readerDir, "");
    EXPECT_EQ(settings.directories.datPolku, "");
    EXPECT_EQ(settings.directories.invPolku, cwd.dirValue());
    EXPECT_EQ(settings.directories.datat, cwd.dirValue());
    EXPECT_EQ(settings.portIndex, 0);
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[0],
              std::make_pair(Key("Norvala Oy", "Orvik", "InvPolku"), cwd.dirValue()));
    EXPECT_EQ(store.writes[1], std::make_pair(Key("Norvala Oy", "Orvik", "Datat"), cwd.dirValue()));
}

TEST_F(StartupSettingsTest, FallbackSectionFillsAnEmptyDirectoryOnceAndForAll) {
    store.set("Asiakas", "InvPolku", "\\\\kassa\\inv\\");
    store.set("Orvik", "Datat", "F:\\Data\\");
    store.set("Asiakas", "Datat", "\\\\kassa\\data\\");

    const StartupSettings first = readStartupSettings(store);
    EXPECT_EQ(first.directories.invPolku, "\\\\kassa\\inv\\");
    EXPECT_EQ(first.directories.datat, "F:\\Data\\");
    EXPECT_EQ(store.value("Orvik", "InvPolku"), "\\\\kassa\\inv\\");

    store.set("Asiakas", "InvPolku", "\\\\muutettu\\");
    EXPECT_EQ(readStartupSettings(store).directories.invPolku, "\\\\kassa\\inv\\");
}

TEST_F(StartupSettingsTest, DirectoriesWithoutTheirSeparatorAreCompleted) {
    const std::string bare = cwd.path().string();
    store.set("Orvik", "DatPolku", bare);
    store.set("Orvik", "Datat", bare);
    store.set("Asiakas", "InvPolku", bare);
    const StartupSettings settings = readStartupSettings(store);
    EXPECT_EQ(settings.directories.datPolku, bare + test::separator());
    EXPECT_EQ(settings.directories.datat, bare + test::separator());
    EXPECT_EQ(settings.directories.invPolku, bare + test::separator());
    EXPECT_EQ(store.value("Orvik", "InvPolku"), bare + test::separator());
}

TEST_F(StartupSettingsTest, DirectoriesWhoseFilesLieUnderTheBareValueKeepIt) {
    // A shop whose values have always lacked the separator: its files are
    // "...dataorvik.dat" and "...kassaorvik.inv", where the cash-register
    // system looks for them. The stock directory holds nothing so named.
    for (const char* name : {"data", "kassa", "stock"})
        std::filesystem::create_directory(cwd / name);
    const std::string data = (cwd / "data").string();
    const std::string kassa = (cwd / "kassa").string();
    const std::string stock = (cwd / "stock").string();
    test::writeFile(cwd / "dataorvik.dat", "6410000000017    1\r\n");
    test::writeFile(cwd / "kassaorvik.inv", "");
    store.set("Orvik", "DatPolku", data);
    store.set("Orvik", "InvPolku", kassa);
    store.set("Orvik", "Datat", stock);

    const StartupSettings settings = readStartupSettings(store);

    EXPECT_EQ(settings.directories.datPolku, data);
    EXPECT_EQ(settings.directories.invPolku, kassa);
    EXPECT_EQ(store.value("Orvik", "InvPolku"), kassa);
    EXPECT_EQ(settings.directories.datat, stock + test::separator());
}

TEST(PortEntryIndex, MatchesIgnoringCaseAndElseTakesTheFirst) {
    EXPECT_EQ(portEntryIndex("com3:"), 2);
    EXPECT_EQ(portEntryIndex("COM4:"), 3);
    for (const char* unknown : {"", "Com3", "Com5:", " Com2:"})
        EXPECT_EQ(portEntryIndex(unknown), 0) << unknown;
}

} // namespace
} // namespace orvik
