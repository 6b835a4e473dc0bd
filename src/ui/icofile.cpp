#include "ui/icofile.h"

#include <QBuffer>
#include <QPixmap>

namespace orvik {

namespace {

// The file's header, then one entry of this size per image.
constexpr int kHeaderSize = 6;
constexpr int kEntrySize = 16;

unsigned little(const QByteArray& bytes, qsizetype at, int size) {
    unsigned value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void putLittle(QByteArray& bytes, unsigned value, int size) {
    for (int i = 0; i < size; ++i)
        bytes.append(static_cast<char>((value >> (8 * i)) & 0xff));
}

} // namespace

QIcon iconFromIco(const QByteArray& ico) {
    QIcon icon;
    if (ico.size() < kHeaderSize || little(ico, 0, 2) != 0 || little(ico, 2, 2) != 1)
        return icon;
    const unsigned count = little(ico, 4, 2);
    for (unsigned i = 0; i < count; ++i) {
        const qsizetype entry = kHeaderSize + static_cast<qsizetype>(i) * kEntrySize;
        if (entry + kEntrySize > ico.size())
            break;
        const qsizetype size = little(ico, entry + 8, 4);
        const qsizetype offset = little(ico, entry + 12, 4);
        if (offset > ico.size() || size > ico.size() - offset)
            continue;
        const QImage image = QImage::fromData(ico.mid(offset, size), "PNG");
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QByteArray icoFromImages(const std::vector<QImage>& images) {
    std::vector<QByteArray> pngs;
    for (const QImage& image : images) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        pngs.push_back(png);
    }
    QByteArray ico;
    putLittle(ico, 0, 2);
    putLittle(ico, 1, 2);
    putLittle(ico, static_cast<unsigned>(images.size()), 2);
    unsigned offset = kHeaderSize + kEntrySize * static_cast<unsigned>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0.
        putLittle(ico, static_cast<unsigned>(images[i].width()) & 0xff, 1);
        putLittle(ico, static_cast<unsigned>(images[i].height()) & 0xff, 1);
        putLittle(ico, 0, 2);  // no palette
        putLittle(ico, 1, 2);  // planes
        putLittle(ico, 32, 2); // bits per pixel
        putLittle(ico, static_cast<unsigned>(pngs[i].size()), 4);
        putLittle(ico, offset, 4);
        offset += static_cast<unsigned>(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        ico += png;
    return ico;
}

} // namespace orvik
