#pragma once
// What the hand-over and the saving ask of the review window: to hide before
// their last message. The messages, the program's end and the clock (a
// hand-over is named by its time should it be interrupted) come from the
// platform.
namespace orvik {

class ResultsView {
public:
    virtual ~ResultsView() = default;
    virtual void hideWindow() = 0;
};

} // namespace orvik
