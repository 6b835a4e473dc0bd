#pragma once
// The questions a command line may ask before any window is made: the usage
// text and the version, and whether it is the program's at all. They are
// answered on standard output or standard error, so they work without a
// display.
#include <optional>
#include <string>

namespace orvik {

// The text to print (UTF-8) when the first argument is "--help", "-h" or
// "--version"; nothing when the program is to run. Any other command line is
// the program's own (a number of days), and such a line would read as 0 days
// anyway, so nothing the program understood before is taken away.
std::optional<std::string> commandLineAnswer(int argc, const char* const* argv);

// The message for standard error (UTF-8) when an argument starts with "--"
// but is no option of the program nor of the window toolkit: a mistyped
// option must not run the program as if it were a number of days. Any other
// argument (a number, a text, one dash) keeps its meaning.
std::optional<std::string> commandLineUsageError(int argc, const char* const* argv);

// Whether the first argument is "--asetukset": the settings dialog opens
// instead of the main window.
bool asksForSettingsDialog(int argc, const char* const* argv);

// Writes an answer to standard output; false when it could not be written.
// On Windows the program is a windowed one, which has no standard output of
// its own when started from a console: the answer then goes to the console
// of the program that started it, as wide text, so that the console's code
// page does not garble the Finnish letters.
bool writeCommandLineAnswer(const std::string& text);

// Writes a complaint to standard error, by the same road as an answer.
bool writeCommandLineError(const std::string& text);

} // namespace orvik
