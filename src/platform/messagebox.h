#pragma once
#include <string>

namespace orvik {

enum class MsgIcon { None, Information, Question, Exclamation };
enum class MsgButtons { Ok, YesNoDefaultNo, YesNoDefaultYes };
enum class MsgAnswer { Ok, Yes, No };

// The title used when a message names none: the program's own name.
inline constexpr const char* kDefaultMessageTitle = "Orvik";

// Modal message boxes. Texts and titles are code-page bytes, shown exactly.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                           MsgButtons buttons) = 0;

    MsgAnswer notice(const std::string& text, const std::string& title = " Ilmoitus") {
        return show(text, title, MsgIcon::Information, MsgButtons::Ok);
    }
    // Something the user must act on: exclamation icon, OK button.
    MsgAnswer warning(const std::string& text, const std::string& title = " Virhe") {
        return show(text, title, MsgIcon::Exclamation, MsgButtons::Ok);
    }
};

} // namespace orvik
