#pragma once
// A PDF of fixed-pitch text lines. The font is named, not embedded: a reader
// shows the face named when it has it and a fixed-pitch face of its own in its
// place, at the advance and heights given here, so the characters sit where
// the font the lines were measured in puts them. Lines are code-page bytes:
// the font's Windows encoding shows them as they are. Plain C++, no toolkit.
#include <cstddef>
#include <string>
#include <vector>

namespace orvik {

// Where the lines go on a page; all in points, from the page's top left.
struct TextPdfLayout {
    double pageWidth = 595;
    double pageHeight = 842;
    double left = 0;                  // the text's left edge
    double firstBaseline = 0;         // the first line's baseline
    double lineSpacing = 12;          // from one baseline to the next
    std::string fontName = "Courier"; // letters and digits only
    double fontPoints = 10;
    double advance = 6;      // from one character's position to the next
    double glyphWidth = 600; // a character's width, in thousandths of the font size
    double ascent = 8;       // the font's height above the baseline
    double descent = 2;      // and below it
};

// The whole file: `lines` on pages that begin at the indexes of
// `pageStarts` (ascending, the first 0; at least one page).
std::string textPdf(const TextPdfLayout& layout, const std::vector<std::string>& lines,
                    const std::vector<std::size_t>& pageStarts, const std::string& title);

} // namespace orvik
