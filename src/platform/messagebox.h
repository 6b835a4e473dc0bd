#pragma once
#include <string>

namespace orvik {

enum class MsgIcon { None, Information, Question, Exclamation };
enum class MsgButtons { Ok, YesNoDefaultNo, YesNoDefaultYes };
enum class MsgAnswer { Ok, Yes, No };

// The titles of the program's messages, each the program's own text.
// A message that names no title shows the program's own name.
inline constexpr const char* kDefaultMessageTitle = "Orvik";
inline constexpr const char* kNoticeTitle = " Ilmoitus";
// The fetch's closing notice has a blank at the end of its title.
inline constexpr const char* kFetchNoticeTitle = " Ilmoitus ";
inline constexpr const char* kErrorTitle = " Virhe";
inline constexpr const char* kConfirmTitle = " Varmistus";

// Modal message boxes. Texts and titles are code-page bytes, shown exactly.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                           MsgButtons buttons) = 0;

    MsgAnswer notice(const std::string& text, const std::string& title = kNoticeTitle) {
        return show(text, title, MsgIcon::Information, MsgButtons::Ok);
    }
    // Something the user must act on: exclamation icon, OK button.
    MsgAnswer warning(const std::string& text, const std::string& title = kErrorTitle) {
        return show(text, title, MsgIcon::Exclamation, MsgButtons::Ok);
    }
    // A yes-or-no question whose default is "no"; true when the user says yes.
    bool confirms(const std::string& text, const std::string& title = kConfirmTitle) {
        return show(text, title, MsgIcon::Question, MsgButtons::YesNoDefaultNo) == MsgAnswer::Yes;
    }
};

} // namespace orvik
