#include "platform/pdf/textpdf.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "text/codepage.h"

namespace orvik {

namespace {

// Fixed objects; each page then has two: its page object and its content.
// An embedded font's file and its map to Unicode come after the pages.
constexpr int kCatalog = 1;
constexpr int kPages = 2;
constexpr int kFont = 3;
constexpr int kInfo = 4;

constexpr int kFontDescriptor = 5;
constexpr int kFirstPage = 6;

int pageObject(std::size_t page) {
    return kFirstPage + static_cast<int>(page) * 2;
}
int contentObject(std::size_t page) {
    return pageObject(page) + 1;
}

// A number as PDF writes it: at most four decimals, no exponent.
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", value);
    std::string out(text);
    out.erase(out.find_last_not_of('0') + 1);
    if (out.back() == '.')
        out.pop_back();
    return out == "-0" ? "0" : out;
}

// Which of the 256 codes a file shows.
using CodeSet = std::array<bool, 256>;

// A PDF string literal of code-page bytes: the delimiters and the escape
// character escaped, control bytes written in octal so no line end inside a
// string is read back differently. The bytes are marked in `shown`.
void appendLiteral(std::string& out, std::string_view bytes, CodeSet& shown) {
    out += '(';
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        shown[byte] = true;
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            char octal[5];
            std::snprintf(octal, sizeof octal, "\\%03o", byte);
            out += octal;
        } else {
            out += c;
        }
    }
    out += ')';
}

// A text string for the document's information: code-page text in UTF-16,
// which every reader shows as it is.
std::string textString(const std::string& bytes) {
    std::string out = "<FEFF";
    for (char c : bytes) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "%04X",
                      static_cast<unsigned>(cp1252::toUnicode(static_cast<unsigned char>(c))));
        out += hex;
    }
    return out + ">";
}

// The report font as the file shows it: each code's glyph (in the font
// file, when embedded) and width, and the width every character takes in a
// word.
struct FontCodes {
    bool embedded = false;
    std::array<std::uint16_t, 256> glyph{};
    std::array<double, 256> width{};
    double pitchWidth = 600;
};

// All in thousandths of the font size; a named font is given the layout's
// width for every character, an embedded one has its own.
FontCodes fontCodes(const TextPdfLayout& layout, const TrueTypeFont& font) {
    FontCodes codes;
    codes.width.fill(layout.glyphWidth);
    codes.pitchWidth = layout.glyphWidth;
    codes.embedded = font.whyNot().empty();
    if (!codes.embedded)
        return codes;
    for (std::size_t code = 0; code < 256; ++code) {
        codes.glyph[code] = font.glyphOf(cp1252::toUnicode(static_cast<unsigned char>(code)));
        codes.width[code] = font.advance(codes.glyph[code]);
    }
    // In a fixed-pitch face a digit's width is every character's, and the
    // characters of a word follow each other at it with no moves between
    // them; in any other face each character is moved on to the layout's
    // advance exactly, as the printer draws it.
    codes.pitchWidth = font.fixedPitch() ? font.advance(font.glyphOf(U'0'))
                                         : 1000 * layout.advance / layout.fontPoints;
    return codes;
}

// The lines of a page as text-showing operators. Each line is one array of
// its words, the blanks between them left out and replaced by moves that put
// every word where the layout's advance puts its first character; the
// characters within a word are the font codes' pitch width apart, so a
// character of another width is followed by a move that makes up the
// difference. The moves repeat from line to line, so each is formatted once.
class PageText {
public:
    PageText(const TextPdfLayout& layout, const FontCodes& codes)
        : layout_(layout), pitchWidth_(codes.pitchWidth) {
        for (std::size_t code = 0; code < 256; ++code)
            if (codes.width[code] != pitchWidth_) {
                catchUp_[code] = number(codes.width[code] - pitchWidth_) + ' ';
                anyCatchUp_ = true;
            }
    }

    // The codes shown so far.
    const CodeSet& shown() const { return shown_; }

