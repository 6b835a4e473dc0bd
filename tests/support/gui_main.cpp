// Window tests run headless unless told otherwise, with the same 8-point
// sans-serif font the program uses.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "support/tempdir.h"
#include "ui/appfont.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // A private runtime directory of the test's own (made with mode 0700), so
    // Qt neither warns about a missing one nor uses a shared one.
    const orvik::test::TempDir runtimeDir;
    setenv("XDG_RUNTIME_DIR", runtimeDir.path().c_str(), 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    orvik::applyApplicationFont(app);
    return RUN_ALL_TESTS();
}
