#pragma once
// The only crossing between core texts (code-page bytes) and Qt's Unicode.
#include <QString>
#include <string>

namespace orvik {

QString toQString(const std::string& cp1252);
std::string fromQString(const QString& text);

} // namespace orvik
