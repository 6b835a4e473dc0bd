#include "app/commandline.h"
#include "app/ui/orvikapp.h"

int main(int argc, char** argv) {
    // Answered before the window toolkit starts, so no display is needed.
    if (const auto answer = orvik::commandLineAnswer(argc, argv))
        return orvik::writeCommandLineAnswer(*answer) ? 0 : 1;
    return orvik::runOrvik(argc, argv);
}
