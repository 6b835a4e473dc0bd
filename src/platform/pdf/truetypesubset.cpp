#include "platform/pdf/truetypesubset.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace orvik {

namespace {

// Big-endian numbers as the font holds them; 0 where the table ends early,
// so a damaged table gives wrong numbers, which the callers check, never a
// read past its end.
bool fits(std::string_view data, std::size_t at, std::size_t count) {
    return at <= data.size() && count <= data.size() - at;
}
std::uint16_t u16(std::string_view data, std::size_t at) {
    if (!fits(data, at, 2))
        return 0;
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[at]) << 8 |
                                      static_cast<unsigned char>(data[at + 1]));
}
std::int16_t i16(std::string_view data, std::size_t at) {
    return static_cast<std::int16_t>(u16(data, at));
}
std::uint32_t u32(std::string_view data, std::size_t at) {
    return static_cast<std::uint32_t>(u16(data, at)) << 16 | u16(data, at + 2);
}

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value >> 8 & 0xFF);
    out += static_cast<char>(value & 0xFF);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value >> 16);
    put16(out, value & 0xFFFF);
}
void set16(std::string& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<char>(value >> 8 & 0xFF);
    out[at + 1] = static_cast<char>(value & 0xFF);
}
void set32(std::string& out, std::size_t at, std::uint32_t value) {
    set16(out, at, value >> 16);
    set16(out, at + 2, value & 0xFFFF);
}

void padTo4(std::string& out) {
    while (out.size() % 4 != 0)
        out += '\0';
}

std::uint32_t checksum(std::string_view data) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < data.size(); at += 4) {
        std::uint32_t word = 0;
        for (std::size_t i = 0; i < 4; ++i)
            word =
                word << 8 | (at + i < data.size() ? static_cast<unsigned char>(data[at + i]) : 0);
        sum += word;
    }
    return sum;
}

// The flags of a composite glyph's component.
constexpr std::uint16_t kArgsAreWords = 0x0001;
constexpr std::uint16_t kHasScale = 0x0008;
constexpr std::uint16_t kMoreComponents = 0x0020;
constexpr std::uint16_t kHasXYScale = 0x0040;
constexpr std::uint16_t kHasTwoByTwo = 0x0080;

// Calls `component(at)` with the place of each component's glyph index in a
// composite glyph's description; false when the description ends early. A
// simple glyph (or an empty one) has no components.
template <typename Component> bool forEachComponent(std::string_view glyph, Component&& component) {
    if (glyph.size() < 10 || i16(glyph, 0) >= 0)
        return true;
    std::size_t at = 10;
    for (;;) {
        if (!fits(glyph, at, 4))
            return false;
        const std::uint16_t flags = u16(glyph, at);
        component(at + 2);
        at += 4 + ((flags & kArgsAreWords) ? 4 : 2);
        if (flags & kHasScale)
            at += 2;
        else if (flags & kHasXYScale)
            at += 4;
        else if (flags & kHasTwoByTwo)
            at += 8;
        if (!(flags & kMoreComponents))
            return at <= glyph.size();
    }
}

// The character map of the subset: the codes in use, as single bytes for
// the Macintosh platform and at 0xF000 up for the Windows symbol encoding,
// the two a PDF reader looks a symbolic simple font's codes up in.
std::string byteCharacterMap(const std::array<std::uint16_t, 256>& newGlyphs) {
    int first = 256;
    int last = -1;
    for (int code = 0; code < 256; ++code)
        if (newGlyphs[static_cast<std::size_t>(code)] != 0) {
            first = std::min(first, code);
            last = code;
        }
    const std::uint32_t count = last < 0 ? 0 : static_cast<std::uint32_t>(last - first + 1);
    if (last < 0)
        first = 0;
    std::string glyphIds;
    for (std::uint32_t i = 0; i < count; ++i)
        put16(glyphIds, newGlyphs[first + i]);

    std::string mac; // format 6: a run of codes and their glyphs
    put16(mac, 6);
    put16(mac, 10 + 2 * count);
    put16(mac, 0);
    put16(mac, static_cast<std::uint32_t>(first));
    put16(mac, count);
    mac += glyphIds;

    // Format 4: the run of codes, then the segment that closes every such
    // map. Its glyphs follow the range offsets, 2 * segments bytes on.
    const std::uint32_t segments = count > 0 ? 2 : 1;
    std::string symbol;
    put16(symbol, 4);
    put16(symbol, 16 + 8 * segments + 2 * count);
    put16(symbol, 0);
    put16(symbol, 2 * segments);
    put16(symbol, 2 * segments);          // search range: 2 * the power of two <= segments
    put16(symbol, segments == 2 ? 1 : 0); // its logarithm
    put16(symbol, 0);                     // range shift
    if (count > 0)
        put16(symbol, 0xF000 + static_cast<std::uint32_t>(last));
    put16(symbol, 0xFFFF);
    put16(symbol, 0); // reserved
    if (count > 0)
        put16(symbol, 0xF000 + static_cast<std::uint32_t>(first));
    put16(symbol, 0xFFFF);
    if (count > 0)
        put16(symbol, 0); // delta
    put16(symbol, 1);
    if (count > 0)
        put16(symbol, 2 * segments); // range offset to the glyphs
    put16(symbol, 0);
    symbol += glyphIds;

    std::string map;
    put16(map, 0);
    put16(map, 2);
    put16(map, 1); // Macintosh, Roman
    put16(map, 0);
    put32(map, 20);
    put16(map, 3); // Windows, symbol
    put16(map, 0);
    put32(map, 20 + static_cast<std::uint32_t>(mac.size()));
    return map + mac + symbol;
}

