// The TrueType subset the report PDF carries, on a small font made here whose
// every glyph is known: which glyphs go in, how they are numbered and
// indexed, and that the result reads back as a font file should.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/pdf/truetypesubset.h"

namespace orvik::test {
namespace {

std::string be16(std::uint32_t value) {
    return {static_cast<char>(value >> 8 & 0xFF), static_cast<char>(value & 0xFF)};
}
std::string be32(std::uint32_t value) {
    return be16(value >> 16) + be16(value & 0xFFFF);
}
std::uint32_t read16(const std::string& data, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(data.at(at)) << 8 |
                                      static_cast<unsigned char>(data.at(at + 1)));
}
std::uint32_t read32(const std::string& data, std::size_t at) {
    return read16(data, at) << 16 | read16(data, at + 2);
}

// A glyph of one point at (x, y): two of them differ in their bytes.
std::string simpleGlyph(int x, int y) {
    return be16(1) + be16(0) + be16(0) + be16(100) + be16(100) + be16(0) + be16(0) +
           std::string{0x37, static_cast<char>(x), static_cast<char>(y)} + std::string(1, '\0');
}

struct Component {
    std::uint16_t glyph;
    std::uint16_t flags; // besides "more components"
};

// A composite of `parts`, each with the arguments and transform its flags
// call for.
std::string compositeGlyph(const std::vector<Component>& parts) {
    std::string out = be16(0xFFFF) + be16(0) + be16(0) + be16(100) + be16(100);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::uint16_t flags = parts[i].flags | (i + 1 < parts.size() ? 0x0020 : 0);
        out += be16(flags) + be16(parts[i].glyph);
        out += (flags & 0x0001) ? be32(0x00050006) : be16(0x0506);
        if (flags & 0x0008)
            out += be16(0x4000);
        else if (flags & 0x0040)
            out += be32(0x40004000);
        else if (flags & 0x0080)
            out += be32(0x40000000) + be32(0x00004000);
    }
    return out;
}

// A Unicode map of format 4 with one segment per character, by offsets into
// the glyph array, and the closing segment.
std::string format4Map(const std::map<char32_t, std::uint16_t>& glyphs) {
    const auto segments = static_cast<std::uint32_t>(glyphs.size() + 1);
    std::string ends, starts, deltas, offsets, array;
    std::uint32_t index = 0;
    for (const auto& [character, glyph] : glyphs) {
        ends += be16(character);
        starts += be16(character);
        deltas += be16(0);
        offsets += be16(2 * segments); // from here to the glyph array's `index`th glyph
        array += be16(glyph);
        ++index;
    }
    ends += be16(0xFFFF);
    starts += be16(0xFFFF);
    deltas += be16(1);
    offsets += be16(0);
    const std::string body = be16(2 * segments) + be16(0) + be16(0) + be16(0) + ends + be16(0) +
                             starts + deltas + offsets + array;
    const std::string table =
        be16(4) + be16(static_cast<std::uint32_t>(body.size() + 6)) + be16(0) + body;
    return be16(0) + be16(1) + be16(3) + be16(1) + be32(12) + table;
}

std::string format12Map(const std::map<char32_t, std::uint16_t>& glyphs) {
    std::string groups;
    for (const auto& [character, glyph] : glyphs)
        groups += be32(character) + be32(character) + be32(glyph);
    const std::string table = be16(12) + be16(0) + be32(16 + 12 * glyphs.size()) + be32(0) +
                              be32(static_cast<std::uint32_t>(glyphs.size())) + groups;
    return be16(0) + be16(1) + be16(3) + be16(10) + be32(12) + table;
}

// Glyph 0; A; an acute; Á of A and the acute; B; the blank (no outline);
// Å of Á and a ring; the ring (no character of its own); C. The last two
// share the advance of the last metric and have side bearings of their own.
struct TestFont {
    std::vector<std::string> glyphs{
        simpleGlyph(1, 1),
        simpleGlyph(2, 2),
        simpleGlyph(3, 3),
        compositeGlyph({{1, 0x0001 | 0x0002}, {2, 0x0002 | 0x0008}}),
        simpleGlyph(4, 4),
        std::string(),
        compositeGlyph({{3, 0x0002}, {7, 0x0002 | 0x0080}}),
        simpleGlyph(7, 7),
        simpleGlyph(8, 8),
    };
    std::vector<std::uint16_t> advances{500, 600, 0, 600, 610, 300, 620};
    std::vector<std::int16_t> bearings{10, 11, 12, 13, 14, 15, 16, -17, 18};
    std::map<char32_t, std::uint16_t> characters{{U'A', 1}, {U'B', 4}, {U'C', 8},
                                                 {U' ', 5}, {U'Á', 3}, {U'Å', 6}};
    bool format12 = false;
    std::uint16_t fsType = 0;

