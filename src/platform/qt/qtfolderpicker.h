#pragma once
// The toolkit's own directory dialog, modal over the active window.
#include "platform/folderpicker.h"

namespace orvik {

class QtFolderPicker : public FolderPicker {
public:
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& start) override;
};

} // namespace orvik
