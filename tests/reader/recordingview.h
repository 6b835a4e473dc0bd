#pragma once
// A main window for the reader routines that writes down what it was asked.
#include <string>
#include <vector>

#include "reader/readerview.h"

namespace orvik::test {

class RecordingView : public ReaderView {
public:
    // "lock", "caption: <text>", "hide", "show", "review", in order.
    std::vector<std::string> events;

    void lockForTransfer() override { events.push_back("lock"); }
    void setProgressCaption(const std::string& caption) override {
        events.push_back("caption:" + caption);
    }
    void hideMainWindow() override { events.push_back("hide"); }
    void showMainWindow() override { events.push_back("show"); }
    void showReview() override { events.push_back("review"); }

    std::vector<std::string> captions() const {
        std::vector<std::string> found;
        for (const std::string& event : events)
            if (event.rfind("caption:", 0) == 0)
                found.push_back(event.substr(8));
        return found;
    }
};

} // namespace orvik::test
