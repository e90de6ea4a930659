#pragma once
// What the windows use but do not own: the desktop whose wallpaper they
// change, the message boxes and the clock. main makes one of each and hands
// them down; tests hand down fakes.

namespace desktop {
class DesktopBackend;
}
namespace tk {
class Clock;
class Messages;
}  // namespace tk

struct Services {
    desktop::DesktopBackend& desktop;
    tk::Messages& messages;
    const tk::Clock& clock;
};
