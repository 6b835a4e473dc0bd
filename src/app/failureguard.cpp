#include "app/failureguard.h"

#include <new>

#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

std::string unforeseenFailureText(const std::exception_ptr& failure) {
    const std::string ending = " Ohjelma lopetetaan. "_cp;
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return " Muisti ei riittänyt."_cp + ending;
    } catch (const std::exception& error) {
        return " Odottamaton virhe: "_cp + cp1252::fromUtf8(error.what()) + "." + ending;
    } catch (...) {
    }
    return " Odottamaton virhe."_cp + ending;
}

void FailureGuard::tell(const std::exception_ptr& failure) {
    try {
        messages_.show(unforeseenFailureText(failure), kErrorTitle, MsgIcon::Exclamation,
                       MsgButtons::Ok);
    } catch (...) {
        // With no memory left even the message may fail; the end still comes.
    }
}

bool FailureGuard::run(const std::function<bool()>& action) {
    try {
        return action();
    } catch (...) {
        failed_ = true;
        // A failure again while the first is being told (the message box
        // runs events) ends the program without a second message.
        if (!telling_) {
            telling_ = true;
            tell(std::current_exception());
            telling_ = false;
        }
        programEnd_.endNow();
        return false;
    }
}

} // namespace orvik
