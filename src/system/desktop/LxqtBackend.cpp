#include "system/desktop/LxqtBackend.h"

#include <QFileInfo>

#include "system/desktop/DesktopText.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kTool = QStringLiteral("pcmanfm-qt");

const ModeNames& lxqtModes() {
    static const ModeNames names{QStringLiteral("tile"),
                                 QStringLiteral("center"),
                                 {},
                                 {QStringLiteral("none"), QStringLiteral("transparent")}};
    return names;
}

}  // namespace

QString LxqtBackend::profileDir(const QString& profile) const {
    // pcmanfm-qt (pcmanfm/settings.cpp, Settings::profileDir) uses the user's
    // profile folder once it exists, else the first system config folder
    // holding the profile, else the one it ships in /usr/share/pcmanfm-qt.
    const QString relative = QStringLiteral("/pcmanfm-qt/") + profile;
    const QString user = context_.env.configHome() + relative;
    if (QFileInfo(user).isDir()) {
        return user;
    }
    for (const QString& dir : context_.env.configDirs()) {
        if (QFileInfo(dir + relative).isDir()) {
            return dir + relative;
        }
    }
    QString dataDirs = context_.env.value(QStringLiteral("XDG_DATA_DIRS"));
    if (dataDirs.isEmpty()) {
        dataDirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& dir : dataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (QFileInfo(dir + relative).isDir()) {
            return dir + relative;
        }
    }
    return user;
}

std::optional<LxqtBackend::State> LxqtBackend::state() const {
    // LXQt starts pcmanfm-qt with the "lxqt" profile; "default" is its own.
    for (const QString& profile : {QStringLiteral("lxqt"), QStringLiteral("default")}) {
        const QList<KeyFileGroup> settings =
            readKeyFile(profileDir(profile) + QStringLiteral("/settings.conf"), KeyFileDialect::Qt);
        const std::optional<QString> picture =
            keyFileValue(settings, QStringLiteral("Desktop"), QStringLiteral("Wallpaper"));
        if (picture) {
            State s{pathFromSetting(*picture), keyFileValue(settings, QStringLiteral("Desktop"),
                                                            QStringLiteral("WallpaperMode"))
                                                   .value_or(QString())};
            // What this program last showed is shown in the mode it gave.
            if (told_ && told_->picture == s.picture) {
                s.mode = told_->mode;
            }
            return s;
        }
    }
    return std::nullopt;
}

LxqtBackend::LxqtBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kTool, kTool, ToolNeeds::Display::X11OrWayland}) {}

CurrentWallpaper LxqtBackend::current() {
    const std::optional<State> s = state();
    if (!s) {
        return {};
    }
    return {.picture = originalOfShownCopy(s->picture),
            .tiled = isTileMode(s->mode, lxqtModes()),
            .mode = pictureModeFromPcmanfmQt(s->mode).value_or(PictureMode::Centered)};
}

ApplyResult LxqtBackend::applyChecked(const QString& picture, bool tiled) {
    const std::optional<State> before = state();
    // pcmanfm-qt keeps showing the old picture when handed the path it has.
    QString error;
    const QString copy = pathToHand(picture, before ? before->picture : QString(),
                                    context_.env.ownDataDir(), &error);
    if (copy.isEmpty()) {
        return {false, error};
    }
    const QString mode = chooseMode(tiled, before ? before->mode : QString(), lxqtModes());
    const ToolResult r = tools_.run(
        kTool, {QStringLiteral("--set-wallpaper"), copy, QStringLiteral("--wallpaper-mode"), mode});
    if (!r.ok()) {
        return {false, r.failure};
    }
    // pcmanfm-qt 1.2 shows the mode it is given on its command line but does
    // not store it (pcmanfm/application.cpp, Application::setWallpaper), so
    // only the picture can be read back; the mode is remembered here.
    const bool kept = waitUntil(context_.settleMs, [&] {
        const std::optional<State> after = state();
        return after && after->picture == copy;
    });
    if (!kept) {
        return {false, tk::Text::tr("pcmanfm-qt did not take the new wallpaper")};
    }
    told_ = State{copy, mode};
    return {true, {}};
}

}  // namespace desktop
