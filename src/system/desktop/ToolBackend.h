#pragma once
// The desktops set by running a command-line tool (feh, nitrogen, xwallpaper,
// pcmanfm, pcmanfm-qt, swaymsg, hyprctl). Their apply starts the same way:
// the picture must exist and be readable, a display must be there when the
// tool draws on one, a path the tool keeps as a line must be one line, and
// the tool must be on PATH. Each backend then only says what it tells its tool.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

struct ToolNeeds {
    QString tool;  // run by apply; must be on PATH
    // The program that keeps the picture's path as one line of text or of a
    // request; empty where none does.
    QString keeper;
    enum class Display { Own, X11, X11OrWayland } display = Display::Own;
};

class ToolBackend : public DesktopBackend {
public:
    // The display the tool needs, where it needs one.
    QString missingFromSession() const override;
    ApplyResult apply(const QString& path, bool tiled) final;

protected:
    ToolBackend(DesktopContext context, ToolNeeds needs);

    // The backend's own steps, with `picture` an absolute path to a readable
    // picture and the tool on PATH.
    virtual ApplyResult applyChecked(const QString& picture, bool tiled) = 0;

    // The tool run with `args`, bounded by the context's timeout.
    ToolResult runTool(const QStringList& args) const { return tools_.run(needs_.tool, args); }

    DesktopContext context_;
    ToolRunner tools_;

private:
    ToolNeeds needs_;
};

}  // namespace desktop
