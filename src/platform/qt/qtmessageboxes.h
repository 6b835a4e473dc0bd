#pragma once
// Message boxes as modal dialogs; an empty title becomes the program's name.
#include "platform/messagebox.h"

class QMessageBox;

namespace orvik {

class QtMessageBoxes : public MessageBoxes {
public:
    // Gives a box its title, text, icon and buttons as every message has them.
    static void setUp(QMessageBox& box, const std::string& text, const std::string& title,
                      MsgIcon icon, MsgButtons buttons);

    MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons) override;
};

} // namespace orvik
