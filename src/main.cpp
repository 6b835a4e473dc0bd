#include "app/commandline.h"
#include "app/ui/orvikapp.h"
#include "platform/qt/displayprobe.h"

int main(int argc, char** argv) {
    // Answered before the window toolkit starts, so no display is needed.
    if (const auto answer = orvik::commandLineAnswer(argc, argv))
        return orvik::writeCommandLineAnswer(*answer) ? 0 : 1;
    if (const auto usageError = orvik::commandLineUsageError(argc, argv)) {
        orvik::writeCommandLineError(*usageError);
        return 2;
    }
    if (!orvik::displayReachable(argc, argv)) {
        orvik::writeCommandLineError(orvik::noDisplayMessage());
        return 1;
    }
    if (orvik::asksForSettingsDialog(argc, argv))
        return orvik::runOrvikSettings(argc, argv);
    return orvik::runOrvik(argc, argv);
}
