#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "app/commandline.h"

namespace orvik {
namespace {

std::vector<const char*> commandLine(std::initializer_list<const char*> arguments) {
    std::vector<const char*> argv{"orvik"};
    argv.insert(argv.end(), arguments);
    return argv;
}

std::optional<std::string> answerTo(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> argv = commandLine(arguments);
    return commandLineAnswer(static_cast<int>(argv.size()), argv.data());
}

std::optional<std::string> usageErrorOf(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> argv = commandLine(arguments);
    return commandLineUsageError(static_cast<int>(argv.size()), argv.data());
}

bool opensSettings(std::initializer_list<const char*> arguments) {
    const std::vector<const char*> argv = commandLine(arguments);
    return asksForSettingsDialog(static_cast<int>(argv.size()), argv.data());
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
    EXPECT_FALSE(answerTo({"--asetukset"}));
    EXPECT_NE(answerTo({"--help"})->find("--asetukset"), std::string::npos);
}

TEST(CommandLineAnswer, AnUnknownDoubleDashOptionIsAUsageErrorWhereverItStands) {
    const std::optional<std::string> error = usageErrorOf({"--helpful"});
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->starts_with("orvik: tuntematon valitsin --helpful\n")) << *error;
    EXPECT_TRUE(usageErrorOf({"7", "--asetus"}));
    EXPECT_TRUE(usageErrorOf({"--"}));
    // The program's own and the toolkit's options, a number, a text and
    // one dash keep their meaning.
    for (auto arguments :
         {commandLine({}), commandLine({"7"}), commandLine({"1.5", "--help"}),
          commandLine({"--asetukset"}), commandLine({"-version"}), commandLine({"huomenna"}),
          commandLine({"-5"}), commandLine({"--platform", "offscreen"}), commandLine({"--style"})})
        EXPECT_FALSE(commandLineUsageError(static_cast<int>(arguments.size()), arguments.data()))
            << arguments.size();
}

TEST(CommandLineAnswer, OnlyALeadingAsetuksetOpensTheSettingsDialog) {
    EXPECT_TRUE(opensSettings({"--asetukset"}));
    EXPECT_TRUE(opensSettings({"--asetukset", "7"}));
    EXPECT_FALSE(opensSettings({"7", "--asetukset"}));
    EXPECT_FALSE(opensSettings({}));
    EXPECT_FALSE(opensSettings({"-asetukset"}));
}

} // namespace
} // namespace orvik
