// KDE against a stand-in plasmashell on a private session bus that runs the
// backend's scripts in a JavaScript engine the way Plasma's scripting does.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "DesktopSessions.h"
#include "PlasmaStandIn.h"
#include "system/desktop/KdeBackend.h"
#include "system/desktop/WallpaperFiles.h"

using namespace desktoptest;

namespace {

QString uri(const QString& path) {
    return QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
}

PlasmaDesktop imageDesktop(uint id, int screen, const QString& image, const QString& fill = {}) {
    PlasmaDesktop d{id, screen, QStringLiteral("org.kde.image"), {}};
    d.config.insert(QStringLiteral("Wallpaper/org.kde.image/General/Image"), image);
    if (!fill.isEmpty()) {
        d.config.insert(QStringLiteral("Wallpaper/org.kde.image/General/FillMode"), fill);
    }
    return d;
}

class KdeBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(missingTool({QStringLiteral("dbus-daemon")}).isEmpty())
            << "dbus-daemon is not installed";
        bus = std::make_unique<PrivateBus>(home, PrivateBus::Services::None);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        // The wallpaper plugins Plasma finds in the data folders.
        home.env().set(QStringLiteral("XDG_DATA_DIRS"), home.path() + QStringLiteral("/share"));
        for (const QString& plugin : {QStringLiteral("image"), QStringLiteral("tiled")}) {
            const QString dir = pluginDir(plugin);
            QDir().mkpath(dir);
            QFile(dir + QStringLiteral("/metadata.json")).open(QIODevice::WriteOnly);
        }
    }
    QString pluginDir(const QString& name) const {
        return home.path() + QStringLiteral("/share/plasma/wallpapers/org.kde.") + name;
    }

    PlasmaShell& startPlasma(const QList<PlasmaDesktop>& desktops) {
        plasma = std::make_unique<RunningPlasma>(bus->address());
        EXPECT_TRUE(plasma->registered());
        plasma->shell().desktops = desktops;
        return plasma->shell();
    }
    PlasmaDesktop desktop(int index) {
        const QMutexLocker lock(&plasma->shell().mutex);
        return plasma->shell().desktops.at(index);
    }
    desktop::KdeBackend backend() {
        return desktop::KdeBackend({home.env(), 3000, 300, QStringLiteral("/proc")});
    }
    QString copy(const QString& picture, int n) const {
        return QFileInfo(picture).path() + QStringLiteral("/.") + QFileInfo(picture).fileName() +
               QStringLiteral(".shown-%1.bmp").arg(n);
    }

    TestHome home;
    std::unique_ptr<PrivateBus> bus;
    std::unique_ptr<RunningPlasma> plasma;
};

TEST_F(KdeBackendTest, TwoScreensKeepTheirOwnPicturesAndFillModes) {
    startPlasma({imageDesktop(1, 0, QStringLiteral("file:///srv/old.jpg"), QStringLiteral("1")),
                 imageDesktop(2, 1, QStringLiteral("file:///srv/other.jpg"), QStringLiteral("6"))});
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.current().picture, QStringLiteral("/srv/old.jpg"));
    EXPECT_EQ(kde.current().tiled, false);
    EXPECT_EQ(kde.current().mode, desktop::PictureMode::Scaled);

    const desktop::ApplyResult result = kde.apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("Image")), uri(copy(picture, 1)));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("FillMode")), QStringLiteral("1"));
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("Image")),
              QStringLiteral("file:///srv/other.jpg"));
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("FillMode")), QStringLiteral("6"));
    EXPECT_EQ(kde.current().picture, picture);

    // Giving back the user's own picture writes nothing beside it.
    const QString own = home.writePicture(QStringLiteral("Pictures/own.bmp"));
    ASSERT_TRUE(kde.apply(own, false).ok);
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("Image")), uri(own));
    EXPECT_EQ(QDir(QFileInfo(own).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(KdeBackendTest, ScreensShowingTheSamePictureChangeTogetherWithAlternatingCopies) {
    const QString picture =
        home.writePicture(QStringLiteral("data/tessaryn/Tessavel \"quoted\" 壁紙.bmp"));
    PlasmaDesktop slideshow{3, 2, QStringLiteral("org.kde.slideshow"), {}};
    startPlasma({imageDesktop(2, 1, QStringLiteral("/srv/old.jpg")),
                 imageDesktop(1, 0, QStringLiteral("file:///srv/old.jpg")), slideshow});
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.current().picture, QStringLiteral("/srv/old.jpg"));

    struct Step {
        bool tiled;
        int copy;
        const char* fillMode;
    };
    // tiled: 3; untiled after tiled: centred (6); untiled again keeps 6
    for (const Step step : {Step{true, 1, "3"}, Step{false, 2, "6"}, Step{false, 1, "6"}}) {
        const desktop::ApplyResult result = kde.apply(picture, step.tiled);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        for (int i : {0, 1}) {
            EXPECT_EQ(desktop(i).plugin, QStringLiteral("org.kde.image"));
            EXPECT_EQ(desktop(i).wallpaper(QStringLiteral("Image")), uri(copy(picture, step.copy)));
            EXPECT_EQ(desktop(i).wallpaper(QStringLiteral("FillMode")),
                      QString::fromLatin1(step.fillMode));
        }
        EXPECT_EQ(desktop(2).plugin, QStringLiteral("org.kde.slideshow"));
        EXPECT_EQ(kde.current().tiled, step.tiled);
    }
    EXPECT_EQ(kde.current().picture, picture);
    QFile original(picture), shown(copy(picture, 1));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && shown.open(QIODevice::ReadOnly));
    EXPECT_EQ(shown.readAll(), original.readAll());
}

