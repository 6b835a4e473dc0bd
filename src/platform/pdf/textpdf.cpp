#include "platform/pdf/textpdf.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "common/codepage.h"

namespace orvik {

namespace {

// Fixed objects; each page then has two: its page object and its content.
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

// A PDF string literal of code-page bytes: the delimiters and the escape
// character escaped, control bytes written in octal so no line end inside a
// string is read back differently.
void appendLiteral(std::string& out, std::string_view bytes) {
    out += '(';
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
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

// The lines of a page as text-showing operators. Each line is one array of
// its words, the blanks between them left out and replaced by moves that put
// every word where the layout's advance puts its first character; the
// characters within a word are as wide as the font says. The moves repeat
// from line to line, so each is formatted once.
class PageText {
public:
    explicit PageText(const TextPdfLayout& layout) : layout_(layout) {}

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
            appendLiteral(out, line.substr(start, wordEnd - start));
            lastWordLength_ = wordEnd - start;
            column = wordEnd;
        }
        out += opened ? "] TJ\n" : "\n";
    }

    // The move, as a TJ number, over `columns` characters of which the last
    // `drawn` were shown at the font's width; empty when there is none.
    const std::string& move(std::size_t columns, std::size_t drawn) {
        if (columns == 0 && drawn == 0)
            return none_;
        const std::uint64_t key = (static_cast<std::uint64_t>(columns) << 32) | drawn;
        auto found = moves_.find(key);
        if (found == moves_.end()) {
            const double atAdvance =
                static_cast<double>(columns + drawn) * layout_.advance / layout_.fontPoints;
            const double shown = static_cast<double>(drawn) * layout_.glyphWidth / 1000;
            // TJ numbers are thousandths of the font size, positive leftwards.
            found = moves_.emplace(key, number(-1000 * (atAdvance - shown))).first;
        }
        return found->second;
    }

    const TextPdfLayout& layout_;
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

// The layout's font, every character of the font's width.
std::string fixedPitchFont(const TextPdfLayout& layout) {
    const std::string width = number(layout.glyphWidth) + ' ';
    std::string widths;
    for (int code = 32; code <= 255; ++code)
        widths += width;
    return "<< /Type /Font /Subtype /TrueType /BaseFont /" + layout.fontName +
           " /Encoding /WinAnsiEncoding /FirstChar 32 /LastChar 255 /Widths [" + widths +
           "] /FontDescriptor " + std::to_string(kFontDescriptor) + " 0 R >>";
}

// Fixed pitch, Latin characters, the layout font's heights; in thousandths
// of the font size.
std::string fontDescriptor(const TextPdfLayout& layout) {
    const std::string ascent = number(1000 * layout.ascent / layout.fontPoints);
    const std::string descent = number(-1000 * layout.descent / layout.fontPoints);
    const std::string width = number(layout.glyphWidth);
    return "<< /Type /FontDescriptor /FontName /" + layout.fontName + " /Flags 33 /FontBBox [0 " +
           descent + ' ' + width + ' ' + ascent + "] /ItalicAngle 0 /Ascent " + ascent +
           " /Descent " + descent + " /CapHeight " + ascent + " /StemV 80 >>";
}

class PdfBuilder {
public:
    PdfBuilder() { out_ = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n"; }

    void object(int id, const std::string& body) {
        place(id);
        out_ += std::to_string(id) + " 0 obj\n" + body + "\nendobj\n";
    }

    // Deflated, or as it is in the unlikely case that deflating fails.
    void stream(int id, const std::string& content) {
        std::string packed;
        const bool isPacked = deflated(content, packed);
        const std::string& data = isPacked ? packed : content;
        place(id);
        out_ += std::to_string(id) + " 0 obj\n<< /Length " + std::to_string(data.size()) +
                (isPacked ? " /Filter /FlateDecode" : "") + " >>\nstream\n";
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
    PdfBuilder pdf;
    pdf.object(kCatalog, "<< /Type /Catalog /Pages " + std::to_string(kPages) + " 0 R >>");
    std::string kids;
    for (std::size_t page = 0; page < pageStarts.size(); ++page)
        kids += std::to_string(pageObject(page)) + " 0 R ";
    pdf.object(kPages,
               "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageStarts.size()) +
                   " /MediaBox [0 0 " + number(layout.pageWidth) + ' ' + number(layout.pageHeight) +
                   "] /Resources << /Font << /F1 " + std::to_string(kFont) + " 0 R >> >> >>");
    pdf.object(kFont, fixedPitchFont(layout));
    pdf.object(kFontDescriptor, fontDescriptor(layout));
    pdf.object(kInfo, "<< /Title " + textString(title) + " >>");
    PageText text(layout);
    for (std::size_t page = 0; page < pageStarts.size(); ++page) {
        const std::size_t end = page + 1 < pageStarts.size() ? pageStarts[page + 1] : lines.size();
        pdf.object(pageObject(page), "<< /Type /Page /Parent " + std::to_string(kPages) +
                                         " 0 R /Contents " + std::to_string(contentObject(page)) +
                                         " 0 R >>");
        pdf.stream(contentObject(page), text.content(lines, pageStarts[page], end));
    }
    return pdf.finish();
}

} // namespace orvik
