#pragma once
// Local files opened through the desktop's own choice of program.
#include "platform/desktoplinks.h"

namespace orvik {

class QtDesktopLinks : public DesktopLinks {
public:
    bool openFile(const std::filesystem::path& file) override;
};

} // namespace orvik
