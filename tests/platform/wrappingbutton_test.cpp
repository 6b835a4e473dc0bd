#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>

#include "ui/twips.h"
#include "ui/wrappingbutton.h"

namespace orvik {
namespace {

// The rows of the button's image (away from its border) in which any pixel
// is dark, grouped into bands of touching rows: one band per line of text.
int textBands(QWidget& button) {
    const QImage image = button.grab().toImage();
    int bands = 0;
    bool inBand = false;
    for (int y = 4; y < image.height() - 4; ++y) {
        bool dark = false;
        for (int x = 4; x < image.width() - 4 && !dark; ++x)
            dark = qGray(image.pixel(x, y)) < 100;
        if (dark && !inBand)
            ++bands;
        inBand = dark;
    }
    return bands;
}

TEST(WrappingButton, LongCaptionWrapsAndShortOneStaysOnOneLine) {
    WrappingButton narrow(QStringLiteral("Vie Ohjelma lukijaan"));
    narrow.resize(twipsSize(1215, 495));
    EXPECT_EQ(textBands(narrow), 2);
    EXPECT_EQ(narrow.text(), QStringLiteral("Vie Ohjelma lukijaan"));

    WrappingButton wide(QStringLiteral("Lopeta"));
    wide.resize(twipsSize(1215, 495));
    EXPECT_EQ(textBands(wide), 1);
}

} // namespace
} // namespace orvik
