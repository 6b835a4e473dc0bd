#pragma once
#include <filesystem>

namespace orvik {

// The desktop's own programs for what the program shows but does not draw
// itself: a local page opens in the user's browser.
class DesktopLinks {
public:
    virtual ~DesktopLinks() = default;
    // Opens a local file with the desktop's program for its kind; false when
    // the desktop could not (no browser, no desktop session).
    virtual bool openFile(const std::filesystem::path& file) = 0;
};

} // namespace orvik
