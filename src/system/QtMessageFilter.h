#pragma once
// Qt's own messages that say nothing to a user of this program. Without
// XDG_RUNTIME_DIR (cron, su, a chroot) Qt warns on every start that it uses
// a folder of its own instead; the program's messages must stay the only
// lines it prints. The variable itself is left alone: the desktops' tools
// the program runs (systemctl --user, hyprctl, dconf) need it as it is.
// Image format plugins (Debian 13's kimageformats) print a line each while Qt
// probes a file that is no picture; the program reports that itself.

namespace sys {

// Drops exactly those messages and hands every other one to the handler
// installed before. Call once, before the application object is created.
void dropRuntimeDirWarning();

}  // namespace sys
