#include "system/desktop/LxdeBackend.h"

#include <QFile>
#include <QPainter>

#include "system/desktop/DesktopText.h"
#include "system/desktop/ImageLoaders.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/WallpaperFiles.h"
#include "system/desktop/X11Screen.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kTool = QStringLiteral("pcmanfm");

// Modes: color (no picture), stretch, fit, crop, center, tile, screen.
const ModeNames& lxdeModes() {
    static const ModeNames names{
        QStringLiteral("tile"), QStringLiteral("center"), {}, {QStringLiteral("color")}};
    return names;
}

// Files written before modes had names hold pcmanfm's FmWallpaperMode numbers.
QString modeName(const QString& stored) {
    static const QStringList byNumber{QStringLiteral("color"), QStringLiteral("stretch"),
                                      QStringLiteral("fit"),   QStringLiteral("center"),
                                      QStringLiteral("tile"),  QStringLiteral("screen"),
                                      QStringLiteral("crop")};
    bool numeric = false;
    const int n = stored.toInt(&numeric);
    return numeric ? byNumber.value(n) : stored;
}

// The mode as the user sees it: a copy tiled over the screen, spanned, is
// the picture tiled.
QString shownMode(const LxdeBackend::State& s, int workspace) {
    return s.mode == QStringLiteral("screen") && isTiledScreenCopy(s.pictureOn(workspace))
               ? QStringLiteral("tile")
               : s.mode;
}
}  // namespace

QImage LxdeBackend::tiledOverScreen(const QImage& picture, QSize screen,
                                    const QList<QRect>& monitors) {
    QImage out(screen, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    for (const QRect& monitor : monitors) {
        // Each monitor's desktop window tiles from its own corner.
        painter.setClipRect(monitor);
        for (int y = monitor.top(); y <= monitor.bottom(); y += picture.height()) {
            for (int x = monitor.left(); x <= monitor.right(); x += picture.width()) {
                painter.drawImage(x, y, picture);
            }
        }
    }
    painter.end();
    return out;
}

bool LxdeBackend::drawsTilesOnce() const {
    // pcmanfm built with GTK 3 (Debian 13's 1.4) sets its tile as a
    // background pattern that does not repeat: one copy in the corner.
    QFile program(context_.env.findExecutable(kTool));
    return program.open(QIODevice::ReadOnly) && program.readAll().contains("libgtk-3.so");
}

std::optional<LxdeBackend::State> LxdeBackend::parseGroup(const QMap<QString, QString>& group) {
    State s;
    s.common =
        group.value(QStringLiteral("wallpaper_common"), QStringLiteral("1")) != QStringLiteral("0");
    s.wallpaper = pathFromSetting(group.value(QStringLiteral("wallpaper")));
    const int configured = group.value(QStringLiteral("wallpapers_configured")).toInt();
    for (int i = 0;
         i < std::max(configured, 1) || group.contains(QStringLiteral("wallpaper%1").arg(i)); ++i) {
        s.perDesktop << pathFromSetting(group.value(QStringLiteral("wallpaper%1").arg(i)));
    }
    s.mode = modeName(group.value(QStringLiteral("wallpaper_mode")));
    if (s.wallpaper.isEmpty() && s.perDesktop.join(QString()).isEmpty()) {
        return std::nullopt;
    }
    return s;
}

std::optional<LxdeBackend::State> LxdeBackend::state() const {
    // lxsession starts pcmanfm with the "LXDE" profile; "default" is its own.
    // pcmanfm reads the user's folder before the system's, in each the
    // monitor's desktop-items-0.conf ([*]) and, from before pcmanfm 1.2, the
    // [desktop] group of pcmanfm.conf (src/app-config.c).
    const QStringList dirs = QStringList{context_.env.configHome()} + context_.env.configDirs();
    for (const QString& profile : {QStringLiteral("LXDE"), QStringLiteral("default")}) {
        for (const QString& dir : dirs) {
            const QString folder = dir + QStringLiteral("/pcmanfm/") + profile;
            for (const auto& [file, group] :
                 {qMakePair(QStringLiteral("/desktop-items-0.conf"), QStringLiteral("*")),
                  qMakePair(QStringLiteral("/pcmanfm.conf"), QStringLiteral("desktop"))}) {
                // pcmanfm prints its values raw: "back\slash.png" is no blank.
                for (const KeyFileGroup& g : readKeyFile(folder + file, KeyFileDialect::Raw)) {
                    if (g.first == group) {
                        if (std::optional<State> s = parseGroup(g.second)) {
                            return s;
                        }
                        break;
                    }
                }
            }
        }
    }
    return std::nullopt;
}

int LxdeBackend::currentWorkspace() const {
    return currentX11Workspace(context_.env, tools_);
}

LxdeBackend::LxdeBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kTool, kTool, ToolNeeds::Display::X11OrWayland}) {}

