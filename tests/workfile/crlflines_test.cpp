#include <gtest/gtest.h>

#include <string>

#include "text/linesplitter.h"
#include "text/textlines.h"
#include "workfile/crlflines.h"
#include "workfile/crlfstream.h"

namespace orvik {
namespace {

// Every text of up to seven characters made of a letter, CR and LF: the runs
// copied whole, and a text streamed in two pieces, must give exactly the
// lines that the line reader finds.
TEST(WithCrLfEnds, WholeOrInPiecesAgreesWithTheLineReaderOnEveryShortText) {
    std::string text;
    int checked = 0;
    auto check = [&](const auto& self) -> void {
        const std::vector<std::string> lines = splitLines(text);
        const CrLfLines result = withCrLfEnds(text);
        ASSERT_EQ(result.text, joinLinesCrLf(lines)) << testing::PrintToString(text);
        ASSERT_EQ(result.count, static_cast<std::int64_t>(lines.size()));
        // Arriving in two pieces, cut anywhere, changes nothing.
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            const std::string_view first = std::string_view(text).substr(0, cut);
            const std::string_view second = std::string_view(text).substr(cut);
            CrLfStream stream;
            std::string streamed;
            for (std::string_view piece : {first, second})
                if (stream.takeUnchanged(piece))
                    streamed += piece;
                else
                    stream.feed(piece, streamed);
            stream.finish(streamed);
            ASSERT_EQ(streamed, result.text) << testing::PrintToString(text) << " cut " << cut;
            ASSERT_EQ(stream.count(), result.count);
            LineSplitter splitter(7);
            std::vector<std::string> split;
            const auto keep = [&](std::string_view line) { split.emplace_back(line); };
            ASSERT_TRUE(splitter.feed(first, keep) && splitter.feed(second, keep));
            splitter.finish(keep);
            ASSERT_EQ(split, lines) << testing::PrintToString(text) << " cut " << cut;
        }
        ++checked;
        if (text.size() == 7)
            return;
        for (char c : {'A', '\r', '\n'}) {
            text.push_back(c);
            self(self);
            text.pop_back();
        }
    };
    check(check);
    EXPECT_EQ(checked, 3280); // 1 + 3 + 9 + ... + 3^7
}

// Pieces long enough to be scanned a word at a time: CR LF lines of every
// length, and one lone CR at every place of them, across every word edge.
TEST(WithCrLfEnds, ALongPieceIsTakenUnchangedOnlyWhenEachCrHasItsLf) {
    for (std::size_t lineLength = 0; lineLength < 11; ++lineLength) {
        std::string text;
        while (text.size() < 40)
            text += std::string(lineLength, 'A') + "\r\n";
        text += "A";
        const CrLfLines whole = withCrLfEnds(text);
        CrLfStream stream;
        ASSERT_TRUE(stream.takeUnchanged(text)) << lineLength;
        std::string lastLineEnd;
        stream.finish(lastLineEnd); // the open last line counts
        EXPECT_EQ(stream.count(), whole.count) << lineLength;
        for (std::size_t at = 0; at + 1 < text.size(); ++at) {
            if (text[at] != 'A')
                continue;
            std::string loneCr = text;
            loneCr[at] = '\r';
            EXPECT_FALSE(CrLfStream().takeUnchanged(loneCr)) << lineLength << " at " << at;
        }
    }
}

} // namespace
} // namespace orvik
