#pragma once
// Plasma's wallpaper packages: a folder whose contents/images holds the same
// picture in several sizes ("1920x1080.png"), named by the folder's path or,
// for the default wallpaper, by its name under wallpapers/.

#include <QString>

namespace desktop {

class SessionEnvironment;

// The folder of the default wallpaper package (the look-and-feel's, "Next" in
// Breeze), looked up in the session's data folders; empty when none is installed.
QString defaultWallpaperPackage(const SessionEnvironment& env);

// The package's largest picture; empty when the folder holds none.
QString pictureOfPackage(const QString& folder);

// Whether the wallpaper plugin `plugin` ("org.kde.tiled") is installed where
// Plasma looks for it: plasma/wallpapers/<plugin>/ in the data folders.
bool wallpaperPluginInstalled(const SessionEnvironment& env, const QString& plugin);

}  // namespace desktop