    std::string content(const std::vector<std::string>& lines, std::size_t first, std::size_t end) {
        // The first T* moves down onto the first baseline.
        std::string out = "BT\n/F1 " + number(layout_.fontPoints) + " Tf\n" +
                          number(layout_.lineSpacing) + " TL\n" + number(layout_.left) + ' ' +
                          number(layout_.pageHeight - layout_.firstBaseline + layout_.lineSpacing) +
                          " Td\n";
        for (std::size_t i = first; i < end; ++i)
            appendLine(out, lines[i]);
        out += "ET\n";
        return out;
    }

private:
    // Bytes that show nothing but take their place: the blank, the
    // controls and the bytes the code page leaves undefined, as the toolkit
    // draws them.
    static bool showsNothing(unsigned char byte) {
        return byte <= 0x20 || byte == 0x7F || byte == 0x81 || byte == 0x8D || byte == 0x8F ||
               byte == 0x90 || byte == 0x9D;
    }

    // The first place from `from` on where a byte shows something (when
    // `blanks`) or nothing (else); the line's length when there is none.
    static std::size_t skip(std::string_view line, std::size_t from, bool blanks) {
        while (from < line.size() && showsNothing(static_cast<unsigned char>(line[from])) == blanks)
            ++from;
        return from;
    }

    void appendLine(std::string& out, std::string_view line) {
        out += "T*";
        bool opened = false;
        std::size_t column = 0; // where the last word ended, in characters
        std::size_t wordEnd = 0;
        for (std::size_t start = skip(line, 0, true); start < line.size();
             start = skip(line, wordEnd, true)) {
            wordEnd = skip(line, start, false);
            if (!opened) {
                out += " [";
                opened = true;
            }
            // The move from the end of the last word (or the line's start)
            // to this word's first character.
            out += move(start - column, start == 0 || column == 0 ? 0 : lastWordLength_);
            appendWord(out, line.substr(start, wordEnd - start));
            lastWordLength_ = wordEnd - start;
            column = wordEnd;
        }
        out += opened ? "] TJ\n" : "\n";
    }

    // A word's characters, each of a width other than the pitch width
    // followed by its catch-up.
    void appendWord(std::string& out, std::string_view word) {
        if (!anyCatchUp_) {
            appendLiteral(out, word, shown_);
            return;
        }
        std::size_t from = 0;
        for (std::size_t i = 0; i < word.size(); ++i) {
            const std::string& catchUp = catchUp_[static_cast<unsigned char>(word[i])];
            if (catchUp.empty())
                continue;
            appendLiteral(out, word.substr(from, i + 1 - from), shown_);
            out += catchUp;
            from = i + 1;
        }
        if (from < word.size())
            appendLiteral(out, word.substr(from), shown_);
    }

    // The move, as a TJ number, over `columns` characters of which the last
    // `drawn` were shown at the pitch width; empty when there is none.
    const std::string& move(std::size_t columns, std::size_t drawn) {
        if (columns == 0 && drawn == 0)
            return none_;
        const std::uint64_t key = (static_cast<std::uint64_t>(columns) << 32) | drawn;
        auto found = moves_.find(key);
        if (found == moves_.end()) {
            const double atAdvance =
                static_cast<double>(columns + drawn) * layout_.advance / layout_.fontPoints;
            const double shown = static_cast<double>(drawn) * pitchWidth_ / 1000;
            // TJ numbers are thousandths of the font size, positive leftwards.
            found = moves_.emplace(key, number(-1000 * (atAdvance - shown))).first;
        }
        return found->second;
    }

    const TextPdfLayout& layout_;
    double pitchWidth_;
    std::array<std::string, 256> catchUp_{}; // empty for a code of the pitch's width
    bool anyCatchUp_ = false;
    CodeSet shown_{};
    std::size_t lastWordLength_ = 0;
    std::unordered_map<std::uint64_t, std::string> moves_;
    const std::string none_;
};

// Deflated at the fastest level: report text shrinks several times over
// even so, and the file is written while the user waits.
bool deflated(const std::string& plain, std::string& packed) {
    uLongf size = compressBound(static_cast<uLong>(plain.size()));
    packed.resize(size);
    if (compress2(reinterpret_cast<Bytef*>(packed.data()), &size,
                  reinterpret_cast<const Bytef*>(plain.data()), static_cast<uLong>(plain.size()),
                  Z_BEST_SPEED) != Z_OK)
        return false;
    packed.resize(size);
    return true;
}

// A font only named, each character of the width the lines were laid out
// with; the reader finds the glyphs through the Windows encoding.
std::string namedFont(const TextPdfLayout& layout, const FontCodes& codes) {
    std::string widths;
    for (std::size_t code = 32; code <= 255; ++code)
        widths += number(codes.width[code]) + ' ';
    return "<< /Type /Font /Subtype /TrueType /BaseFont /" + layout.fontName +
           " /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [" + widths +
           "] /FontDescriptor " + std::to_string(kFontDescriptor) + " 0 R >>";
}