// A font file of the tables: the directory, then each table on a four-byte
// boundary, with the whole file's checksum adjusted in head as the format
// asks.
std::string fontFile(const FontTables& tables) {
    const auto count = static_cast<std::uint32_t>(tables.size());
    std::uint32_t power = 1;
    std::uint32_t log = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log;
    }
    std::string out;
    put32(out, 0x00010000);
    put16(out, count);
    put16(out, power * 16);
    put16(out, log);
    put16(out, count * 16 - power * 16);
    std::size_t offset = 12 + 16 * tables.size();
    std::size_t headAt = 0;
    for (const auto& [tag, data] : tables) {
        out += tag;
        put32(out, checksum(data));
        put32(out, static_cast<std::uint32_t>(offset));
        put32(out, static_cast<std::uint32_t>(data.size()));
        if (tag == "head")
            headAt = offset;
        offset += (data.size() + 3) / 4 * 4;
    }
    for (const auto& entry : tables) {
        out += entry.second;
        padTo4(out);
    }
    set32(out, headAt + 8, 0xB1B0AFBA - checksum(out));
    return out;
}

const std::string kNoTable;

} // namespace

const std::vector<std::string>& trueTypeSubsetTables() {
    // The outlines, their metrics and character map, and what the outlines'
    // instructions use (cvt, fpgm, prep, gasp); OS/2 for the font's
    // licence and for readers that take line metrics from it. The names
    // table is left out: a PDF file names the font itself.
    static const std::vector<std::string> tags{"head", "hhea", "maxp", "hmtx", "loca",
                                               "glyf", "cmap", "post", "OS/2", "cvt ",
                                               "fpgm", "prep", "gasp"};
    return tags;
}

const std::string& TrueTypeFont::table(const char* tag) const {
    const auto found = tables_.find(tag);
    return found == tables_.end() ? kNoTable : found->second;
}

TrueTypeFont::TrueTypeFont(const FontTables& tables) : tables_(tables) {
    // A face of PostScript (CFF) outlines would go in as another kind of font
    // file, and cutting one down takes a parser of its charstrings and their
    // subroutines; no face a shop's machine offers for fixed-pitch text needs
    // that, so such a face is only named, as a face that can't be embedded at
    // all is, and the reader shows it in a face of its own.
    if (table("glyf").empty()) {
        whyNot_ = "the font has no TrueType outlines";
        return;
    }
    const std::string& head = table("head");
    const std::string& hhea = table("hhea");
    const std::string& maxp = table("maxp");
    if (head.size() < 54 || hhea.size() < 36 || maxp.size() < 6) {
        whyNot_ = "the font's head, hhea or maxp table is missing or short";
        return;
    }
    // The licence bits: a font its maker lets no one embed, or embed only as
    // bitmaps, or embed only whole, is not put in the file.
    const std::string& os2 = table("OS/2");
    const std::uint16_t fsType = os2.size() >= 10 ? u16(os2, 8) : 0;
    if ((fsType & 0x000E) == 0x0002 || (fsType & 0x0200)) {
        whyNot_ = "the font's licence does not allow embedding it";
        return;
    }
    if (fsType & 0x0100) {
        whyNot_ = "the font's licence does not allow embedding a subset of it";
        return;
    }
    unitsPerEm_ = u16(head, 18);
    longOffsets_ = i16(head, 50) == 1;
    glyphCount_ = u16(maxp, 4);
    metricsCount_ = u16(hhea, 34);
    if (unitsPerEm_ < 16 || glyphCount_ == 0 || metricsCount_ == 0 || metricsCount_ > glyphCount_ ||
        table("hmtx").size() < 4u * metricsCount_ ||
        table("loca").size() < (longOffsets_ ? 4u : 2u) * (glyphCount_ + 1u)) {
        whyNot_ = "the font's glyph count, metrics or glyph index do not agree";
        return;
    }
    // The Unicode map: the full one (format 12) before the one of the basic
    // plane (format 4), Windows' before the others.
    const std::string& cmap = table("cmap");
    int best = 0;
    for (std::size_t i = 0, count = u16(cmap, 2); i < count; ++i) {
        const std::size_t record = 4 + 8 * i;
        const std::uint16_t platform = u16(cmap, record);
        const std::uint16_t encoding = u16(cmap, record + 2);
        const std::size_t at = u32(cmap, record + 4);
        const std::uint16_t format = u16(cmap, at);
        const bool unicode = platform == 0 || (platform == 3 && (encoding == 1 || encoding == 10));
        int rank = 0;
        if (unicode && format == 12 && fits(cmap, at, 16) && fits(cmap, at, u32(cmap, at + 4)))
            rank = platform == 3 ? 4 : 3;
        else if (unicode && format == 4 && fits(cmap, at, 14) && fits(cmap, at, u16(cmap, at + 2)))
            rank = platform == 3 ? 2 : 1;
        if (rank > best) {
            best = rank;
            cmapOffset_ = at;
        }
    }
    if (best == 0)
        whyNot_ = "the font has no Unicode character map";
}

