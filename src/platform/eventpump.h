#pragma once

namespace orvik {

// Lets the window events that are pending run once (painting, mostly).
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void runPendingOnce() = 0;
};

} // namespace orvik
