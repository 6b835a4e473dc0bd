#pragma once
// What the hand-over and the saving need of the review window: its messages,
// the end of the program, and a way to hide it before the last message.
#include <functional>
#include <string>

#include "platform/messagebox.h"
#include "platform/programend.h"

namespace orvik {

struct ResultsWindow {
    MessageBoxes& messages;
    ProgramEnd& programEnd;
    std::function<void()> hide;
};

inline constexpr const char* kErrorTitle = " Virhe";

// A failure the user must know of: exclamation icon, OK button.
inline void showError(MessageBoxes& messages, const std::string& text) {
    messages.show(text, kErrorTitle, MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace orvik