std::uint16_t TrueTypeFont::glyphOf(char32_t character) const {
    if (!whyNot_.empty())
        return 0;
    std::string_view map = std::string_view(table("cmap")).substr(cmapOffset_);
    std::uint32_t glyph = 0;
    if (u16(map, 0) == 12) {
        map = map.substr(0, u32(map, 4));
        for (std::size_t i = 0, count = u32(map, 12); i < count; ++i) {
            const std::size_t group = 16 + 12 * i;
            if (!fits(map, group, 12))
                break;
            const std::uint32_t start = u32(map, group);
            if (character >= start && character <= u32(map, group + 4)) {
                glyph = u32(map, group + 8) + (character - start);
                break;
            }
        }
    } else if (character <= 0xFFFF) {
        map = map.substr(0, u16(map, 2));
        const std::size_t segments = u16(map, 6) / 2;
        const std::size_t ends = 14;
        const std::size_t starts = ends + 2 * segments + 2;
        const std::size_t deltas = starts + 2 * segments;
        const std::size_t offsets = deltas + 2 * segments;
        for (std::size_t i = 0; i < segments; ++i) {
            if (character > u16(map, ends + 2 * i))
                continue;
            const std::uint16_t start = u16(map, starts + 2 * i);
            if (character < start)
                break;
            const std::uint16_t delta = u16(map, deltas + 2 * i);
            const std::uint16_t offset = u16(map, offsets + 2 * i);
            if (offset == 0) {
                glyph = (character + delta) & 0xFFFF;
            } else {
                const std::size_t at = offsets + 2 * i + offset + 2 * (character - start);
                glyph = fits(map, at, 2) ? u16(map, at) : 0;
                if (glyph != 0)
                    glyph = (glyph + delta) & 0xFFFF;
            }
            break;
        }
    }
    return glyph < glyphCount_ ? static_cast<std::uint16_t>(glyph) : 0;
}

double TrueTypeFont::advance(std::uint16_t glyph) const {
    if (!whyNot_.empty())
        return 0;
    const std::size_t metric = std::min<std::size_t>(glyph, metricsCount_ - 1u);
    return std::round(u16(table("hmtx"), 4 * metric) * 1e7 / unitsPerEm_) / 1e4;
}

std::array<double, 4> TrueTypeFont::box() const {
    const std::string& head = table("head");
    std::array<double, 4> box{};
    for (std::size_t i = 0; i < 4; ++i)
        box[i] = std::round(i16(head, 36 + 2 * i) * 1000.0 / unitsPerEm_);
    return box;
}

bool TrueTypeFont::fixedPitch() const {
    return u32(table("post"), 12) != 0;
}

bool TrueTypeFont::glyphSpan(std::uint16_t glyph, std::size_t& begin, std::size_t& end) const {
    const std::string& loca = table("loca");
    if (longOffsets_) {
        begin = u32(loca, 4u * glyph);
        end = u32(loca, 4u * glyph + 4);
    } else {
        begin = 2u * u16(loca, 2u * glyph);
        end = 2u * u16(loca, 2u * glyph + 2);
    }
    return begin <= end && end <= table("glyf").size();
}