TEST_F(KdeBackendTest, FromPlasma66TilingIsTheTiledPluginAndOldTileModesDrawStretched) {
    PlasmaShell& shell = startPlasma({imageDesktop(1, 0, QStringLiteral("/srv/a.png"), "3")});
    shell.version = QStringLiteral("6.6.1");
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.current().mode, desktop::PictureMode::Stretched);
    EXPECT_EQ(kde.current().tiled, false);

    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    ASSERT_TRUE(kde.apply(picture, true).ok);
    EXPECT_EQ(desktop(0).plugin, QStringLiteral("org.kde.tiled"));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("Image")), uri(copy(picture, 1)));
    EXPECT_EQ(kde.current().picture, picture);  // read from the tiled plugin
    EXPECT_EQ(kde.current().tiled, true);

    ASSERT_TRUE(kde.apply(picture, false).ok);
    EXPECT_EQ(desktop(0).plugin, QStringLiteral("org.kde.image"));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("FillMode")), QStringLiteral("6"));
    EXPECT_EQ(kde.current().mode, desktop::PictureMode::Centered);
}

TEST_F(KdeBackendTest, Plasma65VariantsAreReadAndTilingNeedsTheTiledPlugin) {
    QDir(pluginDir(QStringLiteral("tiled"))).removeRecursively();
    PlasmaShell& shell =
        startPlasma({imageDesktop(1, 0, QStringLiteral("file:///srv/a.png#dark"), "1")});
    shell.version = QStringLiteral("6.6.1");
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.current().picture, QStringLiteral("/srv/a.png"));

    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    desktop::ApplyResult result = kde.apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(desktop(0).plugin, QStringLiteral("org.kde.image"));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("FillMode")), QStringLiteral("1"));
    EXPECT_NE(result.note.indexOf(QStringLiteral("tiling is not available")), -1);

    // A plugin Plasma cannot load leaves the desktop blank whatever reads back.
    QDir(pluginDir(QStringLiteral("image"))).removeRecursively();
    result = kde.apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("org.kde.image is not installed")), -1)
        << result.error.toStdString();
}

