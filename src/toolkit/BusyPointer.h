#pragma once
// The busy pointer over all of the program's windows.

namespace tk {

// Shows the busy pointer while it lives and the earlier one again afterwards,
// also when the work in between throws. Guards may nest; without a GUI
// application it does nothing.
class BusyPointer {
public:
    BusyPointer();
    ~BusyPointer();
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    bool shown_ = false;
};

}  // namespace tk
