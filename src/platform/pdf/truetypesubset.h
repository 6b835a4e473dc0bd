#pragma once
// A TrueType font cut down to the glyphs a document shows, to be embedded in
// a PDF file as a simple font: glyph 0, the glyphs the document's codes stand
// for and the glyphs those are built of, numbered anew, in a font file of its
// own whose character map takes each code byte straight to its glyph. Plain
// C++, no toolkit: the tables come from whoever holds the font.
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace orvik {

// A font's tables by their four-character tags ("glyf", "cvt "), each as the
// font holds it; a table the font lacks is absent or empty.
using FontTables = std::map<std::string, std::string>;

// Every table a subset is made from, which is all a caller need fetch.
const std::vector<std::string>& trueTypeSubsetTables();

// The font cut down; `font` is empty when no subset could be made, and
// `whyNot` then says why.
struct FontSubset {
    std::string font;
    std::string whyNot;
    std::vector<std::uint16_t> glyphs; // the original glyph of each new one
};

class TrueTypeFont {
public:
    // Reads `tables`, which must outlive it.
    explicit TrueTypeFont(const FontTables& tables);

    // Why the font can't be embedded, or empty when it can.
    const std::string& whyNot() const { return whyNot_; }

    // The glyph of a Unicode character; 0, the font's missing glyph, when the
    // font has none.
    std::uint16_t glyphOf(char32_t character) const;
    // A glyph's advance in thousandths of the em, to four decimals as a PDF
    // file writes it.
    double advance(std::uint16_t glyph) const;
    // The box around every glyph (left, bottom, right, top), in thousandths
    // of the em.
    std::array<double, 4> box() const;
    // The font says its glyphs are all one width.
    bool fixedPitch() const;

    // The subset whose character map takes byte `code` to the glyph
    // `codeGlyphs[code]` (0 for a code that is not used).
    FontSubset subset(const std::array<std::uint16_t, 256>& codeGlyphs) const;

private:
    const std::string& table(const char* tag) const;
    // Where a glyph's description lies in the glyf table; false when the
    // index table is damaged there.
    bool glyphSpan(std::uint16_t glyph, std::size_t& begin, std::size_t& end) const;

    const FontTables& tables_;
    std::string whyNot_;
    std::uint16_t glyphCount_ = 0;
    std::uint16_t metricsCount_ = 0; // glyphs with an advance of their own
    std::uint16_t unitsPerEm_ = 1000;
    bool longOffsets_ = false;
    std::size_t cmapOffset_ = 0; // the Unicode subtable in the cmap table
};

} // namespace orvik
