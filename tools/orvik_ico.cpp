// Makes the program's Windows icon from its drawing:
//   orvik_ico data/fi.norvala.Orvik.svg data/orvik.ico
// at the sizes Windows shows (title bars, Start menu, Explorer's views).
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>
#include <vector>

#include "ui/icofile.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvik_ico DRAWING.svg ICON.ico\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QSvgRenderer drawing(QString::fromLocal8Bit(argv[1]));
    if (!drawing.isValid()) {
        std::fprintf(stderr, "orvik_ico: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<QImage> images;
    for (const int size : {16, 24, 32, 48, 64, 256}) {
        QImage image(size, size, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        drawing.render(&painter);
        painter.end();
        images.push_back(image);
    }
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(orvik::icoFromImages(images)) < 0 ||
        !out.commit()) {
        std::fprintf(stderr, "orvik_ico: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
