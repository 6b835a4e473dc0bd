#pragma once
// Message boxes as modal dialogs; an empty title becomes the program's name.
#include "platform/messagebox.h"

namespace orvik {

class QtMessageBoxes : public MessageBoxes {
public:
    MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons) override;
};

} // namespace orvik
