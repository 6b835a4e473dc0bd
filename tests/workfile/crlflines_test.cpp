#include <gtest/gtest.h>

#include <string>

#include "common/textlines.h"
#include "workfile/crlflines.h"

namespace orvik {
namespace {

// Every text of up to seven characters made of a letter, CR and LF: the
// runs copied whole must give exactly the lines that the line reader finds.
TEST(WithCrLfEnds, AgreesWithTheLineReaderOnEveryShortText) {
    const char alphabet[] = {'A', '\r', '\n'};
    std::string text;
    int checked = 0;
    auto check = [&](const auto& self, std::size_t length) -> void {
        const std::vector<std::string> lines = splitLines(text);
        const CrLfLines result = withCrLfEnds(text);
        ASSERT_EQ(result.text, joinLinesCrLf(lines)) << testing::PrintToString(text);
        ASSERT_EQ(result.count, static_cast<std::int64_t>(lines.size()))
            << testing::PrintToString(text);
        ++checked;
        if (length == 7)
            return;
        for (char c : alphabet) {
            text.push_back(c);
            self(self, length + 1);
            text.pop_back();
        }
    };
    check(check, 0);
    EXPECT_EQ(checked, 3280); // 1 + 3 + 9 + ... + 3^7
}

TEST(WithCrLfEnds, CountFileInCrLfIsTakenOverUnchanged) {
    const std::string file = "6410000000017    3\r\n6410000000024    1\r\n";
    const CrLfLines result = withCrLfEnds(file);
    EXPECT_EQ(result.text, file);
    EXPECT_EQ(result.count, 2);
}

} // namespace
} // namespace orvik
