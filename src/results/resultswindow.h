#pragma once
// What the hand-over and the saving need of the review window: its messages,
// the end of the program, a way to hide it before the last message, and the
// clock (a hand-over is named by its time should it be interrupted).
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/messagebox.h"
#include "platform/programend.h"

namespace orvik {

struct ResultsWindow {
    MessageBoxes& messages;
    ProgramEnd& programEnd;
    std::function<void()> hide;
    Clock& clock;
};

inline constexpr const char* kErrorTitle = " Virhe";

// A failure the user must know of: exclamation icon, OK button.
inline void showError(MessageBoxes& messages, const std::string& text) {
    messages.warning(text, kErrorTitle);
}

} // namespace orvik
