#include <gtest/gtest.h>

#include <string>

#include "common/textlines.h"
#include "workfile/crlflines.h"

namespace orvik {
namespace {

// Every text of up to seven characters made of a letter, CR and LF: the runs
// copied whole must give exactly the lines that the line reader finds.
TEST(WithCrLfEnds, AgreesWithTheLineReaderOnEveryShortText) {
    std::string text;
    int checked = 0;
    auto check = [&](const auto& self) -> void {
        const std::vector<std::string> lines = splitLines(text);
        const CrLfLines result = withCrLfEnds(text);
        ASSERT_EQ(result.text, joinLinesCrLf(lines)) << testing::PrintToString(text);
        ASSERT_EQ(result.count, static_cast<std::int64_t>(lines.size()));
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

} // namespace
} // namespace orvik