// Fixed pitch, Latin characters, the layout font's heights; in thousandths
// of the font size.
std::string namedFontDescriptor(const TextPdfLayout& layout) {
    const std::string ascent = number(1000 * layout.ascent / layout.fontPoints);
    const std::string descent = number(-1000 * layout.descent / layout.fontPoints);
    const std::string width = number(layout.glyphWidth);
    return "<< /Type /FontDescriptor /FontName /" + layout.fontName + " /Flags 33 /FontBBox [0 " +
           descent + ' ' + width + ' ' + ascent + "] /ItalicAngle 0 /Ascent " + ascent +
           " /Descent " + descent + " /CapHeight " + ascent + " /StemV 80 >>";
}

// Six capital letters that name a subset before the font's name, taken from
// the glyphs it holds, so that two files' different subsets of one font are
// never taken for each other, and one report always gives the same file.
std::string subsetTag(const std::array<std::uint16_t, 256>& codeGlyphs) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t code = 0; code < 256; ++code)
        for (const std::uint32_t byte :
             {static_cast<std::uint32_t>(code), static_cast<std::uint32_t>(codeGlyphs[code] >> 8),
              static_cast<std::uint32_t>(codeGlyphs[code] & 0xFF)})
            hash = (hash ^ byte) * 16777619u;
    std::string tag;
    for (int letter = 0; letter < 6; ++letter) {
        tag += static_cast<char>('A' + hash % 26);
        hash /= 26;
    }
    return tag;
}

// An embedded subset: a symbolic font, its codes reaching the glyphs through
// the font file's own character map, with the widths of its glyphs and a map
// from the codes to the characters they stand for, which is what a reader of
// the file extracts.
std::string embeddedFont(const std::string& name, const FontCodes& codes, const CodeSet& shown,
                         int toUnicode) {
    std::size_t first = 255;
    std::size_t last = 0;
    for (std::size_t code = 0; code < 256; ++code)
        if (shown[code]) {
            first = std::min(first, code);
            last = code;
        }
    std::string widths;
    for (std::size_t code = first; code <= last; ++code)
        widths += (shown[code] ? number(codes.width[code]) : std::string("0")) + ' ';
    return "<< /Type /Font /Subtype /TrueType /BaseFont /" + name + " /FirstChar " +
           std::to_string(first) + " /LastChar " + std::to_string(last) + " /Widths [" + widths +
           "] /FontDescriptor " + std::to_string(kFontDescriptor) + " 0 R /ToUnicode " +
           std::to_string(toUnicode) + " 0 R >>";
}

std::string embeddedFontDescriptor(const std::string& name, const TextPdfLayout& layout,
                                   const TrueTypeFont& font, int fontFile) {
    const std::string ascent = number(1000 * layout.ascent / layout.fontPoints);
    const std::string descent = number(-1000 * layout.descent / layout.fontPoints);
    std::string box;
    for (double edge : font.box())
        box += number(edge) + ' ';
    box.pop_back();
    // Symbolic (4): the codes are not looked up by character names.
    return "<< /Type /FontDescriptor /FontName /" + name + " /Flags " +
           std::to_string(font.fixedPitch() ? 5 : 4) + " /FontBBox [" + box +
           "] /ItalicAngle 0 /Ascent " + ascent + " /Descent " + descent + " /CapHeight " + ascent +
           " /StemV 80 /FontFile2 " + std::to_string(fontFile) + " 0 R >>";
}

