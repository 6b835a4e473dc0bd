#include <cstdio>

#include "app/commandline.h"
#include "app/ui/orvikapp.h"

int main(int argc, char** argv) {
    // Answered before the window toolkit starts, so no display is needed.
    if (const auto answer = orvik::commandLineAnswer(argc, argv)) {
        const bool written =
            std::fwrite(answer->data(), 1, answer->size(), stdout) == answer->size() &&
            std::fflush(stdout) == 0;
        return written ? 0 : 1;
    }
    return orvik::runOrvik(argc, argv);
}
