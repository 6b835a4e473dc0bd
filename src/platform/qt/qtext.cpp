#include "platform/qt/qtext.h"

#include "text/codepage.h"

namespace orvik {

QString toQString(const std::string& cp1252) {
    QString text;
    text.reserve(static_cast<qsizetype>(cp1252.size()));
    for (unsigned char byte : cp1252)
        text.append(QChar(static_cast<char16_t>(cp1252::toUnicode(byte))));
    return text;
}

std::string fromQString(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return cp1252::fromUtf8(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

} // namespace orvik