// Each code shown, as the character of the code page it stands for.
std::string toUnicodeMap(const CodeSet& shown) {
    std::vector<std::size_t> codes;
    for (std::size_t code = 0; code < 256; ++code)
        if (shown[code])
            codes.push_back(code);
    std::string out = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
    // At most 100 entries to a block, as the format allows.
    for (std::size_t from = 0; from < codes.size(); from += 100) {
        const std::size_t to = std::min(codes.size(), from + 100);
        out += std::to_string(to - from) + " beginbfchar\n";
        for (std::size_t i = from; i < to; ++i) {
            char entry[16];
            std::snprintf(
                entry, sizeof entry, "<%02zX> <%04X>\n", codes[i],
                static_cast<unsigned>(cp1252::toUnicode(static_cast<unsigned char>(codes[i]))));
            out += entry;
        }
        out += "endbfchar\n";
    }
    return out + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

class PdfBuilder {
public:
    PdfBuilder() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void object(int id, const std::string& body) {
        place(id);
        out_ += std::to_string(id) + " 0 obj\n" + body + "\nendobj\n";
    }

    // Deflated, or as it is in the unlikely case that deflating fails;
    // `entries` go into its dictionary.
    void stream(int id, const std::string& content, const std::string& entries = {}) {
        std::string packed;
        const bool isPacked = deflated(content, packed);
        const std::string& data = isPacked ? packed : content;
        place(id);
        out_ += std::to_string(id) + " 0 obj\n<< /Length " + std::to_string(data.size()) +
                (isPacked ? " /Filter /FlateDecode" : "") + entries + " >>\nstream\n";
        out_ += data;
        out_ += "\nendstream\nendobj\n";
    }

    std::string finish() {
        const std::size_t xref = out_.size();
        out_ += "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
        for (std::size_t id = 1; id < offsets_.size(); ++id) {
            char entry[24];
            std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", offsets_[id]);
            out_ += entry;
        }
        out_ += "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root " +
                std::to_string(kCatalog) + " 0 R /Info " + std::to_string(kInfo) +
                " 0 R >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
        return std::move(out_);
    }

private:
    void place(int id) {
        const auto index = static_cast<std::size_t>(id);
        if (offsets_.size() <= index)
            offsets_.resize(index + 1, 0);
        offsets_[index] = out_.size();
    }

    std::string out_;
    std::vector<std::size_t> offsets_{0};
};

} // namespace

std::string textPdf(const TextPdfLayout& layout, const std::vector<std::string>& lines,
                    const std::vector<std::size_t>& pageStarts, const std::string& title) {
    const TrueTypeFont font(layout.fontTables);
    const FontCodes codes = fontCodes(layout, font);
    PdfBuilder pdf;
    pdf.object(kCatalog, "<< /Type /Catalog /Pages " + std::to_string(kPages) + " 0 R >>");
    std::string kids;
    for (std::size_t page = 0; page < pageStarts.size(); ++page)
        kids += std::to_string(pageObject(page)) + " 0 R ";
    pdf.object(kPages,
               "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageStarts.size()) +
                   " /MediaBox [0 0 " + number(layout.pageWidth) + ' ' + number(layout.pageHeight) +
                   "] /Resources << /Font << /F1 " + std::to_string(kFont) + " 0 R >> >> >>");
    pdf.object(kInfo, "<< /Title " + textString(title) + " >>");
    PageText text(layout, codes);
    for (std::size_t page = 0; page < pageStarts.size(); ++page) {
        const std::size_t end = page + 1 < pageStarts.size() ? pageStarts[page + 1] : lines.size();
        pdf.object(pageObject(page), "<< /Type /Page /Parent " + std::to_string(kPages) +
                                         " 0 R /Contents " + std::to_string(contentObject(page)) +
                                         " 0 R >>");
        pdf.stream(contentObject(page), text.content(lines, pageStarts[page], end));
    }

    // The font once the pages tell which codes they show. Should the font
    // turn out damaged, it is named, with the widths the pages were laid out
    // with.
    const CodeSet& shown = text.shown();
    std::array<std::uint16_t, 256> shownGlyphs{};
    for (std::size_t code = 0; code < 256; ++code)
        if (shown[code])
            shownGlyphs[code] = codes.glyph[code];
    const bool anyShown = std::find(shown.begin(), shown.end(), true) != shown.end();
    const FontSubset subset = codes.embedded && anyShown ? font.subset(shownGlyphs) : FontSubset{};
    if (subset.font.empty()) {
        pdf.object(kFont, namedFont(layout, codes));
        pdf.object(kFontDescriptor, namedFontDescriptor(layout));
    } else {
        const int fontFile = pageObject(pageStarts.size());
        const int toUnicode = fontFile + 1;
        const std::string name = subsetTag(shownGlyphs) + '+' + layout.fontName;
        pdf.object(kFont, embeddedFont(name, codes, shown, toUnicode));
        pdf.object(kFontDescriptor, embeddedFontDescriptor(name, layout, font, fontFile));
        pdf.stream(fontFile, subset.font, " /Length1 " + std::to_string(subset.font.size()));
        pdf.stream(toUnicode, toUnicodeMap(shown));
    }
    return pdf.finish();
}

} // namespace orvik
