<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Tessaryn</name>
    <message>
        <source>Drag Calendar</source>
        <translation>Drag Calendar</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Font Setting</source>
        <translation>Font Setting</translation>
    </message>
    <message>
        <source>Change Font</source>
        <translation>Change Font</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Month</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Weekday</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>FontName : </source>
        <translation>FontName : </translation>
    </message>
    <message>
        <source>The window is too small to show the calendar, so there is nothing to place.
Make the window larger and press "Drag Calendar" again.</source>
        <translation>The window is too small to show the calendar, so there is nothing to place.
Make the window larger and press "Drag Calendar" again.</translation>
    </message>
    <message>
        <source>Tessaryn Info.</source>
        <translation>Tessaryn Info.</translation>
    </message>
    <message>
        <source>the calendar could not be drawn: not enough memory for the picture</source>
        <translation>the calendar could not be drawn: not enough memory for the picture</translation>
    </message>
    <message>
        <source>the wallpaper the placement started from is not known</source>
        <translation>the wallpaper the placement started from is not known</translation>
    </message>
    <message>
        <source>the original wallpaper could not be kept: %1</source>
        <translation>the original wallpaper could not be kept: %1</translation>
    </message>
    <message>
        <source>the original wallpaper changed while it was kept</source>
        <translation>the original wallpaper changed while it was kept</translation>
    </message>
    <message>
        <source>Only %1 x %2 pixels of the wallpaper are on the screen; the calendar needs %3 x %4.</source>
        <translation>Only %1 x %2 pixels of the wallpaper are on the screen; the calendar needs %3 x %4.</translation>
    </message>
    <message>
        <source>
The rest of the wallpaper lies beyond the screen's edge.
Make the window smaller for a smaller calendar.</source>
        <translation>
The rest of the wallpaper lies beyond the screen's edge.
Make the window smaller for a smaller calendar.</translation>
    </message>
    <message>
        <source>
At its origin (%1, %2) the rest of the wallpaper lies beyond the screen's edge.
Choose an origin that brings more of it onto the screen, or make the window smaller for a smaller calendar.</source>
        <translation>
At its origin (%1, %2) the rest of the wallpaper lies beyond the screen's edge.
Choose an origin that brings more of it onto the screen, or make the window smaller for a smaller calendar.</translation>
    </message>
    <message>
        <source>The wallpaper %1 cannot be used: %2.</source>
        <translation>The wallpaper %1 cannot be used: %2.</translation>
    </message>
    <message>
        <source>at its origin (%1, %2) no part of it is on the screen</source>
        <translation>at its origin (%1, %2) no part of it is on the screen</translation>
    </message>
    <message>
        <source>壁紙のサイズがカレンダーより小さいようです。<byte value="xd"/>
再設定して下さい。</source>
        <translation>The wallpaper seems to be smaller than the calendar.<byte value="xd"/>
Please set it up again.</translation>
    </message>
    <message>
        <source>右クリックで再設定/ダブルクリックで完了</source>
        <translation>Right-click to set up again / double-click to finish</translation>
    </message>
    <message>
        <source>右クリックでキャンセル/ダブルクリックでプレビュー</source>
        <translation>Right-click to cancel / double-click to preview</translation>
    </message>
    <message>
        <source>The new wallpaper could not be saved; nothing was changed.
%1</source>
        <translation>The new wallpaper could not be saved; nothing was changed.
%1</translation>
    </message>
    <message>
        <source>The wallpaper %1 changed meanwhile; the placement ends.</source>
        <translation>The wallpaper %1 changed meanwhile; the placement ends.</translation>
    </message>
    <message>
        <source>%1 was saved, but the desktop could not show it.
%2</source>
        <translation>%1 was saved, but the desktop could not show it.
%2</translation>
    </message>
    <message>
        <source>%1 was saved, but %2</source>
        <translation>%1 was saved, but %2</translation>
    </message>
    <message>
        <source>Puts a month calendar onto the desktop wallpaper.

tessaryn                 opens the window (needs a display)
tessaryn refresh         renews the calendar picture for this month from the kept original
                         and every recorded calendar, and hands it to the desktop again
    --date YYYY-MM-DD    renew for the month of this day instead of today
    --resume             renew again after tessaryn restore
    --enable-timer       run tessaryn refresh on the first of each month (systemd user timer)
    --disable-timer      stop doing so
    --disable-autostart  do not run tessaryn refresh at login (an override in
                         ~/.config/autostart)
    --enable-autostart   run it at login again
tessaryn restore         puts the original wallpaper back; refresh then leaves it alone
    --force              also where the desktop shows a picture tessaryn did not make
