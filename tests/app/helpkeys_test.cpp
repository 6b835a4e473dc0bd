#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "app/help.h"
#include "app/ui/frmmain.h"
#include "app/ui/helpkeys.h"
#include "platform/doubles/fakeplatform.h"
#include "platform/qt/qtext.h"
#include "reader/doubles/scriptedreader.h"
#include "review/ui/frmrepo.h"
#include "support/files.h"
#include "support/tempdir.h"
#include "text/codepage.h"
#include "zeroinv/ui/form1.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;

// The program's key filter on the application, with the desktop and the
// message boxes as doubles; the guide lies in the build tree's place.
class HelpKeysTest : public testing::Test {
protected:
    test::TempDir cwd, dat, prefix;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakePlatform fake;
    FakeDesktopLinks links;
    ScriptedReader reader;
    std::unique_ptr<frmMain> window;
    fs::path guide = prefix / "guide" / kGuideFileName;
    HelpKeys* keys = nullptr;

    void SetUp() override {
        fake.settings.set("Orvik", "MyDocuments", "/srv/vorda/");
        fake.settings.set("Orvik", "DatPolku", dat.dirValue());
        fs::create_directories(prefix / "bin");
        fs::create_directories(guide.parent_path());
        test::writeFile(guide, "<html></html>");
        window = std::make_unique<frmMain>(fake.platform, reader, "");
        ASSERT_TRUE(window->Form_Load());
        keys = HelpKeys::installOn(
            *QApplication::instance(), prefix / "bin", links, fake.messages,
            [this] { return aboutFactsOf(*window, "asetukset", prefix / "bin"); });
    }

    void TearDown() override {
        delete keys;
        window.reset();
    }

    static void shown(QWidget& top, QWidget& focus) {
        top.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&top));
        focus.setFocus();
    }
};

TEST_F(HelpKeysTest, F1OpensTheGuideFromTheFocusedControlOfEveryWindow) {
    shown(*window, *window->Text1);
    QTest::keyClick(window->Text1, Qt::Key_F1);
    window->hide();

    frmRepo review(fake.platform, window->directories());
    test::writeFile(dat / "orvik.dat", "");
    review.Show();
    shown(review, *review.ListView1);
    QTest::keyClick(review.ListView1, Qt::Key_F1);
    review.hide();

    Form1 groups(fake.platform);
    shown(groups, *groups.List1);
    QTest::keyClick(groups.List1, Qt::Key_F1);

    ASSERT_EQ(links.opened.size(), 3u);
    for (const fs::path& opened : links.opened)
        EXPECT_EQ(opened, guide.lexically_normal());
    // Another key with F1 is left to the window.
    QTest::keyClick(groups.List1, Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(links.opened.size(), 3u);
}

TEST_F(HelpKeysTest, ShiftF1ShowsOneAboutBoxWithTheDirectoriesTheProgramUsesNow) {
    shown(*window, *window->Text1);
    window->Text1->setText("/srv/toinen/");
    int nested = 0;
    fake.messages.onShow = [&](const ShownMessage&) {
        // Shift+F1 again while the box is up opens no second one.
        if (nested++ == 0)
            QTest::keyClick(window->Text1, Qt::Key_F1, Qt::ShiftModifier);
    };
    QTest::keyClick(window->Text1, Qt::Key_F1, Qt::ShiftModifier);

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const ShownMessage& about = fake.messages.shown[0];
    EXPECT_EQ(about.title, "Tietoja Orvikista");
    EXPECT_EQ(about.icon, MsgIcon::Information);
    EXPECT_EQ(about.buttons, MsgButtons::Ok);
    EXPECT_NE(about.text.find("Vorda -hakemisto: /srv/toinen/"), std::string::npos);
    EXPECT_NE(about.text.find("Dat-hakemisto: " + dat.dirValue()), std::string::npos);
    EXPECT_NE(about.text.find(cpPath(guide.lexically_normal())), std::string::npos);
    EXPECT_NE(about.text.find("Qt " + std::string(qVersion())), std::string::npos);
    EXPECT_TRUE(links.opened.empty());
}

} // namespace
} // namespace orvik
