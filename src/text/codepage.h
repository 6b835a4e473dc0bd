#pragma once
// Texts in the 8-bit code page (Windows-1252). Core texts are std::string
// holding these bytes exactly as the files hold them; Unicode appears only at
// the edges (the window toolkit, file-system paths).
#include <string>
#include <string_view>

namespace orvik::cp1252 {

// The Unicode code point of one byte. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same
// number, so every byte survives a round trip.
char32_t toUnicode(unsigned char byte);

// The byte of a code point; false when the code page has none for it.
bool fromUnicode(char32_t codePoint, unsigned char& byte);

std::string toUtf8(std::string_view bytes);

// Characters outside the code page become `replacement`; invalid UTF-8
// sequences likewise.
std::string fromUtf8(std::string_view utf8, char replacement = '?');

// Upper case as the code page knows it (a-z, and the accented letters).
char toUpper(char byte);
std::string toUpper(std::string_view bytes);

} // namespace orvik::cp1252

namespace orvik::literals {

// A code-page text from a literal written in this source's UTF-8:
// "Tuoteryhmä"_cp holds the byte 0xE4 for the ä.
inline std::string operator""_cp(const char* utf8, std::size_t length) {
    return cp1252::fromUtf8(std::string_view(utf8, length));
}

} // namespace orvik::literals