    FontTables tables() const {
        FontTables out;
        std::string glyf;
        std::string loca;
        for (const std::string& glyph : glyphs) {
            loca += be16(static_cast<std::uint32_t>(glyf.size() / 2));
            glyf += glyph;
            if (glyf.size() % 2)
                glyf += '\0';
        }
        loca += be16(static_cast<std::uint32_t>(glyf.size() / 2));
        std::string hmtx;
        for (std::size_t i = 0; i < glyphs.size(); ++i) {
            if (i < advances.size())
                hmtx += be16(advances[i]);
            hmtx += be16(static_cast<std::uint16_t>(bearings[i]));
        }
        const auto count = static_cast<std::uint32_t>(glyphs.size());
        out["glyf"] = glyf;
        out["loca"] = loca;
        out["hmtx"] = hmtx;
        out["head"] = be32(0x00010000) + be32(0x00010000) + be32(0) + be32(0x5F0F3CF5) + be16(0) +
                      be16(2000) + std::string(16, '\0') + be16(0xFFF6) + be16(0xFF38) +
                      be16(1200) + be16(1800) + be16(0) + be16(8) + be16(2) + be16(0) + be16(0);
        out["hhea"] = be32(0x00010000) + std::string(30, '\x01') +
                      be16(static_cast<std::uint32_t>(advances.size()));
        out["maxp"] = be32(0x00010000) + be16(count) + std::string(26, '\x02');
        out["post"] = be32(0x00020000) + be32(0) + be16(0) + be16(0) + be32(1) +
                      std::string(16, '\0') + be16(0) + "extra glyph names";
        out["OS/2"] =
            be16(4) + be16(0) + be16(400) + be16(5) + be16(fsType) + std::string(86, '\x03');
        out["prep"] = "hinting program";
        out["cmap"] = format12 ? format12Map(characters) : format4Map(characters);
        return out;
    }
};

// A font file read back: its tables, and whether every checksum is right.
struct FontFile {
    std::map<std::string, std::string> tables;
    bool checksumsRight = true;
};

std::uint32_t sum(const std::string& data) {
    std::uint32_t total = 0;
    std::string padded = data;
    padded.resize((data.size() + 3) / 4 * 4, '\0');
    for (std::size_t at = 0; at < padded.size(); at += 4)
        total += read32(padded, at);
    return total;
}

FontFile readFontFile(const std::string& file) {
    FontFile out;
    const std::uint32_t count = read16(file, 4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t record = 12 + 16 * i;
        const std::string tag = file.substr(record, 4);
        std::string data = file.substr(read32(file, record + 8), read32(file, record + 12));
        std::string summed = data;
        if (tag == "head")
            summed.replace(8, 4, std::string(4, '\0'));
        if (read32(file, record + 8) % 4 != 0 || sum(summed) != read32(file, record + 4))
            out.checksumsRight = false;
        out.tables[tag] = data;
    }
    if (sum(file) != 0xB1B0AFBA)
        out.checksumsRight = false;
    return out;
}

// The glyph a Windows symbol map (format 4) gives a code.
std::uint32_t symbolGlyph(const std::string& map, std::uint32_t code) {
    const std::size_t segments = read16(map, 6) / 2;
    for (std::size_t i = 0; i < segments; ++i) {
        const std::uint32_t start = read16(map, 16 + 2 * segments + 2 * i);
        if (code < start || code > read16(map, 14 + 2 * i))
            continue;
        const std::size_t offsetAt = 16 + 6 * segments + 2 * i;
        const std::uint32_t offset = read16(map, offsetAt);
        const std::uint32_t delta = read16(map, 16 + 4 * segments + 2 * i);
        if (offset == 0)
            return (code + delta) & 0xFFFF;
        return read16(map, offsetAt + offset + 2 * (code - start));
    }
    return 0;
}

std::array<std::uint16_t, 256> codesFor(const TrueTypeFont& font,
                                        const std::map<unsigned char, char32_t>& codes) {
    std::array<std::uint16_t, 256> glyphs{};
    for (const auto& [code, character] : codes)
        glyphs[code] = font.glyphOf(character);
    return glyphs;
}

