#pragma once

namespace orvik {

// Ends the program at once: the event loop is left and no window's closing
// handler runs. The caller returns straight after.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow() = 0;
    virtual bool ended() const = 0;
};

} // namespace orvik
