#pragma once
// What the reader routines ask of the main window.
#include <string>

namespace orvik {

class ReaderView {
public:
    virtual ~ReaderView() = default;
    // At the start of a transfer: hide Command1 and Command2, disable Frame1
    // (and switch on the window's one further on/off property). Never undone.
    virtual void lockForTransfer() = 0;
    // The caption of lblA.
    virtual void setProgressCaption(const std::string& caption) = 0;
    virtual void hideMainWindow() = 0;
    virtual void showMainWindow() = 0;
    // Opens the review window without waiting for it.
    virtual void showReview() = 0;
};

} // namespace orvik