TEST(TrueTypeSubset, KeepsTheGlyphsShownAndWhatTheyAreBuiltOfNumberedAnewAndIndexed) {
    const TestFont made;
    const FontTables tables = made.tables();
    const TrueTypeFont font(tables);
    ASSERT_EQ(font.whyNot(), "");
    EXPECT_EQ(font.advance(7), 310) << "past the last metric: its advance";
    EXPECT_EQ(font.box(), (std::array<double, 4>{-5, -100, 600, 900}));
    const FontSubset subset = font.subset(codesFor(font, {{'A', U'A'}, {0xC5, U'Å'}, {' ', U' '}}));
    ASSERT_EQ(subset.whyNot, "");
    // B and C are left out; the ring is in, as Å is built of it.
    ASSERT_EQ(subset.glyphs, (std::vector<std::uint16_t>{0, 1, 2, 3, 5, 6, 7}));

    const FontFile file = readFontFile(subset.font);
    EXPECT_TRUE(file.checksumsRight);
    for (const char* tag :
         {"OS/2", "cmap", "glyf", "head", "hhea", "hmtx", "loca", "maxp", "post", "prep"})
        EXPECT_EQ(file.tables.count(tag), 1u) << tag;
    const std::string& head = file.tables.at("head");
    EXPECT_EQ(read16(file.tables.at("maxp"), 4), 7u);
    EXPECT_EQ(read16(file.tables.at("hhea"), 34), 7u);
    EXPECT_EQ(read16(head, 50), 1u) << "long offsets";
    EXPECT_EQ(head.substr(12, 38), tables.at("head").substr(12, 38)) << "units, box kept";
    EXPECT_EQ(file.tables.at("prep"), "hinting program");
    EXPECT_EQ(file.tables.at("post").size(), 32u);
    EXPECT_EQ(read32(file.tables.at("post"), 0), 0x00030000u);

    // Each glyph where the index says, as the font had it, but for the
    // components of a composite, which name the glyphs' new numbers.
    const std::string& loca = file.tables.at("loca");
    const std::string& glyf = file.tables.at("glyf");
    ASSERT_EQ(loca.size(), 8u * 4);
    EXPECT_EQ(read32(loca, 7 * 4), glyf.size());
    std::vector<std::string> expected;
    for (std::uint16_t old : subset.glyphs)
        expected.push_back(made.glyphs[old]);
    expected[5] = compositeGlyph({{3, 0x0002}, {6, 0x0002 | 0x0080}});
    for (std::size_t glyph = 0; glyph < 7; ++glyph) {
        const std::uint32_t begin = read32(loca, 4 * glyph);
        const std::uint32_t end = read32(loca, 4 * glyph + 4);
        ASSERT_LE(begin, end);
        EXPECT_EQ(begin % 4, 0u);
        EXPECT_EQ(glyf.substr(begin, expected[glyph].size()), expected[glyph]) << glyph;
        EXPECT_EQ(end - begin, (expected[glyph].size() + 3) / 4 * 4) << glyph;
    }

    // Each glyph's own advance and side bearing.
    const std::string& hmtx = file.tables.at("hmtx");
    ASSERT_EQ(hmtx.size(), 7u * 4);
    const std::uint32_t advances[] = {500, 600, 0, 600, 300, 620, 620};
    const std::int16_t bearings[] = {10, 11, 12, 13, 15, 16, -17};
    for (std::size_t glyph = 0; glyph < 7; ++glyph) {
        EXPECT_EQ(read16(hmtx, 4 * glyph), advances[glyph]) << glyph;
        EXPECT_EQ(static_cast<std::int16_t>(read16(hmtx, 4 * glyph + 2)), bearings[glyph]) << glyph;
    }

    // The codes reach their glyphs through both maps a reader may use.
    const std::string& cmap = file.tables.at("cmap");
    ASSERT_EQ(read16(cmap, 2), 2u);
    EXPECT_EQ(read32(cmap, 4), 0x00010000u) << "Macintosh, Roman";
    EXPECT_EQ(read32(cmap, 12), 0x00030000u) << "Windows, symbol";
    const std::string mac = cmap.substr(read32(cmap, 8));
    ASSERT_EQ(read16(mac, 0), 6u);
    const std::uint32_t first = read16(mac, 6);
    const auto macGlyph = [&](std::uint32_t code) {
        return code < first || code >= first + read16(mac, 8)
                   ? 0
                   : read16(mac, 10 + 2 * (code - first));
    };
    const std::string symbol = cmap.substr(read32(cmap, 16));
    ASSERT_EQ(read16(symbol, 0), 4u);
    const std::map<std::uint32_t, std::uint32_t> codes{{'A', 1}, {0xC5, 5}, {' ', 4},
                                                       {'B', 0}, {0xC1, 0}, {0xFF, 0}};
    for (const auto& [code, glyph] : codes) {
        EXPECT_EQ(macGlyph(code), glyph) << code;
        EXPECT_EQ(symbolGlyph(symbol, 0xF000 + code), glyph) << code;
    }
}

