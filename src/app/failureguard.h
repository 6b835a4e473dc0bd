#pragma once
// The last line of defence: a failure that no operation foresaw (memory
// running out, an unexpected exception) is told to the user in Finnish
// instead of ending the program unexplained.
#include <exception>
#include <functional>
#include <string>

#include "platform/messagebox.h"
#include "platform/programend.h"

namespace orvik {

// The message for an escaped failure, code-page bytes.
std::string unforeseenFailureText(const std::exception_ptr& failure);

class FailureGuard {
public:
    FailureGuard(MessageBoxes& messages, ProgramEnd& programEnd)
        : messages_(messages), programEnd_(programEnd) {}

    // Runs `action` and returns its result. A failure that escapes it is
    // told and ends the program, since the operation it broke off cannot go
    // on; whatever it had written is whole, as every write is all-or-nothing.
    // Returns false then.
    bool run(const std::function<bool()>& action);

    bool failed() const { return failed_; }

private:
    void tell(const std::exception_ptr& failure);

    MessageBoxes& messages_;
    ProgramEnd& programEnd_;
    bool failed_ = false;
    bool telling_ = false;
};

} // namespace orvik
