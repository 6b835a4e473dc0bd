#include "common/codepage.h"
#include "platform/qt/qtsettingsstore.h"
#include "support/files.h"
#include "support/tempdir.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace orvik {
namespace {

using namespace orvik::literals;

const std::string kApp = "Norvala Oy";

// Points the user's configuration directory at a fresh directory for the
// test and puts the old value back afterwards.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() : previous_(qgetenv("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(dir_.path().string()));
    }
    ~SettingsTest() override {
        if (previous_.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", previous_);
    }
    std::filesystem::path iniFile() const { return dir_ / "Norvala Oy.ini"; }

    test::TempDir dir_;
    QtSettingsStore store_;

private:
    QByteArray previous_;
};

TEST_F(SettingsTest, WrittenValuesReadBackPerSectionInTheApplicationsIniFile) {
    store_.write(kApp, "Orvik", "InvPolku", "/srv/kassa/inv/");
    store_.write(kApp, "Asiakas", "InvPolku", "/other/");
    EXPECT_EQ(store_.read(kApp, "Orvik", "InvPolku", "d"), "/srv/kassa/inv/");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", "d"), "/other/");
    EXPECT_EQ(store_.read("Toinen", "Orvik", "InvPolku", "none"), "none");
    ASSERT_TRUE(test::exists(iniFile()));
    const std::string ini = test::readFile(iniFile());
    EXPECT_NE(ini.find("[Orvik]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("[Asiakas]"), std::string::npos) << ini;
    EXPECT_NE(ini.find("InvPolku="), std::string::npos) << ini;
}

TEST_F(SettingsTest, MissingFileOrKeyGivesTheDefault) {
    EXPECT_EQ(store_.read(kApp, "Orvik", "Portti", "Com1:"), "Com1:");
    store_.write(kApp, "Orvik", "Datat", "");
    EXPECT_EQ(store_.read(kApp, "Orvik", "Portti", "Com1:"), "Com1:");
    EXPECT_EQ(store_.read(kApp, "Orvik", "Datat", "default"), ""); // stored empty is not missing
}

TEST_F(SettingsTest, CodePageTextsAndBlanksSurviveExactly) {
    const std::string values[] = {"/home/kauppa/Omat tiedostot/Vorda ä/"_cp,
                                  "  reunat  ",
                                  "a,b",
                                  "@alku",
                                  "C:\\kassa\\",
                                  "\x80\x81\xFF",
                                  "\"lainattu\""};
    for (const std::string& value : values) {
        store_.write(kApp, "Orvik", "MyDocuments", value);
        EXPECT_EQ(store_.read(kApp, "Orvik", "MyDocuments", ""), value);
    }
}

TEST_F(SettingsTest, HandWrittenFileAndLaterEditsAreRead) {
    std::filesystem::create_directories(dir_.path());
    test::writeFile(iniFile(), "[Asiakas]\nInvPolku=/srv/kassa/inv/\nDatat=/srv/a,b/\n");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", ""), "/srv/kassa/inv/");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "Datat", ""), "/srv/a,b/");
    EXPECT_EQ(store_.read(kApp, "Orvik", "InvPolku", "none"), "none");
    // Another program of the shop system edits the file meanwhile.
    test::writeFile(iniFile(), "[Asiakas]\nInvPolku=/mnt/uusi/hakemisto/\n");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", ""), "/mnt/uusi/hakemisto/");
}

TEST(SettingsStoreLocation, ExplicitDirectoryHoldsOneFilePerApplication) {
    test::TempDir dir;
    QtSettingsStore store(QString::fromStdString((dir / "sub").string()));
    EXPECT_EQ(store.iniFilePath(kApp).toStdString(), (dir / "sub" / "Norvala Oy.ini").string());
    store.write(kApp, "Orvik", "Portti", "Com3:");
    EXPECT_TRUE(test::exists(dir / "sub" / "Norvala Oy.ini"));
    EXPECT_EQ(QtSettingsStore(QString::fromStdString((dir / "sub").string()))
                  .read(kApp, "Orvik", "Portti", ""),
              "Com3:");
}

} // namespace
} // namespace orvik
