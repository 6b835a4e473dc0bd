#include "ui/appicon.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

namespace orvik {
namespace {

// The drawing reaches the pixels: the board covers the middle, while the
// corners, outside its rounded edge, stay transparent.
TEST(ApplicationIcon, IsTheDrawingAtEverySizeAsked) {
    const QIcon icon = applicationIcon();
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 32, 256}) {
        const QImage image = icon.pixmap(size, size).toImage();
        ASSERT_EQ(image.width(), size);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
    }
}

} // namespace
} // namespace orvik
