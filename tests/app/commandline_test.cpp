#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "app/commandline.h"

namespace orvik {
namespace {

std::optional<std::string> answerTo(std::initializer_list<const char*> arguments) {
    std::vector<const char*> argv{"orvik"};
    argv.insert(argv.end(), arguments);
    return commandLineAnswer(static_cast<int>(argv.size()), argv.data());
}

TEST(CommandLineAnswer, OnlyALeadingHelpOrVersionIsAnsweredBeforeThePrograms) {
    ASSERT_TRUE(answerTo({"--help"}));
    EXPECT_EQ(answerTo({"-h"}), answerTo({"--help"}));
    EXPECT_EQ(answerTo({"--help", "7"}), answerTo({"--help"}));
    ASSERT_TRUE(answerTo({"--version"}));
    EXPECT_NE(answerTo({"--version"}), answerTo({"--help"}));
    // Everything else is the program's own command line: a number of days.
    EXPECT_FALSE(answerTo({}));
    EXPECT_FALSE(answerTo({"7"}));
    EXPECT_FALSE(answerTo({"7", "--help"}));
    EXPECT_FALSE(answerTo({"--helpful"}));
    EXPECT_FALSE(answerTo({"-version"}));
}

} // namespace
} // namespace orvik
