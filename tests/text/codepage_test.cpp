#include "text/codepage.h"

#include <gtest/gtest.h>

namespace orvik {
namespace {

std::string allBytes() {
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    return bytes;
}

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughUnicode) {
    const std::string bytes = allBytes();
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(bytes)), bytes);
    for (int b = 0; b < 256; ++b) {
        unsigned char back = 0;
        ASSERT_TRUE(cp1252::fromUnicode(cp1252::toUnicode(static_cast<unsigned char>(b)), back))
            << b;
        EXPECT_EQ(back, b);
    }
}

TEST(CodePage, HighBytesMapToTheirLettersAndUndefinedOnesToControls) {
    EXPECT_EQ(cp1252::toUnicode(0x80), U'€');
    EXPECT_EQ(cp1252::toUnicode(0x9F), U'Ÿ');
    EXPECT_EQ(cp1252::toUnicode(0xE4), U'ä');
    for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(cp1252::toUnicode(undefined), static_cast<char32_t>(undefined));
    EXPECT_EQ(cp1252::toUtf8("\x80"), "\xE2\x82\xAC");
    unsigned char byte = 0;
    EXPECT_FALSE(cp1252::fromUnicode(U'中', byte));
    // U+0080 belongs to no byte: 0x80 is the euro sign.
    EXPECT_FALSE(cp1252::fromUnicode(0x80, byte));
}

TEST(CodePage, InvalidOrForeignUtf8BecomesOneReplacementEach) {
    EXPECT_EQ(cp1252::fromUtf8("a\x80z"), "a?z");            // stray continuation
    EXPECT_EQ(cp1252::fromUtf8("a\xE2\x82z"), "a?z");        // cut sequence
    EXPECT_EQ(cp1252::fromUtf8("\xC0\x80"), "?");            // overlong zero
    EXPECT_EQ(cp1252::fromUtf8("\xED\xA0\x80"), "?");        // surrogate
    EXPECT_EQ(cp1252::fromUtf8("\xF4\x90\x80\x80"), "?");    // beyond Unicode
    EXPECT_EQ(cp1252::fromUtf8("x\xE4\xB8\xAD", '_'), "x_"); // not in the code page
    EXPECT_EQ(cp1252::fromUtf8("\xC3\xA4\xE2\x82\xAC"), "\xE4\x80");
}

TEST(CodePage, LiteralGivesCodePageBytes) {
    using namespace orvik::literals;
    EXPECT_EQ("Tuoteryhmä"_cp, std::string("Tuoteryhm\xE4"));
}

TEST(CodePage, UpperCaseCoversAsciiAndAccentedLettersOnly) {
    EXPECT_EQ(cp1252::toUpper("com3:"), "COM3:");
    using namespace orvik::literals;
    EXPECT_EQ(cp1252::toUpper("äöåéþšœžÿ"_cp), "ÄÖÅÉÞŠŒŽŸ"_cp);
    EXPECT_EQ(cp1252::toUpper("÷ßµ"_cp), "÷ßµ"_cp);
    int changed = 0;
    for (int b = 0; b < 256; ++b) {
        const char upper = cp1252::toUpper(static_cast<char>(b));
        if (upper != static_cast<char>(b))
            ++changed;
        EXPECT_EQ(cp1252::toUpper(upper), upper) << "upper case of byte " << b << " changes again";
    }
    EXPECT_EQ(changed, 26 + 30 + 4);
}

} // namespace
} // namespace orvik
