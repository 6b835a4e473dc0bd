#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>

#include "app/settingsform.h"
#include "files/fileops.h"
#include "platform/doubles/fakeplatform.h"
#include "support/files.h"
#include "support/systemsays.h"
#include "support/tempdir.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace literals;
using Key = FakeSettingsStore::Key;

enum : std::size_t { kReader, kStock, kTransfer, kWork };

// Refuses every new file, as a read-only directory does, whoever runs it.
class NoNewFiles : public FileOps {
public:
    int refused = 0;
    int open(const NativePathChar* path, int flags, int mode) override {
        if (flags & O_CREAT) {
            ++refused;
            errno = EACCES;
            return -1;
        }
        return FileOps::open(path, flags, mode);
    }
};

class SettingsFormTest : public testing::Test {
protected:
    test::TempDir cwd, vorda, stock, inv, dat;
    test::ScopedCurrentDir inCwd{cwd.path()};
    FakeSettingsStore store;

    SettingsFormValues allGood() const {
        SettingsFormValues values;
        values.directories = {vorda.dirValue(), stock.dirValue(), inv.dirValue(), dat.dirValue()};
        values.portIndex = 2;
        return values;
    }
};

TEST_F(SettingsFormTest, ShowsWhatStartUpWouldTakeAndWritesNothing) {
    store.set("Orvik", "MyDocuments", "M");
    store.set("Orvik", "DatPolku", "D");
    store.set("Asiakas", "InvPolku", "AI");
    store.set("Orvik", "Datat", "OD");
    store.set("Asiakas", "Datat", "AD");
    store.set("Orvik", "Portti", "com3:");

    SettingsFormValues shown = loadSettingsForm(store);
    EXPECT_EQ(shown.directories, (std::array<std::string, 4>{"M", "OD", "AI", "D"}));
    EXPECT_EQ(shown.portIndex, 2);
    EXPECT_TRUE(store.writes.empty());

    // A first start: nothing stored; start-up would take its current
    // directory, which the dialog's own need not be.
    FakeSettingsStore fresh;
    shown = loadSettingsForm(fresh);
    EXPECT_EQ(shown.directories, (std::array<std::string, 4>{}));
    EXPECT_EQ(shown.portIndex, 0);
}

TEST_F(SettingsFormTest, SavesTheFourDirectoriesAndThePortInTheOwnSectionOnly) {
    const SettingsFormCheck check = checkSettingsForm(allGood());
    ASSERT_TRUE(check.ok()) << check.problem;
    saveSettingsForm(store, check.completed);

    EXPECT_EQ(store.writes, (std::vector<std::pair<Key, std::string>>{
                                {{"Norvala Oy", "Orvik", "MyDocuments"}, vorda.dirValue()},
                                {{"Norvala Oy", "Orvik", "Datat"}, stock.dirValue()},
                                {{"Norvala Oy", "Orvik", "InvPolku"}, inv.dirValue()},
                                {{"Norvala Oy", "Orvik", "DatPolku"}, dat.dirValue()},
                                {{"Norvala Oy", "Orvik", "Portti"}, "Com3:"}}));
    // The probe files are gone again.
    for (const test::TempDir* dir : {&vorda, &stock, &inv, &dat})
        EXPECT_TRUE(test::namesIn(dir->path()).empty());
}

TEST_F(SettingsFormTest, ValuesAreCompletedAsStartUpCompletesThemAndEmptyOnesPass) {
    SettingsFormValues typed = allGood();
    typed.directories[kWork] = dat.path().string();
    typed.directories[kReader] = "";
    // A transfer directory that has always been used as a bare prefix keeps
    // it: the cash-register system looks for the file there.
    std::filesystem::create_directory(inv / "kassa");
    test::writeFile(inv / "kassaorvik.inv", "");
    typed.directories[kTransfer] = (inv / "kassa").string();

    const SettingsFormCheck check = checkSettingsForm(typed);
    ASSERT_TRUE(check.ok()) << check.problem;
    EXPECT_EQ(check.completed.directories[kWork], dat.path().string() + test::separator());
    EXPECT_EQ(check.completed.directories[kReader], "");
    EXPECT_EQ(check.completed.directories[kTransfer], (inv / "kassa").string());
}

TEST_F(SettingsFormTest, AMissingDirectoryOrAFileIsNamedWithItsCaption) {
    SettingsFormValues typed = allGood();
    const std::string missing = (dat / "ei-ole").string();
    typed.directories[kWork] = missing;
    SettingsFormCheck check = checkSettingsForm(typed);
    EXPECT_EQ(check.failedDirectory, static_cast<int>(kWork));
    EXPECT_EQ(check.problem, " Dat-hakemistoa " + missing + " ei ole. ");

    // The first bad one is told: the reader software's directory here.
    test::writeFile(vorda / "tiedosto", "x");
    typed.directories[kReader] = (vorda / "tiedosto").string();
    check = checkSettingsForm(typed);
    EXPECT_EQ(check.failedDirectory, static_cast<int>(kReader));
    EXPECT_EQ(check.problem, " Vorda -hakemistoksi annettu " + (vorda / "tiedosto").string() +
                                 " ei ole hakemisto. ");

    typed.directories[kReader] = (vorda / "tiedosto").string() + test::separator();
    EXPECT_EQ(checkSettingsForm(typed).failedDirectory, static_cast<int>(kReader));
}

TEST_F(SettingsFormTest, ADirectoryTheProgramWritesToMustTakeANewFile) {
    NoNewFiles readOnly;
    SettingsFormCheck check;
    {
        ScopedFileOps scoped(readOnly);
        check = checkSettingsForm(allGood());
    }
    EXPECT_EQ(check.failedDirectory, static_cast<int>(kReader));
    EXPECT_EQ(check.problem, " Vorda -hakemistoon " + vorda.dirValue() + " ei voi kirjoittaa: " +
                                 FileError::fromErrno(EACCES).message() + ". ");

    // The stock files are only read: a read-only stock directory is fine.
    SettingsFormValues typed = allGood();
    typed.directories = {"", stock.dirValue(), "", ""};
    readOnly.refused = 0;
    {
        ScopedFileOps scoped(readOnly);
        check = checkSettingsForm(typed);
    }
    EXPECT_TRUE(check.ok()) << check.problem;
    EXPECT_EQ(readOnly.refused, 0);
}

TEST(ChosenFolderValue, GetsItsSeparatorSinceNamesGoDirectlyBehindIt) {
    test::TempDir dir;
    EXPECT_EQ(chosenFolderValue(dir.path().string()), dir.dirValue());
    EXPECT_EQ(chosenFolderValue(dir.dirValue()), dir.dirValue());
}

} // namespace
} // namespace orvik
