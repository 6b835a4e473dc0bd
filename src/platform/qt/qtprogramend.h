#pragma once
// Ends the program by leaving every running event loop; windows are not
// closed, so no closing handler runs. Before the event loop has started,
// ended() tells start-up not to enter it.
#include "platform/programend.h"

namespace orvik {

class QtProgramEnd : public ProgramEnd {
public:
    void endNow() override;
    bool ended() const override { return ended_; }

private:
    bool ended_ = false;
};

} // namespace orvik
