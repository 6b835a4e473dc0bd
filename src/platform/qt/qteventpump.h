#pragma once
#include "platform/eventpump.h"

namespace orvik {

class QtEventPump : public EventPump {
public:
    void runPendingOnce() override;
};

} // namespace orvik