tessaryn list            shows the recorded calendars with their numbers
tessaryn forget N        forgets calendar N; the next refresh draws without it
tessaryn compose         draws one calendar onto a picture, without any desktop
    --base PICTURE       the picture to draw on
    --year Y --month M   the month to show
    --at X,Y             the calendar's top-left corner, in the picture's pixels
                         (-1000000 to 1000000)
    --font FACE          the face (default "ＭＳ Ｐゴシック")
    --size PT            the size in points, 1 to 2000 (default 13, the preview's at its
                         design size)
    --style STYLE        regular (the default), or any of bold,italic,underline,strikeout
    --color KIND=0xBBGGRR  the colour of month, sunday, saturday or weekday (repeatable;
                         defaults white, red, blue, yellow)
    --out FILE           the file to write; its extension picks the format (BMP by default)

--help shows this text, --version the version.
Exit status: 0 done (or nothing to do), 1 failed, 2 bad arguments.
</source>
        <translation>Puts a month calendar onto the desktop wallpaper.

tessaryn                 opens the window (needs a display)
tessaryn refresh         renews the calendar picture for this month from the kept original
                         and every recorded calendar, and hands it to the desktop again
    --date YYYY-MM-DD    renew for the month of this day instead of today
    --resume             renew again after tessaryn restore
    --enable-timer       run tessaryn refresh on the first of each month (systemd user timer)
    --disable-timer      stop doing so
    --disable-autostart  do not run tessaryn refresh at login (an override in
                         ~/.config/autostart)
    --enable-autostart   run it at login again
tessaryn restore         puts the original wallpaper back; refresh then leaves it alone
    --force              also where the desktop shows a picture tessaryn did not make
tessaryn list            shows the recorded calendars with their numbers
tessaryn forget N        forgets calendar N; the next refresh draws without it
tessaryn compose         draws one calendar onto a picture, without any desktop
    --base PICTURE       the picture to draw on
    --year Y --month M   the month to show
    --at X,Y             the calendar's top-left corner, in the picture's pixels
                         (-1000000 to 1000000)
    --font FACE          the face (default "ＭＳ Ｐゴシック")
    --size PT            the size in points, 1 to 2000 (default 13, the preview's at its
                         design size)
    --style STYLE        regular (the default), or any of bold,italic,underline,strikeout
    --color KIND=0xBBGGRR  the colour of month, sunday, saturday or weekday (repeatable;
                         defaults white, red, blue, yellow)
    --out FILE           the file to write; its extension picks the format (BMP by default)

