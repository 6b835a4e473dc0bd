#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/help.h"
#include "files/dirvalue.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;
using namespace orvik::literals;

// A prefix laid out as installed (bin/, share/orvik/guide/) and as built
// (bin/, guide/), with the program's directory bin/ holding its own guide/.
class GuideLookup : public testing::Test {
protected:
    test::TempDir root;
    fs::path bin = root / "bin";
    fs::path beside = bin / "guide" / kGuideFileName;
    fs::path installed = root / "share" / "orvik" / "guide" / kGuideFileName;
    fs::path built = root / "guide" / kGuideFileName;
    FakeDesktopLinks links;
    FakeMessageBoxes messages;

    void SetUp() override { fs::create_directories(bin); }

    static void place(const fs::path& page) {
        fs::create_directories(page.parent_path());
        test::writeFile(page, "<html></html>");
    }
};

TEST_F(GuideLookup, BesideTheProgramComesFirstThenTheInstalledPrefixThenTheBuildTree) {
    EXPECT_FALSE(findGuide(bin));
    place(built);
    EXPECT_EQ(findGuide(bin), built.lexically_normal());
    place(installed);
    EXPECT_EQ(findGuide(bin), installed.lexically_normal());
    place(beside);
    EXPECT_EQ(findGuide(bin), beside.lexically_normal());
}

TEST_F(GuideLookup, ADirectoryOfTheGuidesNameIsNoGuide) {
    fs::create_directories(beside);
    place(built);
    EXPECT_EQ(findGuide(bin), built.lexically_normal());
}

TEST_F(GuideLookup, TheFoundGuideGoesToTheDesktopAndOnlyAFailureIsTold) {
    place(installed);
    openGuide(bin, links, messages);
    ASSERT_EQ(links.opened.size(), 1u);
    EXPECT_EQ(links.opened[0], installed.lexically_normal());
    EXPECT_TRUE(messages.shown.empty());

    links.opens = false;
    openGuide(bin, links, messages);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_NE(messages.shown[0].text.find(cpPath(installed.lexically_normal())), std::string::npos);
    EXPECT_EQ(messages.shown[0].title, kDefaultMessageTitle);
}

TEST_F(GuideLookup, AGuideNowhereNamesEveryPlaceItWasLookedForWithoutAskingTheDesktop) {
    openGuide(bin, links, messages);
    EXPECT_TRUE(links.opened.empty());
    ASSERT_EQ(messages.shown.size(), 1u);
    const std::string& text = messages.shown[0].text;
    for (const fs::path& place : {beside, installed, built})
        EXPECT_NE(text.find(cpPath(place.lexically_normal())), std::string::npos) << place;
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::Exclamation);
}

TEST(AboutText, NamesTheVersionLicenceEveryDirectoryWithItsFilesAndTheToolkit) {
    AboutFacts facts;
    facts.settingsPlace = "/home/kauppa/.config/Norvala Oy.ini, osio [Orvik]";
    facts.readerDir = "/srv/vorda/";
    facts.directories = {"", "/srv/kassa/data/", "/srv/kassa/inv/"};
    facts.currentDir = "/srv/kauppa/";
    facts.qtVersion = "6.4.2";
    const std::string text = aboutText(facts);

    auto lineAfter = [&text](const std::string& start) {
        const std::size_t at = text.find("\n" + start);
        if (at == std::string::npos)
            return std::string("<none>");
        return text.substr(at + 1, text.find('\n', text.find('\n', at + 1) + 1) - at - 1);
    };
    EXPECT_EQ(text.substr(0, text.find('\n')), "Orvik " ORVIK_TEST_VERSION);
    EXPECT_NE(text.find("Lisenssi: MIT"), std::string::npos);
    EXPECT_NE(text.find("Asetukset: " + facts.settingsPlace), std::string::npos);
    // Each directory with the files that live there; an empty value is the
    // current directory.
    EXPECT_EQ(lineAfter("Vorda"),
              "Vorda -hakemisto: /srv/vorda/\n   lukijaohjelman tiedosto orvik.dat");
    EXPECT_EQ(lineAfter("Dat-"),
              "Dat-hakemisto: nykyinen hakemisto\n   työtiedosto orvik.dat, loki "
              "orvik.log, nollarivit nulli.dat, lista orvik.txt"_cp);
    EXPECT_NE(lineAfter("Dataset").find("/srv/kassa/data/\n   varastotiedostot CASSA.001"),
              std::string::npos);
    EXPECT_EQ(lineAfter("Inv"), "Inv -hakemisto: /srv/kassa/inv/\n   siirtotiedosto orvik.inv");
    EXPECT_NE(lineAfter("Nykyinen").find("/srv/kauppa/\n   tulossa oleva laskenta pnqty.dat"),
              std::string::npos);
    EXPECT_NE(text.find("ei löytynyt"_cp), std::string::npos); // no guide found
    EXPECT_EQ(text.substr(text.rfind('\n') + 1), "Qt 6.4.2");
}

} // namespace
} // namespace orvik
