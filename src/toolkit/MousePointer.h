#pragma once
// The screen-wide mouse pointer: 11 shows the busy shape over all of the
// program's windows, 0 the default. Kept balanced however often it is set.

#include <functional>

namespace tk {

struct PointerShape {
    static constexpr int Default = 0;
    static constexpr int Busy = 11;
};

void setMousePointer(int code);
int mousePointer();

// Tests watch every change here.
void setMousePointerObserver(std::function<void(int)> observer);

// The busy pointer while it lives; the default again afterwards, also when
// the work in between throws.
class BusyPointer {
public:
    BusyPointer() { setMousePointer(PointerShape::Busy); }
    ~BusyPointer() { setMousePointer(PointerShape::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace tk
