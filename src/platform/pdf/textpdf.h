#pragma once
// A PDF of fixed-pitch text lines. The report font goes into the file as a
// subset of the glyphs the lines show, so every reader draws the lines in the
// face they were measured in; a face that can't be embedded (one of
// PostScript outlines, or whose licence forbids it) is named instead, and a
// reader shows it when it has it and a fixed-pitch face of its own in its
// place, at the advance and heights given here. Either way every word starts
// where the layout's advance puts it. Lines are code-page bytes, shown as
// they are and read back from the file as the characters they stand for.
// Plain C++, no toolkit.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/pdf/truetypesubset.h"

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
                             // (of a named font: an embedded one has its own)
    double ascent = 8;       // the font's height above the baseline
    double descent = 2;      // and below it
    // The font's tables, of which the file carries a subset; none, or those
    // of a font that can't be embedded: the font is only named.
    FontTables fontTables;
};

// The whole file: `lines` on pages that begin at the indexes of
// `pageStarts` (ascending, the first 0; at least one page).
std::string textPdf(const TextPdfLayout& layout, const std::vector<std::string>& lines,
                    const std::vector<std::size_t>& pageStarts, const std::string& title);

} // namespace orvik
