#pragma once
// What the windows use but do not own: the desktop whose wallpaper they
// change, the message boxes, the font and colour dialogs, and the clock. main makes one of each and
// hands them down; tests hand down fakes.

namespace desktop {
class DesktopBackend;
}
namespace tk {
class Clock;
class Dialogs;
class Messages;
}  // namespace tk

namespace placement {

struct Services {
    desktop::DesktopBackend& desktop;
    tk::Messages& messages;
    tk::Dialogs& dialogs;
    const tk::Clock& clock;
};

}  // namespace placement
