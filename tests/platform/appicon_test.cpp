#include "ui/appicon.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#ifndef _WIN32
#include <QPainter>
#include <QSvgRenderer>

#include "ui/icofile.h"
#endif

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

#ifndef _WIN32
QImage drawn(int size) {
    QSvgRenderer drawing(QStringLiteral(":/orvik/orvik.svg"));
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    drawing.render(&painter);
    return image;
}

// The Windows icon file (data/orvik.ico, made by tools/orvik_ico) is the
// drawing as it stands: a changed drawing without a new icon file fails.
TEST(ApplicationIcon, TheWindowsIconFileIsTheDrawing) {
    QFile file(QStringLiteral(":/orvik/orvik.ico"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QIcon icon = iconFromIco(file.readAll());
    for (const int size : {16, 32, 48, 256}) {
        const QImage fromFile =
            icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage expected = drawn(size);
        ASSERT_EQ(fromFile.size(), expected.size()) << size;
        int worst = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QRgb a = fromFile.pixel(x, y), b = expected.pixel(x, y);
                worst =
                    std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
            }
        EXPECT_LE(worst, 2) << size;
    }
}

TEST(ApplicationIcon, AFileWithoutIconsGivesNoIcon) {
    EXPECT_TRUE(iconFromIco(QByteArray("not an icon")).isNull());
    EXPECT_TRUE(iconFromIco(icoFromImages({})).isNull());
}
#endif

} // namespace
} // namespace orvik
