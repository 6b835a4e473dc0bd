#pragma once
// Windows icon files (.ico) whose images are PNG data, as the program's own
// icon is made (tools/orvik_ico): read into an icon, and written.
#include <QByteArray>
#include <QIcon>
#include <QImage>
#include <vector>

namespace orvik {

// Every PNG image of the file; an empty icon when it is no such file.
QIcon iconFromIco(const QByteArray& ico);

// An icon file of these square images, each stored as PNG data.
QByteArray icoFromImages(const std::vector<QImage>& images);

} // namespace orvik
