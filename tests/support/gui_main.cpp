// Window tests run headless unless told otherwise, with the same 8-point
// sans-serif font the program uses.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

#include "platform/qt/appfont.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    orvik::applyApplicationFont(app);
    return RUN_ALL_TESTS();
}
