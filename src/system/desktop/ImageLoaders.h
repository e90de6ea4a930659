#pragma once
// The image loaders of desktops that read pictures through gdk-pixbuf (GNOME
// up to 48, Cinnamon, MATE, Xfce, LXDE, swaybg) or glycin (GNOME 49 and
// later). Either may be built without a BMP loader: gdk-pixbuf 2.42.12 leaves
// it out unless its "others" option is on, and glycin reads what its
// installed loaders list. Such a desktop is handed a PNG copy instead.

#include <QString>

namespace desktop {

class SessionEnvironment;

// False when gdk-pixbuf's loaders cache ($GDK_PIXBUF_MODULE_FILE, else the
// system's) lists no "bmp" loader, or when glycin's loaders are installed
// and none of them reads image/bmp. True when neither can be found.
bool desktopLoadersReadBmp(const SessionEnvironment& env);

// What to hand such a desktop for `picture`: the picture itself, or, when it
// is a BMP those loaders cannot read, a PNG copy in our own data folder
// whose name differs from `shown` (what the desktop shows now). Empty with
// `error` set when the copy cannot be written.
QString pictureForPixbufDesktop(const QString& picture, const QString& shown,
                                const SessionEnvironment& env, QString* error);

}  // namespace desktop