CurrentWallpaper LxdeBackend::current() {
    const std::optional<State> s = state();
    if (!s) {
        return {};
    }
    const int workspace = currentWorkspace();
    const QString mode = shownMode(*s, workspace);
    return {.picture = originalOfShownCopy(s->pictureOn(workspace)),
            .tiled = isTileMode(mode, lxdeModes()),
            .mode = pictureModeFromPcmanfm(mode).value_or(PictureMode::Centered)};
}

ApplyResult LxdeBackend::applyChecked(const QString& picture, bool tiled) {
    const std::optional<State> before = state();
    const int workspace = currentWorkspace();
    QString mode =
        chooseMode(tiled, before ? shownMode(*before, workspace) : QString(), lxdeModes());
    // pcmanfm reads pictures through gdk-pixbuf.
    QString error;
    const QString readable = pictureForPixbufDesktop(picture, {}, context_.env, &error);
    if (readable.isEmpty()) {
        return {false, error};
    }
    // pcmanfm 1.4 crashes when handed a path it has shown before in its
    // session (the finish's Tessavel.bmp every time, the original on a
    // restore): it gets a copy under a name it has never seen, in our folder.
    // Earlier copies go, except those other workspaces still show.
    QStringList elsewhere;
    if (before && !before->common) {
        elsewhere = before->perDesktop;
        if (workspace < elsewhere.size()) {
            elsewhere.removeAt(workspace);
        }
    }
    // A build that draws its tile once gets the picture tiled over the screen,
    // spanned.
    std::optional<QImage> tiles;
    if (mode == QStringLiteral("tile") && drawsTilesOnce()) {
        const X11Outputs outputs = randrOutputs(context_.env, tools_);
        const QSize screen = x11ScreenSize(context_.env, tools_);
        const QImage tile(readable);
        if (screen.isEmpty() || outputs.rects.isEmpty() || outputs.rects.contains(QRect()) ||
            tile.isNull()) {
            return {false, tk::Text::tr("pcmanfm draws a tiled picture only once, and the "
                                        "screen's monitors or the picture could not be read "
                                        "to tile it for pcmanfm")};
        }
        tiles = tiledOverScreen(tile, screen, outputs.rects);
        mode = QStringLiteral("screen");
    }
    const QString handed = makeFreshCopy(readable, context_.env.ownDataDir(), elsewhere, &error,
                                         tiles ? &*tiles : nullptr);
    if (handed.isEmpty()) {
        return {false, error};
    }
    // With a picture per workspace pcmanfm stores the new one for the current
    // workspace only (src/desktop.c, update_background); the others keep theirs.
    const ToolResult r = runTool(
        {QStringLiteral("--set-wallpaper=") + handed, QStringLiteral("--wallpaper-mode=") + mode});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const bool kept = waitUntil(context_.settleMs, [&] {
        const std::optional<State> after = state();
        return after && after->pictureOn(workspace) == handed && after->mode == mode;
    });
    if (!kept) {
        return {false, tk::Text::tr("pcmanfm did not take the new wallpaper")};
    }
    return {true, {}};
}

}  // namespace desktop