// Restore gives back each desktop's plugin, Image (its variant mark kept) and
// fill mode; a desktop given a picture of the user's after the finish is left
// alone and named, unless forced.
TEST_F(KdeBackendTest, RestoreGivesEachDesktopItsOwn) {
    PlasmaShell& shell =
        startPlasma({imageDesktop(1, 0, QStringLiteral("file:///srv/a.png#dark"), "1"),
                     imageDesktop(2, 1, QStringLiteral("file:///srv/b.png"), "6")});
    shell.version = QStringLiteral("6.6.1");
    desktop::KdeBackend kde = backend();
    const QString saved = kde.current().places;
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    EXPECT_EQ(kde.current().picture, QStringLiteral("/srv/a.png"));
    ASSERT_TRUE(kde.apply(picture, true).ok);
    ASSERT_EQ(desktop(0).plugin, QStringLiteral("org.kde.tiled"));
    {
        const QMutexLocker lock(&shell.mutex);
        shell.desktops[1].config.insert(QStringLiteral("Wallpaper/org.kde.image/General/Image"),
                                        QStringLiteral("file:///srv/later.png"));
    }
    const auto ours = [&](const QString& s) { return desktop::originalOfShownCopy(s) == picture; };
    auto r = kde.restorePlaces({saved, ours, false, {}, {}});
    ASSERT_TRUE(r.applied.ok) << r.applied.error.toStdString();
    EXPECT_EQ(r.restored, 1);
    ASSERT_EQ(r.leftAlone.size(), 1);
    EXPECT_NE(r.leftAlone[0].indexOf(QStringLiteral("/srv/later.png")), -1);
    EXPECT_EQ(desktop(0).plugin, QStringLiteral("org.kde.image"));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("Image")),
              QStringLiteral("file:///srv/a.png#dark"));
    EXPECT_EQ(desktop(0).wallpaper(QStringLiteral("FillMode")), QStringLiteral("1"));
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("Image")),
              QStringLiteral("file:///srv/later.png"));

    r = kde.restorePlaces({saved, ours, true, {}, {}});
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("Image")), QStringLiteral("file:///srv/b.png"));
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("FillMode")), QStringLiteral("6"));
}

TEST_F(KdeBackendTest, AnEmptyImageIsTheDefaultPackageAndAPackageItsLargestPicture) {
    const QString share = home.path() + QStringLiteral("/share");
    const QString small = share + QStringLiteral("/wallpapers/Next/contents/images/1280x800.png");
    const QString large = share + QStringLiteral("/wallpapers/Next/contents/images/3840x2160.png");
    for (const QString& file : {small, large}) {
        QDir().mkpath(QFileInfo(file).path());
        QFile(file).open(QIODevice::WriteOnly);
    }
    home.env().set(QStringLiteral("XDG_DATA_DIRS"), share);
    startPlasma({imageDesktop(1, 0, QString()),
                 imageDesktop(2, 1, uri(share + QStringLiteral("/wallpapers/Next/")))});
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.current().picture, large);
    EXPECT_EQ(kde.current().mode, desktop::PictureMode::Zoom);  // Plasma's default fill

    // Both show the default package: both get the calendar.
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    ASSERT_TRUE(kde.apply(picture, false).ok);
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("Image")), uri(copy(picture, 1)));
    EXPECT_EQ(desktop(1).wallpaper(QStringLiteral("FillMode")), QStringLiteral("2"));
}

TEST_F(KdeBackendTest, ALockedOrDeafOrAbsentPlasmaShellIsAFailure) {
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    desktop::ApplyResult result = backend().apply(picture, false);  // nobody owns the name
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("plasmashell cannot be asked")))
        << result.error.toStdString();

    PlasmaShell& shell = startPlasma({imageDesktop(1, 0, QStringLiteral("/srv/old.jpg"))});
    shell.locked = true;
    result = backend().apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("Widgets are locked")), -1)
        << result.error.toStdString();

    shell.locked = false;
    shell.ignoresWrites = true;
    result = backend().apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("/srv/old.jpg")), -1)
        << result.error.toStdString();
}

TEST_F(KdeBackendTest, WithoutPlasmaShellTheAppletsrcFileIsRead) {
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    QFile rc(home.configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
    rc.write(QStringLiteral("[Containments][12]\nlastScreen=1\nwallpaperplugin=org.kde.image\n\n"
                            "[Containments][12][Wallpaper][org.kde.image][General]\n"
                            "Image=file:///srv/second.png\n\n"
                            "[Containments][3]\nlastScreen=0\nwallpaperplugin=org.kde.image\n\n"
                            "[Containments][3][Wallpaper][org.kde.image][General]\n"
                            "FillMode=4\nImage=file://%1\n")
                 .arg(copy(picture, 2))
                 .toUtf8());
    rc.close();
    desktop::KdeBackend kde = backend();
    // the desktop of the first screen comes first, its copy stands for the picture
    EXPECT_EQ(kde.current().picture, picture);
    EXPECT_EQ(kde.current().tiled, true);  // tiled vertically
}

}  // namespace