--help shows this text, --version the version.
Exit status: 0 done (or nothing to do), 1 failed, 2 bad arguments.
</translation>
    </message>
    <message>
        <source>refresh takes no argument "%1"</source>
        <translation>refresh takes no argument "%1"</translation>
    </message>
    <message>
        <source>--enable-timer and --disable-timer exclude each other</source>
        <translation>--enable-timer and --disable-timer exclude each other</translation>
    </message>
    <message>
        <source>--enable-autostart and --disable-autostart exclude each other</source>
        <translation>--enable-autostart and --disable-autostart exclude each other</translation>
    </message>
    <message>
        <source>--date wants a day as YYYY-MM-DD, not "%1"</source>
        <translation>--date wants a day as YYYY-MM-DD, not "%1"</translation>
    </message>
    <message>
        <source>compose takes no argument "%1"</source>
        <translation>compose takes no argument "%1"</translation>
    </message>
    <message>
        <source>compose needs --%1</source>
        <translation>compose needs --%1</translation>
    </message>
    <message>
        <source>--year wants a year from 100 to 9998, not "%1"</source>
        <translation>--year wants a year from 100 to 9998, not "%1"</translation>
    </message>
    <message>
        <source>--month wants 1 to 12, not "%1"</source>
        <translation>--month wants 1 to 12, not "%1"</translation>
    </message>
    <message>
        <source>--at wants X,Y in pixels from -1000000 to 1000000, not "%1"</source>
        <translation>--at wants X,Y in pixels from -1000000 to 1000000, not "%1"</translation>
    </message>
    <message>
        <source>--font wants a face name</source>
        <translation>--font wants a face name</translation>
    </message>
    <message>
        <source>--size wants points from 1 to 2000, not "%1"</source>
        <translation>--size wants points from 1 to 2000, not "%1"</translation>
    </message>
    <message>
        <source>--style knows regular, bold, italic, underline, strikeout, not "%1"</source>
        <translation>--style knows regular, bold, italic, underline, strikeout, not "%1"</translation>
    </message>
    <message>
        <source>--color wants month, sunday, saturday or weekday =0xBBGGRR, not "%1"</source>
        <translation>--color wants month, sunday, saturday or weekday =0xBBGGRR, not "%1"</translation>
    </message>
    <message>
        <source>forget wants the number of one calendar (see tessaryn list)</source>
        <translation>forget wants the number of one calendar (see tessaryn list)</translation>
    </message>
    <message>
        <source>%1 takes no argument "%2"</source>
        <translation>%1 takes no argument "%2"</translation>
    </message>
    <message>
        <source>the argument "%1" is not valid UTF-8; names must be UTF-8</source>
        <translation>the argument "%1" is not valid UTF-8; names must be UTF-8</translation>
    </message>
    <message>
        <source>unknown command "%1"</source>
        <translation>unknown command "%1"</translation>
    </message>
    <message>
        <source>no display: set DISPLAY or WAYLAND_DISPLAY, or use tessaryn refresh / compose</source>
        <translation>no display: set DISPLAY or WAYLAND_DISPLAY, or use tessaryn refresh / compose</translation>
    </message>
    <message>
        <source>no picture format is known for the extension ".%1"</source>
        <translation>no picture format is known for the extension ".%1"</translation>
    </message>
    <message>
        <source>the picture %1 cannot be used: %2</source>
        <translation>the picture %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>%1 was not written: %2</source>
        <translation>%1 was not written: %2</translation>
    </message>
    <message>
        <source>Wrote %1.</source>
        <translation>Wrote %1.</translation>
    </message>
    <message>
        <source>%1; it was left as it is</source>
        <translation>%1; it was left as it is</translation>
    </message>
    <message>
        <source>the recorded desktop "%1" is not known</source>
        <translation>the recorded desktop "%1" is not known</translation>
    </message>
    <message>
        <source>cannot reach the desktop (%1): %2</source>
        <translation>cannot reach the desktop (%1): %2</translation>
    </message>
    <message>
        <source>The desktop: %1.</source>
        <translation>The desktop: %1.</translation>
    </message>
    <message>
        <source>Nothing to renew: no calendar has been placed on a wallpaper yet.</source>
        <translation>Nothing to renew: no calendar has been placed on a wallpaper yet.</translation>
    </message>
    <message>
        <source>Another tessaryn refresh is running; this one leaves it alone.</source>
        <translation>Another tessaryn refresh is running; this one leaves it alone.</translation>
    </message>
    <message>
        <source>The original wallpaper was restored; nothing was renewed (tessaryn refresh --resume renews it again).</source>
        <translation>The original wallpaper was restored; nothing was renewed (tessaryn refresh --resume renews it again).</translation>
    </message>
    <message>
        <source>The calendar picture is already current for %1; nothing was changed.</source>
        <translation>The calendar picture is already current for %1; nothing was changed.</translation>
    </message>
    <message>
        <source>%1; nothing was changed</source>
        <translation>%1; nothing was changed</translation>
    </message>
    <message>
        <source>The desktop shows %1 now, not the calendar picture; nothing was changed.</source>
        <translation>The desktop shows %1 now, not the calendar picture; nothing was changed.</translation>
    </message>
    <message>
        <source>no picture</source>
        <translation>no picture</translation>
    </message>
    <message>
        <source>cannot write %1: %2; nothing was changed</source>
        <translation>cannot write %1: %2; nothing was changed</translation>
    </message>
    <message>
        <source>%1 was renewed, but the desktop (%2) did not take it: %3</source>
        <translation>%1 was renewed, but the desktop (%2) did not take it: %3</translation>
    </message>
    <message>
        <source>Renewed %1 for %2 with %3 calendar(s) (desktop: %4).</source>
        <translation>Renewed %1 for %2 with %3 calendar(s) (desktop: %4).</translation>
    </message>
    <message>
        <source>  calendar %1 shows %2 (%3)</source>
        <translation>  calendar %1 shows %2 (%3)</translation>
    </message>
    <message>
        <source>nothing to restore: no wallpaper was composed yet</source>
        <translation>nothing to restore: no wallpaper was composed yet</translation>
    </message>
    <message>
        <source>the original %1 is gone and %2; nothing was changed</source>
        <translation>the original %1 is gone and %2; nothing was changed</translation>
    </message>
    <message>
        <source>the desktop (%1) did not take back what it showed: %2</source>
        <translation>the desktop (%1) did not take back what it showed: %2</translation>
    </message>
    <message>
        <source>the desktop (%1) did not take %2: %3</source>
        <translation>the desktop (%1) did not take %2: %3</translation>
    </message>
    <message>
        <source>Left alone, as it shows a picture tessaryn did not make: %1 (tessaryn restore --force restores it too).</source>
        <translation>Left alone, as it shows a picture tessaryn did not make: %1 (tessaryn restore --force restores it too).</translation>
    </message>
    <message>
        <source>Nothing was restored.</source>
        <translation>Nothing was restored.</translation>
    </message>
    <message>
        <source>Restored %1 as the wallpaper (desktop: %2). tessaryn refresh leaves it alone until the next placement or tessaryn refresh --resume.</source>
        <translation>Restored %1 as the wallpaper (desktop: %2). tessaryn refresh leaves it alone until the next placement or tessaryn refresh --resume.</translation>
    </message>
    <message>
        <source>no calendar has been placed on a wallpaper yet</source>
        <translation>no calendar has been placed on a wallpaper yet</translation>
    </message>
    <message>
        <source>Forgot the damaged calendar(s) %1; the others are numbered afresh (tessaryn list).</source>
        <translation>Forgot the damaged calendar(s) %1; the others are numbered afresh (tessaryn list).</translation>
    </message>
    <message>
        <source>there is no calendar %1 (tessaryn list shows %2)</source>
        <translation>there is no calendar %1 (tessaryn list shows %2)</translation>
    </message>
    <message>
        <source>calendar %1 cannot be read; forget it first (tessaryn forget %1)</source>
        <translation>calendar %1 cannot be read; forget it first (tessaryn forget %1)</translation>
    </message>
    <message>
        <source>Forgot calendar %1 (placed in %2 at %3,%4); the next tessaryn refresh draws the picture without it.</source>
        <translation>Forgot calendar %1 (placed in %2 at %3,%4); the next tessaryn refresh draws the picture without it.</translation>
    </message>
    <message>
        <source>systemctl cannot be run: %1</source>
        <translation>systemctl cannot be run: %1</translation>
    </message>
    <message>
        <source>systemctl --user %1 did not finish</source>
        <translation>systemctl --user %1 did not finish</translation>
    </message>
    <message>
        <source>systemctl --user %1 failed: %2</source>
        <translation>systemctl --user %1 failed: %2</translation>
    </message>
    <message>
        <source>no reason given</source>
        <translation>no reason given</translation>
    </message>
    <message>
        <source>the unit files are missing from this build</source>
        <translation>the unit files are missing from this build</translation>
    </message>
    <message>
        <source>the program's path %1 holds a line break or another control character, which a systemd unit cannot name; nothing was written</source>
        <translation>the program's path %1 holds a line break or another control character, which a systemd unit cannot name; nothing was written</translation>
    </message>
    <message>
        <source>cannot write the unit files into %1: %2</source>
        <translation>cannot write the unit files into %1: %2</translation>
    </message>
    <message>
        <source>%1; the timer was not enabled</source>
        <translation>%1; the timer was not enabled</translation>
    </message>
    <message>
        <source>Enabled %1: tessaryn refresh runs on the first of each month (units in %2).</source>
        <translation>Enabled %1: tessaryn refresh runs on the first of each month (units in %2).</translation>
    </message>
    <message>
        <source>Disabled %1.</source>
        <translation>Disabled %1.</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>cannot write %1</translation>
    </message>
    <message>
        <source>The login no longer runs tessaryn refresh (%1 hides the autostart entry).</source>
        <translation>The login no longer runs tessaryn refresh (%1 hides the autostart entry).</translation>
    </message>
    <message>
        <source>%1 is not the one tessaryn refresh --disable-autostart wrote; it was left alone</source>
        <translation>%1 is not the one tessaryn refresh --disable-autostart wrote; it was left alone</translation>
    </message>
    <message>
        <source>cannot remove %1: %2</source>
        <translation>cannot remove %1: %2</translation>
    </message>
    <message>
        <source>The login runs tessaryn refresh again (the installed autostart entry).</source>
        <translation>The login runs tessaryn refresh again (the installed autostart entry).</translation>
    </message>
    <message>
        <source>no X display (DISPLAY is not set)</source>
        <translation>no X display (DISPLAY is not set)</translation>
    </message>
    <message>
        <source>no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)</source>
        <translation>no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)</translation>
    </message>
    <message>
        <source>no display (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>no display (neither DISPLAY nor WAYLAND_DISPLAY is set)</translation>
    </message>
    <message>
        <source>no sway session (SWAYSOCK is not set)</source>
        <translation>no sway session (SWAYSOCK is not set)</translation>
    </message>
    <message>
        <source>no Hyprland session (HYPRLAND_INSTANCE_SIGNATURE is not set)</source>
        <translation>no Hyprland session (HYPRLAND_INSTANCE_SIGNATURE is not set)</translation>
    </message>
    <message>
        <source>no desktop was found to show it, so the screen stays as it was.
Name your desktop in the environment variable TESSARYN_DESKTOP (%1 or %2), or install feh to draw the wallpaper on a plain X session, and start Tessaryn again.</source>
        <translation>no desktop was found to show it, so the screen stays as it was.
Name your desktop in the environment variable TESSARYN_DESKTOP (%1 or %2), or install feh to draw the wallpaper on a plain X session, and start Tessaryn again.</translation>
    </message>
    <message>
        <source>no picture was given</source>
        <translation>no picture was given</translation>
    </message>
    <message>
        <source>the picture "%1" does not exist</source>
        <translation>the picture "%1" does not exist</translation>
    </message>
    <message>
        <source>the picture "%1" cannot be read</source>
        <translation>the picture "%1" cannot be read</translation>
    </message>
    <message>
        <source>the name "%1" is not valid UTF-8</source>
        <translation>the name "%1" is not valid UTF-8</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>it is a folder, not a file</translation>
    </message>
    <message>
        <source>it is a FIFO, not a regular file</source>
        <translation>it is a FIFO, not a regular file</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>it is a socket, not a regular file</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>it is a device, not a regular file</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>it names no file</source>
        <translation>it names no file</translation>
    </message>
    <message>
        <source>its symbolic link cannot be read</source>
        <translation>its symbolic link cannot be read</translation>
    </message>
    <message>
        <source>its symbolic link points to a name that is not valid UTF-8</source>
        <translation>its symbolic link points to a name that is not valid UTF-8</translation>
    </message>
    <message>
        <source>its symbolic links go round in a loop</source>
        <translation>its symbolic links go round in a loop</translation>
    </message>
    <message>
        <source>%1 is no background description</source>
        <translation>%1 is no background description</translation>
    </message>
    <message>
        <source>the background description %1 cannot be read (line %2: %3)</source>
        <translation>the background description %1 cannot be read (line %2: %3)</translation>
    </message>
    <message>
        <source>the background description %1 names no picture</source>
        <translation>the background description %1 names no picture</translation>
    </message>
    <message>
        <source>the background description %1 names no picture for now</source>
        <translation>the background description %1 names no picture for now</translation>
    </message>
    <message>
        <source>the bitmap file ends inside its header</source>
        <translation>the bitmap file ends inside its header</translation>
    </message>
    <message>
        <source>the bitmap header has an unknown size (%1 bytes)</source>
        <translation>the bitmap header has an unknown size (%1 bytes)</translation>
    </message>
    <message>
        <source>the bitmap has an impossible size (%1 x %2 pixels)</source>
        <translation>the bitmap has an impossible size (%1 x %2 pixels)</translation>
    </message>
    <message>
        <source>the picture is too large (%1 x %2 pixels)</source>
        <translation>the picture is too large (%1 x %2 pixels)</translation>
    </message>
    <message>
        <source>the bitmap file ends inside its colour masks</source>
        <translation>the bitmap file ends inside its colour masks</translation>
    </message>
    <message>
        <source>a compressed bitmap cannot be stored top-down</source>
        <translation>a compressed bitmap cannot be stored top-down</translation>
    </message>
    <message>
        <source>the bitmap's pixel data would start inside its header</source>
        <translation>the bitmap's pixel data would start inside its header</translation>
    </message>
    <message>
        <source>the bitmap file is cut short: it holds %1 of %2 bytes of pixels</source>
        <translation>the bitmap file is cut short: it holds %1 of %2 bytes of pixels</translation>
    </message>
    <message>
        <source>the bitmap file is cut short</source>
        <translation>the bitmap file is cut short</translation>
    </message>
    <message>
        <source>there is not enough memory for a picture of %1 x %2 pixels</source>
        <translation>there is not enough memory for a picture of %1 x %2 pixels</translation>
    </message>
    <message>
        <source>it is a %1 picture, and Qt has no %1 reader here (on Debian 13 and later: kimageformat6-plugins)</source>
        <translation>it is a %1 picture, and Qt has no %1 reader here (on Debian 13 and later: kimageformat6-plugins)</translation>
    </message>
    <message>
        <source>it is not a picture in a known format</source>
        <translation>it is not a picture in a known format</translation>
    </message>
    <message>
        <source>there is not enough memory for the picture</source>
        <translation>there is not enough memory for the picture</translation>
    </message>
    <message>
        <source>the background description %1 is larger than %2 MiB</source>
        <translation>the background description %1 is larger than %2 MiB</translation>
    </message>
    <message>
        <source>the picture %1 that %2 shows cannot be read: %3</source>
        <translation>the picture %1 that %2 shows cannot be read: %3</translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation>no file name was given</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>the file is cut short</source>
        <translation>the file is cut short</translation>
    </message>
    <message>
        <source>it is a background description itself</source>
        <translation>it is a background description itself</translation>
    </message>
    <message>
        <source>there is no picture to save</source>
        <translation>there is no picture to save</translation>
    </message>
    <message>
        <source>there is not enough memory to convert the picture</source>
        <translation>there is not enough memory to convert the picture</translation>
    </message>
    <message>
        <source>no file can be created in %1: %2</source>
        <translation>no file can be created in %1: %2</translation>
    </message>
    <message>
        <source>it draws %1, and %2</source>
        <translation>it draws %1, and %2</translation>
    </message>
    <message>
        <source>it draws drawings nested more than %1 deep</source>
        <translation>it draws drawings nested more than %1 deep</translation>
    </message>
    <message>
        <source>the registry hive %1 cannot be used: %2</source>
        <translation>the registry hive %1 cannot be used: %2</translation>
    </message>
    <message>
        <source>the composition record (HKCU\%1) is damaged: %2</source>
        <translation>the composition record (HKCU\%1) is damaged: %2</translation>
    </message>
    <message>
        <source>no value "%1"</source>
        <translation>no value "%1"</translation>
    </message>
    <message>
        <source>the kept copy's hash, size or time is missing</source>
        <translation>the kept copy's hash, size or time is missing</translation>
    </message>
    <message>
        <source>the calendars are not numbered 1, 2, 3, ...</source>
        <translation>the calendars are not numbered 1, 2, 3, ...</translation>
    </message>
    <message>
        <source>the kept copy of the original wallpaper, %1, is missing and the original %2 is not the picture it kept; place the calendar again with "Drag Calendar"</source>
        <translation>the kept copy of the original wallpaper, %1, is missing and the original %2 is not the picture it kept; place the calendar again with "Drag Calendar"</translation>
    </message>
    <message>
        <source>the kept copy of the original wallpaper, %1, was changed since it was recorded; place the calendar again with "Drag Calendar"</source>
        <translation>the kept copy of the original wallpaper, %1, was changed since it was recorded; place the calendar again with "Drag Calendar"</translation>
    </message>
    <message>
        <source>the kept copy %1 cannot be read: %2</source>
        <translation>the kept copy %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>the wallpaper was our own picture without a record of its original; it cannot be renewed</source>
        <translation>the wallpaper was our own picture without a record of its original; it cannot be renewed</translation>
    </message>
    <message>
        <source>the kept copy %1 could not be made again: %2</source>
        <translation>the kept copy %1 could not be made again: %2</translation>
    </message>
    <message>
        <source>the original changed</source>
        <translation>the original changed</translation>
    </message>
    <message>
        <source>the kept original %1 cannot be loaded: %2</source>
        <translation>the kept original %1 cannot be loaded: %2</translation>
    </message>
    <message>
        <source>cannot open the lock file %1: %2</source>
        <translation>cannot open the lock file %1: %2</translation>
    </message>
    <message>
        <source>cannot lock %1: %2</source>
        <translation>cannot lock %1: %2</translation>
    </message>
    <message>
        <source>another tessaryn is changing the wallpaper now</source>
        <translation>another tessaryn is changing the wallpaper now</translation>
    </message>
    <message>
        <source>this desktop keeps no places</source>
        <translation>this desktop keeps no places</translation>
    </message>
    <message>
        <source>feh did not record the new wallpaper in ~/.fehbg</source>
        <translation>feh did not record the new wallpaper in ~/.fehbg</translation>
    </message>
    <message>
        <source>gsettings gave no text for %1 %2</source>
        <translation>gsettings gave no text for %1 %2</translation>
    </message>
    <message>
        <source>the settings schema %1 is not installed</source>
        <translation>the settings schema %1 is not installed</translation>
    </message>
    <message>
        <source>the desktop did not keep the new setting (%1 %2 is still %3)</source>
        <translation>the desktop did not keep the new setting (%1 %2 is still %3)</translation>
    </message>
    <message>
        <source>the saved places name an unknown key %1</source>
        <translation>the saved places name an unknown key %1</translation>
    </message>
    <message>
        <source>the desktop did not keep %1 %2</source>
        <translation>the desktop did not keep %1 %2</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>hyprpaper cannot be given a path with a comma ("%1")</source>
        <translation>hyprpaper cannot be given a path with a comma ("%1")</translation>
    </message>
    <message>
        <source>hyprpaper did not take the new wallpaper (it shows "%1")</source>
        <translation>hyprpaper did not take the new wallpaper (it shows "%1")</translation>
    </message>
    <message>
        <source>hyprpaper %1 (%2)</source>
        <translation>hyprpaper %1 (%2)</translation>
    </message>
    <message>
        <source>hyprpaper does not tell</source>
        <translation>hyprpaper does not tell</translation>
    </message>
    <message>
        <source>plasmashell cannot be asked: </source>
        <translation>plasmashell cannot be asked: </translation>
    </message>
    <message>
        <source>plasmashell gave an answer that is not understood: </source>
        <translation>plasmashell gave an answer that is not understood: </translation>
    </message>
    <message>
        <source>plasmashell has no desktop</source>
        <translation>plasmashell has no desktop</translation>
    </message>
    <message>
        <source>plasmashell refused the new wallpaper: </source>
        <translation>plasmashell refused the new wallpaper: </translation>
    </message>
    <message>
        <source>the desktop did not keep the new wallpaper (it shows "%1")</source>
        <translation>the desktop did not keep the new wallpaper (it shows "%1")</translation>
    </message>
    <message>
        <source>the desktop has no wallpaper: its plugin %1 is not installed</source>
        <translation>the desktop has no wallpaper: its plugin %1 is not installed</translation>
    </message>
    <message>
        <source>tiling is not available: Plasma tiles with the wallpaper plugin org.kde.tiled (package kdeplasma-addons), which is not installed</source>
        <translation>tiling is not available: Plasma tiles with the wallpaper plugin org.kde.tiled (package kdeplasma-addons), which is not installed</translation>
    </message>
    <message>
        <source>Plasma desktop %1 (%2)</source>
        <translation>Plasma desktop %1 (%2)</translation>
    </message>
    <message>
        <source>plasmashell refused: </source>
        <translation>plasmashell refused: </translation>
    </message>
    <message>
        <source>Plasma desktop %1 did not take back what it showed</source>
        <translation>Plasma desktop %1 did not take back what it showed</translation>
    </message>
    <message>
        <source>pcmanfm draws a tiled picture only once, and the screen's monitors or the picture could not be read to tile it for pcmanfm</source>
        <translation>pcmanfm draws a tiled picture only once, and the screen's monitors or the picture could not be read to tile it for pcmanfm</translation>
    </message>
    <message>
        <source>pcmanfm did not take the new wallpaper</source>
        <translation>pcmanfm did not take the new wallpaper</translation>
    </message>
    <message>
        <source>pcmanfm-qt did not take the new wallpaper</source>
        <translation>pcmanfm-qt did not take the new wallpaper</translation>
    </message>
    <message>
        <source>nitrogen did not save the new wallpaper in %1</source>
        <translation>nitrogen did not save the new wallpaper in %1</translation>
    </message>
    <message>
        <source>the picture cannot be loaded</source>
        <translation>the picture cannot be loaded</translation>
    </message>
    <message>
        <source>the D-Bus session bus cannot be reached</source>
        <translation>the D-Bus session bus cannot be reached</translation>
    </message>
    <message>
        <source>no answer over D-Bus</source>
        <translation>no answer over D-Bus</translation>
    </message>
    <message>
        <source>sway refused the command</source>
        <translation>sway refused the command</translation>
    </message>
    <message>
        <source>sway did not start swaybg with the new wallpaper</source>
        <translation>sway did not start swaybg with the new wallpaper</translation>
    </message>
    <message>
        <source>sway output %1 (%2)</source>
        <translation>sway output %1 (%2)</translation>
    </message>
    <message>
        <source>%1 is not installed (not found on PATH)</source>
        <translation>%1 is not installed (not found on PATH)</translation>
    </message>
    <message>
        <source>%1 could not be started: %2</source>
        <translation>%1 could not be started: %2</translation>
    </message>
    <message>
        <source>%1 did not answer within %2 s</source>
        <translation>%1 did not answer within %2 s</translation>
    </message>
    <message>
        <source>%1 crashed</source>
        <translation>%1 crashed</translation>
    </message>
    <message>
        <source>%1 failed with exit status %2</source>
        <translation>%1 failed with exit status %2</translation>
    </message>
    <message>
        <source>the picture "%1" has a line break in its name, which %2 would read as two lines; rename the file</source>
        <translation>the picture "%1" has a line break in its name, which %2 would read as two lines; rename the file</translation>
    </message>
    <message>
        <source>cannot make the folder "%1"</source>
        <translation>cannot make the folder "%1"</translation>
    </message>
    <message>
        <source>cannot write "%1": %2</source>
        <translation>cannot write "%1": %2</translation>
    </message>
    <message>
        <source>the tiled picture could not be encoded</source>
        <translation>the tiled picture could not be encoded</translation>
    </message>
    <message>
        <source>xrandr lists no active monitor</source>
        <translation>xrandr lists no active monitor</translation>
    </message>
    <message>
        <source>xfconfd cannot be asked: </source>
        <translation>xfconfd cannot be asked: </translation>
    </message>
    <message>
        <source>xfconfd gave no answer</source>
        <translation>xfconfd gave no answer</translation>
    </message>
    <message>
        <source>xfdesktop's monitors are not known: </source>
        <translation>xfdesktop's monitors are not known: </translation>
    </message>
    <message>
        <source>xfconfd refused %1: %2</source>
        <translation>xfconfd refused %1: %2</translation>
    </message>
    <message>
        <source>the desktop did not keep the new setting (%1 is "%2")</source>
        <translation>the desktop did not keep the new setting (%1 is "%2")</translation>
    </message>
    <message>
        <source>Xfce %1 (%2)</source>
        <translation>Xfce %1 (%2)</translation>
    </message>
    <message>
        <source>the folder %1 cannot be made</source>
        <translation>the folder %1 cannot be made</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>no file can be made in %1: %2</source>
        <translation>no file can be made in %1: %2</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 cannot be read: %2</translation>
    </message>
    <message>
        <source>cannot open the hive (%1)</source>
        <translation>cannot open the hive (%1)</translation>
    </message>
    <message>
        <source>cannot write the hive (%1)</source>
        <translation>cannot write the hive (%1)</translation>
    </message>
    <message>
        <source>cannot set up the hive (%1)</source>
        <translation>cannot set up the hive (%1)</translation>
    </message>
    <message>
        <source>cannot check the hive (%1)</source>
        <translation>cannot check the hive (%1)</translation>
    </message>
    <message>
        <source>cannot read the hive (%1)</source>
        <translation>cannot read the hive (%1)</translation>
    </message>
    <message>
        <source>not a registry hive (%1)</source>
        <translation>not a registry hive (%1)</translation>
    </message>
    <message>
        <source>another process keeps the hive busy (%1)</source>
        <translation>another process keeps the hive busy (%1)</translation>
    </message>
    <message>
        <source>the hive is damaged (%1); move the file aside to start a fresh hive (the program then reads the desktop's live settings again)</source>
        <translation>the hive is damaged (%1); move the file aside to start a fresh hive (the program then reads the desktop's live settings again)</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>is a folder, not a hive file</source>
        <translation>is a folder, not a hive file</translation>
    </message>
    <message>
        <source>holds a database that is not a registry hive</source>
        <translation>holds a database that is not a registry hive</translation>
    </message>
    <message>
        <source>No wallpaper file was given.</source>
        <translation>No wallpaper file was given.</translation>
    </message>
    <message>
        <source>The wallpaper file %1 cannot be read.</source>
        <translation>The wallpaper file %1 cannot be read.</translation>
    </message>
    <message>
        <source>The desktop (%1) did not accept the wallpaper.</source>
        <translation>The desktop (%1) did not accept the wallpaper.</translation>
    </message>
    <message>
        <source>The wallpaper path could not be recorded in %1.</source>
        <translation>The wallpaper path could not be recorded in %1.</translation>
    </message>
    <message>
        <source>%1 cannot be replaced: %2</source>
        <translation>%1 cannot be replaced: %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>cannot read %1: %2</translation>
    </message>
    <message>
        <source>cannot write beside %1: %2</source>
        <translation>cannot write beside %1: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>cannot write %1: %2</translation>
    </message>
    <message>
        <source>%1 could not be written: %2</source>
        <translation>%1 could not be written: %2</translation>
    </message>
    <message>
        <source>%1 could not be flushed to the disk: %2</source>
        <translation>%1 could not be flushed to the disk: %2</translation>
    </message>
    <message>
        <source>%1 could not be replaced: %2</source>
        <translation>%1 could not be replaced: %2</translation>
    </message>
</context>
<context>
    <name>tk::FontDialogWidget</name>
    <message>
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Regular</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Italic</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>Bold Italic</source>
        <translation>Bold Italic</translation>
    </message>
    <message>
        <source>Effects</source>
        <translation>Effects</translation>
    </message>
    <message>
        <source>Stri&amp;kethrough</source>
        <translation>Stri&amp;kethrough</translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation>&amp;Underline</translation>
    </message>
    <message>
        <source>&amp;Colour:</source>
        <translation>&amp;Colour:</translation>
    </message>
    <message>
        <source>Sample</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>&amp;Font:</source>
        <translation>&amp;Font:</translation>
    </message>
    <message>
        <source>Font st&amp;yle:</source>
        <translation>Font st&amp;yle:</translation>
    </message>
    <message>
        <source>&amp;Size:</source>
        <translation>&amp;Size:</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Custom...</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Colour</translation>
    </message>
    <message>
        <source>There is no font with that name. Choose a font from the list of fonts.</source>
        <translation>There is no font with that name. Choose a font from the list of fonts.</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <source>Window Background</source>
        <translation>Window Background</translation>
    </message>
    <message>
        <source>Window Text</source>
        <translation>Window Text</translation>
    </message>
    <message>
        <source>Greyed Text</source>
        <translation>Greyed Text</translation>
    </message>
    <message>
        <source>System Colour</source>
        <translation>System Colour</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Custom</translation>
    </message>
</context>
</TS>