FontSubset TrueTypeFont::subset(const std::array<std::uint16_t, 256>& codeGlyphs) const {
    FontSubset out;
    if (!whyNot_.empty()) {
        out.whyNot = whyNot_;
        return out;
    }
    const std::string_view glyf = table("glyf");

    // Glyph 0 and the glyphs of the codes, then what composites among them
    // are built of, and so on down.
    std::vector<bool> kept(glyphCount_, false);
    std::vector<std::uint16_t> toVisit{0};
    kept[0] = true;
    for (std::uint16_t glyph : codeGlyphs)
        if (glyph < glyphCount_ && !kept[glyph]) {
            kept[glyph] = true;
            toVisit.push_back(glyph);
        }
    while (!toVisit.empty()) {
        const std::uint16_t glyph = toVisit.back();
        toVisit.pop_back();
        std::size_t begin = 0;
        std::size_t end = 0;
        bool componentsKnown = true;
        const bool whole = glyphSpan(glyph, begin, end) &&
                           forEachComponent(glyf.substr(begin, end - begin), [&](std::size_t at) {
                               const std::uint16_t component = u16(glyf, begin + at);
                               if (component >= glyphCount_) {
                                   componentsKnown = false;
                               } else if (!kept[component]) {
                                   kept[component] = true;
                                   toVisit.push_back(component);
                               }
                           });
        if (!whole || !componentsKnown) {
            out.whyNot = "glyph " + std::to_string(glyph) + " of the font is damaged";
            return out;
        }
    }

    // The kept glyphs in their old order, so glyph 0 stays glyph 0.
    std::vector<std::uint16_t> newGlyph(glyphCount_, 0);
    for (std::size_t glyph = 0; glyph < glyphCount_; ++glyph)
        if (kept[glyph]) {
            newGlyph[glyph] = static_cast<std::uint16_t>(out.glyphs.size());
            out.glyphs.push_back(static_cast<std::uint16_t>(glyph));
        }
    const auto count = static_cast<std::uint32_t>(out.glyphs.size());

    // The outlines, a composite's components renumbered, each on a
    // four-byte boundary, indexed by long offsets; a glyph's advance and
    // left side bearing each.
    const std::string_view hmtx = table("hmtx");
    std::string glyphs;
    std::string index;
    std::string metrics;
    for (std::uint16_t glyph : out.glyphs) {
        put32(index, static_cast<std::uint32_t>(glyphs.size()));
        std::size_t begin = 0;
        std::size_t end = 0;
        glyphSpan(glyph, begin, end);
        const std::size_t at = glyphs.size();
        glyphs.append(glyf.substr(begin, end - begin));
        forEachComponent(glyf.substr(begin, end - begin), [&](std::size_t component) {
            set16(glyphs, at + component, newGlyph[u16(glyf, begin + component)]);
        });
        padTo4(glyphs);
        const std::size_t metric = std::min<std::size_t>(glyph, metricsCount_ - 1u);
        put16(metrics, u16(hmtx, 4 * metric));
        put16(metrics, static_cast<std::uint16_t>(
                           glyph < metricsCount_
                               ? i16(hmtx, 4u * glyph + 2)
                               : i16(hmtx, 4u * metricsCount_ + 2u * (glyph - metricsCount_))));
    }
    put32(index, static_cast<std::uint32_t>(glyphs.size()));

    FontTables tables;
    for (const char* tag : {"OS/2", "cvt ", "fpgm", "prep", "gasp"})
        if (!table(tag).empty())
            tables[tag] = table(tag);
    tables["glyf"] = std::move(glyphs);
    tables["loca"] = std::move(index);
    tables["hmtx"] = std::move(metrics);
    std::string head = table("head");
    set32(head, 8, 0);  // the file's checksum adjustment, set when it is whole
    set16(head, 50, 1); // long offsets
    tables["head"] = std::move(head);
    std::string hhea = table("hhea");
    set16(hhea, 34, count);
    tables["hhea"] = std::move(hhea);
    std::string maxp = table("maxp");
    set16(maxp, 4, count);
    tables["maxp"] = std::move(maxp);
    // Without glyph names (version 3): the file's codes reach the glyphs
    // through the character map.
    std::string post = table("post");
    post.resize(32, '\0');
    set32(post, 0, 0x00030000);
    tables["post"] = std::move(post);
    std::array<std::uint16_t, 256> codes{};
    for (std::size_t code = 0; code < codes.size(); ++code)
        if (codeGlyphs[code] < glyphCount_)
            codes[code] = newGlyph[codeGlyphs[code]];
    tables["cmap"] = byteCharacterMap(codes);
    out.font = fontFile(tables);
    return out;
}

} // namespace orvik
