#include <cstdio>
#include <string>

#include "app/commandline.h"
#include "app/ui/orvikapp.h"
#include "platform/qt/displayprobe.h"

namespace {

bool writeAll(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the window toolkit starts, so no display is needed.
    if (const auto answer = orvik::commandLineAnswer(argc, argv))
        return writeAll(stdout, *answer) ? 0 : 1;
    if (const auto usageError = orvik::commandLineUsageError(argc, argv)) {
        writeAll(stderr, *usageError);
        return 2;
    }
    if (!orvik::displayReachable(argc, argv)) {
        writeAll(stderr, orvik::noDisplayMessage());
        return 1;
    }
    if (orvik::asksForSettingsDialog(argc, argv))
        return orvik::runOrvikSettings(argc, argv);
    return orvik::runOrvik(argc, argv);
}