TEST(TrueTypeSubset, FindsGlyphsThroughEitherUnicodeMap) {
    for (const bool format12 : {false, true}) {
        TestFont made;
        made.format12 = format12;
        const FontTables tables = made.tables();
        const TrueTypeFont font(tables);
        ASSERT_EQ(font.whyNot(), "") << format12;
        EXPECT_EQ(font.glyphOf(U'Á'), 3) << format12;
        EXPECT_EQ(font.glyphOf(U'C'), 8) << format12;
        EXPECT_EQ(font.glyphOf(U'D'), 0) << format12;
        EXPECT_EQ(font.glyphOf(U'€'), 0) << format12;
    }
    // A map that names a glyph past the font's last is no glyph.
    TestFont made;
    made.characters[U'D'] = 9;
    const FontTables tables = made.tables();
    EXPECT_EQ(TrueTypeFont(tables).glyphOf(U'D'), 0);
}

TEST(TrueTypeSubset, AFontThatCantBeEmbeddedSaysWhyAndGivesNoFile) {
    const auto whyNot = [](const FontTables& tables) {
        const TrueTypeFont font(tables);
        const FontSubset subset = font.subset({});
        EXPECT_EQ(subset.whyNot, font.whyNot());
        EXPECT_EQ(subset.font.empty(), !font.whyNot().empty());
        return font.whyNot();
    };
    const TestFont made;
    // PostScript outlines: no glyf table.
    FontTables postScript = made.tables();
    postScript.erase("glyf");
    postScript.erase("loca");
    postScript["CFF "] = "outlines of another kind";
    EXPECT_NE(whyNot(postScript), "");
    // The licence bits: no embedding, bitmaps only, whole fonts only; where
    // more than one embedding bit is set, the freest counts.
    for (const std::uint16_t fsType : {0x0002, 0x0200, 0x0100, 0x0002 | 0x0200}) {
        TestFont restricted;
        restricted.fsType = fsType;
        EXPECT_NE(whyNot(restricted.tables()), "") << fsType;
    }
    for (const std::uint16_t fsType : {0x0000, 0x0004, 0x0008, 0x0002 | 0x0008}) {
        TestFont allowed;
        allowed.fsType = fsType;
        EXPECT_EQ(whyNot(allowed.tables()), "") << fsType;
    }
    FontTables noUnicode = made.tables();
    noUnicode["cmap"] = be16(0) + be16(0);
    EXPECT_NE(whyNot(noUnicode), "");
    FontTables shortIndex = made.tables();
    shortIndex["loca"].resize(8);
    EXPECT_NE(whyNot(shortIndex), "");
}

// A glyph whose index points past the outlines, or a composite naming a
// glyph the font lacks or cut short, gives no file rather than a broken one;
// a damaged glyph that is not used does not matter.
TEST(TrueTypeSubset, ADamagedGlyphInUseGivesNoFile) {
    const auto subsetOf = [](const TestFont& made) {
        const FontTables tables = made.tables();
        const TrueTypeFont font(tables);
        return font.subset(codesFor(font, {{'A', U'A'}, {0xC1, U'Á'}}));
    };
    TestFont pastTheEnd;
    FontTables tables = pastTheEnd.tables();
    tables["loca"].replace(4, 2, be16(0xFFFF));
    const TrueTypeFont font(tables);
    EXPECT_EQ(font.subset(codesFor(font, {{'A', U'A'}})).font, "");

    TestFont missingComponent;
    missingComponent.glyphs[3] = compositeGlyph({{1, 0x0002}, {40, 0x0002}});
    EXPECT_EQ(subsetOf(missingComponent).font, "");
    EXPECT_NE(subsetOf(missingComponent).whyNot, "");

    TestFont cutShort;
    cutShort.glyphs[3] = compositeGlyph({{1, 0x0002 | 0x0080}});
    cutShort.glyphs[3].resize(cutShort.glyphs[3].size() - 4);
    EXPECT_EQ(subsetOf(cutShort).font, "");

    TestFont unusedDamage;
    unusedDamage.glyphs[8] = compositeGlyph({{40, 0x0002}});
    EXPECT_NE(subsetOf(unusedDamage).font, "");
}

} // namespace
} // namespace orvik::test
