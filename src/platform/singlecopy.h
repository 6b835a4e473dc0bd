#pragma once

namespace orvik {

// One running copy of the program per user.
class SingleCopyLock {
public:
    virtual ~SingleCopyLock() = default;
    // True when this copy is the only one and now holds the lock; a copy that
    // ended without releasing it does not count.
    virtual bool acquire() = 0;
};

} // namespace orvik
