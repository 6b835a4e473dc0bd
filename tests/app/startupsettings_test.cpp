#include <gtest/gtest.h>

#include "app/startupsettings.h"
#include "platform/doubles/fakeplatform.h"
#include "support/tempdir.h"

namespace orvik {
namespace {

class StartupSettingsTest : public testing::Test {
protected:
    test::TempDir cwd;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeSettingsStore store;
};

TEST_F(StartupSettingsTest, FirstStartUsesDefaultsAndRecordsTheCurrentDirectory) {
    const StartupSettings settings = readStartupSettings(store);

    const std::string here = currentDirWithSeparator();
    EXPECT_EQ(here, cwd.dirValue());
    EXPECT_EQ(settings.readerDir, "");
    EXPECT_EQ(settings.directories.datPolku, "");
    EXPECT_EQ(settings.directories.invPolku, here);
    EXPECT_EQ(settings.directories.datat, here);
    EXPECT_EQ(settings.portIndex, 0);
    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[0].first, FakeSettingsStore::Key("Norvala Oy", "Orvik", "InvPolku"));
    EXPECT_EQ(store.writes[1].first, FakeSettingsStore::Key("Norvala Oy", "Orvik", "Datat"));
    EXPECT_EQ(store.value("Orvik", "InvPolku"), here);
    EXPECT_EQ(store.value("Orvik", "Datat"), here);
    EXPECT_EQ(store.value("Orvik", "MyDocuments"), "<absent>");
}

TEST_F(StartupSettingsTest, OwnValuesAreShownAsStored) {
    store.set("Orvik", "MyDocuments", "C:\\Vorda\\");
    store.set("Orvik", "DatPolku", "D:\\Dat\\");
    store.set("Orvik", "InvPolku", "E:\\Inv\\");
    store.set("Orvik", "Datat", "F:\\Data\\");
    store.set("Asiakas", "Datat", "ignored\\");

    const StartupSettings settings = readStartupSettings(store);

    EXPECT_EQ(settings.readerDir, "C:\\Vorda\\");
    EXPECT_EQ(settings.directories.datPolku, "D:\\Dat\\");
    EXPECT_EQ(settings.directories.invPolku, "E:\\Inv\\");
    EXPECT_EQ(settings.directories.datat, "F:\\Data\\");
}

TEST_F(StartupSettingsTest, FallbackSectionFillsAnEmptyDirectoryOnceAndForAll) {
    store.set("Asiakas", "InvPolku", "\\\\kassa\\inv\\");
    store.set("Orvik", "Datat", "");
    store.set("Asiakas", "Datat", "\\\\kassa\\data\\");

    const StartupSettings first = readStartupSettings(store);
    EXPECT_EQ(first.directories.invPolku, "\\\\kassa\\inv\\");
    EXPECT_EQ(first.directories.datat, "\\\\kassa\\data\\");
    EXPECT_EQ(store.value("Orvik", "InvPolku"), "\\\\kassa\\inv\\");

    store.set("Asiakas", "InvPolku", "\\\\muutettu\\");
    EXPECT_EQ(readStartupSettings(store).directories.invPolku, "\\\\kassa\\inv\\");
    EXPECT_EQ(store.value("Asiakas", "InvPolku"), "\\\\muutettu\\")
        << "the fallback section is never written";
}

TEST_F(StartupSettingsTest, SavedPortIsFoundWhateverItsCase) {
    store.set("Orvik", "Portti", "com3:");
    EXPECT_EQ(readStartupSettings(store).portIndex, 2);

    EXPECT_EQ(portEntryIndex("COM4:"), 3);
    EXPECT_EQ(portEntryIndex("Com2:"), 1);
    // Anything else falls back to the first entry.
    EXPECT_EQ(portEntryIndex(""), 0);
    EXPECT_EQ(portEntryIndex("Com3"), 0);
    EXPECT_EQ(portEntryIndex("Com5:"), 0);
    EXPECT_EQ(portEntryIndex(" Com3:"), 0);
}

TEST_F(StartupSettingsTest, EditableSettingsAreSavedReaderDirectoryFirst) {
    saveEditableSettings(store, "C:\\Vorda\\", "D:\\Dat\\");

    ASSERT_EQ(store.writes.size(), 2u);
    EXPECT_EQ(store.writes[0].first, FakeSettingsStore::Key("Norvala Oy", "Orvik", "MyDocuments"));
    EXPECT_EQ(store.writes[0].second, "C:\\Vorda\\");
    EXPECT_EQ(store.writes[1].first, FakeSettingsStore::Key("Norvala Oy", "Orvik", "DatPolku"));
    EXPECT_EQ(store.writes[1].second, "D:\\Dat\\");
}

} // namespace
} // namespace orvik
