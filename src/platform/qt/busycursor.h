#pragma once
// The busy cursor over every window of the program while long work runs on
// the one thread (printing, hand-over, saving, reader transfers).
namespace orvik {

// Shows the busy cursor from construction to destruction; nests.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The ordinary pointer while a dialog asks or tells something in the middle
// of long work; does nothing when no busy cursor is shown.
class OrdinaryCursor {
public:
    OrdinaryCursor();
    ~OrdinaryCursor();
    OrdinaryCursor(const OrdinaryCursor&) = delete;
    OrdinaryCursor& operator=(const OrdinaryCursor&) = delete;

private:
    bool lifted_;
};

} // namespace orvik
