#pragma once
#include <optional>
#include <string>

namespace orvik {

// Lets the user choose a directory. Texts and paths are code-page bytes.
class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // The chosen directory as the system names it (without a trailing
    // separator), opened at `start` where that exists; nothing when the
    // user cancels.
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& start) = 0;
};

} // namespace orvik
