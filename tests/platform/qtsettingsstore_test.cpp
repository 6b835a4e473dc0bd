#include "platform/qt/qtsettingsstore.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

#include <QByteArray>
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

namespace orvik {
namespace {

using namespace orvik::literals;

#ifdef _WIN32
// The registry is the user's own: the tests keep to a key of their own.
const std::string kApp = "Norvala Oy testi";
const wchar_t* const kAppKey = L"Software\\VB and VBA Program Settings\\Norvala Oy testi";

// The key's value as another program of the shop sees it; "missing" when
// there is no such string value.
std::wstring registryValue(const wchar_t* section, const wchar_t* name) {
    const std::wstring key = std::wstring(kAppKey) + L"\\" + section;
    wchar_t value[512] = {};
    DWORD bytes = sizeof value;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &bytes) !=
        ERROR_SUCCESS)
        return L"missing";
    return value;
}

void setRegistryValue(const wchar_t* section, const wchar_t* name, const std::wstring& value) {
    const std::wstring key = std::wstring(kAppKey) + L"\\" + section;
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
}

// The test's key, removed before and after each test.
class SettingsTest : public ::testing::Test {
protected:
    SettingsTest() { RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }
    ~SettingsTest() override { RegDeleteTreeW(HKEY_CURRENT_USER, kAppKey); }

    QtSettingsStore store_;
};

TEST_F(SettingsTest, WrittenValuesStandInTheRegistryPerSectionAsWritten) {
    store_.write(kApp, "Orvik", "InvPolku", "C:\\kassa\\inv\\");
    store_.write(kApp, "Asiakas", "InvPolku", "@muu");
    EXPECT_EQ(store_.read(kApp, "Orvik", "InvPolku", "d"), "C:\\kassa\\inv\\");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", "d"), "@muu");
    EXPECT_EQ(store_.read("Toinen testi", "Orvik", "InvPolku", "none"), "none");
    EXPECT_EQ(registryValue(L"Orvik", L"InvPolku"), L"C:\\kassa\\inv\\");
    EXPECT_EQ(registryValue(L"Asiakas", L"InvPolku"), L"@muu");
}

// A shop's existing values, written by its other programs, are read as they
// stand, and edits made meanwhile are seen.
TEST_F(SettingsTest, ValuesOtherProgramsWroteAreReadAsTheyStand) {
    setRegistryValue(L"Asiakas", L"InvPolku", L"C:\\Kassa\\Siirrot ä\\");
    setRegistryValue(L"Orvik", L"Portti", L"@@Com2:,x");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", ""), "C:\\Kassa\\Siirrot ä\\"_cp);
    EXPECT_EQ(store_.read(kApp, "Orvik", "Portti", ""), "@@Com2:,x");
    setRegistryValue(L"Asiakas", L"InvPolku", L"D:\\uusi\\");
    EXPECT_EQ(store_.read(kApp, "Asiakas", "InvPolku", ""), "D:\\uusi\\");
}
#else
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
#endif

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

#ifndef _WIN32
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
#endif

} // namespace
} // namespace orvik
