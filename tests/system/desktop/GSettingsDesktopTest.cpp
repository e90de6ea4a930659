// GNOME, Cinnamon and MATE against the real gsettings, dconf and D-Bus, each
// test in a session bus of its own.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QUrl>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"

using namespace desktoptest;

namespace {

struct GSettingsCase {
    const char* backend;
    const char* schema;
    const char* pictureKey;
    bool uri;
};

void PrintTo(const GSettingsCase& c, std::ostream* os) {
    *os << c.backend;
}
std::string caseName(const ::testing::TestParamInfo<GSettingsCase>& p) {
    return p.param.backend;
}

class GSettingsDesktopTest : public ::testing::TestWithParam<GSettingsCase> {
protected:
    void SetUp() override {
        const QString missing =
            missingTool({QStringLiteral("gsettings"), QStringLiteral("dbus-daemon"),
                         QStringLiteral("/usr/libexec/dconf-service")});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString() << " is not installed";
        int status = 0;
        runIn(home.env(), QStringLiteral("gsettings"), {QStringLiteral("list-keys"), schema()},
              &status);
        ASSERT_EQ(status, 0) << "the schema " << GetParam().schema << " is not installed";
        bus = std::make_unique<PrivateBus>(home);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        backend = desktop::createDesktopBackend(QString::fromLatin1(GetParam().backend), context());
        ASSERT_NE(backend, nullptr);
    }

    desktop::DesktopContext context() { return {home.env(), 10000, 3000, QStringLiteral("/proc")}; }
    QString schema() const { return QString::fromLatin1(GetParam().schema); }
    QString get(const QString& key) {
        return runIn(home.env(), QStringLiteral("gsettings"),
                     {QStringLiteral("get"), schema(), key});
    }
    void set(const QString& key, const QString& value) {
        runIn(home.env(), QStringLiteral("gsettings"),
              {QStringLiteral("set"), schema(), key, value});
    }
    // How gsettings prints the stored picture setting for `path`.
    QString stored(const QString& path) const {
        const QString v =
            GetParam().uri ? QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded) : path;
        return v.contains(QLatin1Char('\'')) ? QLatin1Char('"') + v + QLatin1Char('"')
                                             : QLatin1Char('\'') + v + QLatin1Char('\'');
    }

    TestHome home;
    std::unique_ptr<PrivateBus> bus;
    std::unique_ptr<desktop::DesktopBackend> backend;
};

TEST_P(GSettingsDesktopTest, TiledAndUntiledMapToTheDesktopsModesBothWays) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    const QString key = QString::fromLatin1(GetParam().pictureKey);

    ASSERT_TRUE(backend->apply(picture, true).ok);
    EXPECT_EQ(get(key), stored(picture));
    EXPECT_EQ(get(QStringLiteral("picture-options")), QStringLiteral("'wallpaper'"));
    EXPECT_EQ(backend->current().tiled, true);
    EXPECT_EQ(backend->current().picture, picture);

    ASSERT_TRUE(backend->apply(picture, false).ok);  // tiled before: centred now
    EXPECT_EQ(get(QStringLiteral("picture-options")), QStringLiteral("'centered'"));
    EXPECT_EQ(backend->current().tiled, false);

    set(QStringLiteral("picture-options"), QStringLiteral("'zoom'"));  // the user's own style stays
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(get(QStringLiteral("picture-options")), QStringLiteral("'zoom'"));

    set(QStringLiteral("picture-options"), QStringLiteral("'none'"));  // no picture shown: centred
    if (get(QStringLiteral("picture-options")) == QStringLiteral("'none'")) {  // MATE has no 'none'
        ASSERT_TRUE(backend->apply(picture, false).ok);
        EXPECT_EQ(get(QStringLiteral("picture-options")), QStringLiteral("'centered'"));
    }

    set(QStringLiteral("picture-options"), QStringLiteral("'wallpaper'"));  // set by the user
    EXPECT_EQ(backend->current().tiled, true);
}

TEST_P(GSettingsDesktopTest, AnAwkwardPathSurvivesBothWays) {
    const QString picture = home.writePicture(kAwkwardPicture);
    const QString key = QString::fromLatin1(GetParam().pictureKey);
    const desktop::ApplyResult result = backend->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(get(key), stored(picture));
    EXPECT_EQ(backend->current().picture, picture);
}

TEST_P(GSettingsDesktopTest, ASessionWithoutABusIsAFailureAndChangesNothing) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    const QString key = QString::fromLatin1(GetParam().pictureKey);
    const QString before = get(key);

    desktop::DesktopContext noBus = context();
    noBus.env.unset(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    noBus.env.set(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/data"));
    auto lonely = desktop::createDesktopBackend(QString::fromLatin1(GetParam().backend), noBus);
    desktop::ApplyResult result = lonely->apply(picture, true);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("D-Bus")), -1) << result.error.toStdString();

    desktop::DesktopContext deadBus = context();
    deadBus.env.set(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                    QStringLiteral("unix:path=") + home.path() + QStringLiteral("/no-bus-here"));
    auto stranded = desktop::createDesktopBackend(QString::fromLatin1(GetParam().backend), deadBus);
    result = stranded->apply(picture, true);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());

    EXPECT_EQ(get(key), before);
}

// gdk-pixbuf built without its BMP loader (upstream's default from 2.42.12),
// then glycin with loaders that do not list image/bmp: the desktop is handed
// a PNG copy of the bitmap, in our own data folder, and reads as the bitmap.
TEST_P(GSettingsDesktopTest, ABitmapTheDesktopsLoadersCannotReadIsHandedAsPng) {
    auto put = [&](const QString& relative, const QByteArray& text) {
        QDir().mkpath(QFileInfo(home.path() + relative).path());
        QFile f(home.path() + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) == text.size());
    };
    put(QStringLiteral("/loaders.cache"),
        "\"/usr/lib/libpixbufloader-gif.so\"\n\"gif\" 4 "
        "\"gdk-pixbuf\" \"GIF\" \"LGPL\"\n\"image/gif\" \"\"\n");
    home.env().set(QStringLiteral("GDK_PIXBUF_MODULE_FILE"),
                   home.path() + QStringLiteral("/loaders.cache"));
    backend = desktop::createDesktopBackend(QString::fromLatin1(GetParam().backend), context());
    const QString picture = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    const QString key = QString::fromLatin1(GetParam().pictureKey);
    const QString png = home.path() + QStringLiteral("/data/tessaryn/.Tessavel.bmp.shown-%1.png");
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(get(key), stored(png.arg(1)));
    EXPECT_EQ(QImage(png.arg(1)), QImage(picture).convertToFormat(QImage(png.arg(1)).format()));
    EXPECT_EQ(backend->current().picture, picture);

    // Only glycin's loaders, without image/bmp; gsettings keeps its schemas.
    home.env().unset(QStringLiteral("GDK_PIXBUF_MODULE_FILE"));
    put(QStringLiteral("/share/glycin-loaders/2+/conf.d/glycin-image-rs.conf"),
        "[loader:image/png]\nExec = @EXEC@\n\n[loader:image/jpeg]\nExec = @EXEC@\n");
    home.env().set(QStringLiteral("XDG_DATA_DIRS"), home.path() + QStringLiteral("/share"));
    home.env().set(QStringLiteral("GSETTINGS_SCHEMA_DIR"),
                   QStringLiteral("/usr/share/glib-2.0/schemas"));
    backend = desktop::createDesktopBackend(QString::fromLatin1(GetParam().backend), context());
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(get(key), stored(png.arg(2)));
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, GSettingsDesktopTest,
    ::testing::Values(GSettingsCase{"gnome", "org.gnome.desktop.background", "picture-uri", true},
                      GSettingsCase{"cinnamon", "org.cinnamon.desktop.background", "picture-uri",
                                    true},
                      GSettingsCase{"mate", "org.mate.background", "picture-filename", false}),
    caseName);

class GnomeDarkTest : public GSettingsDesktopTest {};

TEST_P(GnomeDarkTest, BothPicturesAreSetAndTheDarkOneIsReadWhenPreferred) {
    const QString light = home.writePicture(QStringLiteral("light.bmp"));
    const QString dark = home.writePicture(QStringLiteral("dark picture.bmp"));
    ASSERT_TRUE(backend->apply(light, false).ok);
    EXPECT_EQ(get(QStringLiteral("picture-uri-dark")), stored(light));

    set(QStringLiteral("picture-uri-dark"),
        QLatin1Char('\'') + QUrl::fromLocalFile(dark).toString() + QLatin1Char('\''));
    EXPECT_EQ(backend->current().picture, light);
    runIn(home.env(), QStringLiteral("gsettings"),
          {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
           QStringLiteral("color-scheme"), QStringLiteral("prefer-dark")});
    EXPECT_EQ(backend->current().picture, dark);
}

// One look at what the desktop shows costs two runs of gsettings: the
// background's keys all at once, and the colour scheme.
TEST_P(GnomeDarkTest, WhatTheDesktopShowsIsReadInTwoRuns) {
    const QString dark = home.writePicture(QStringLiteral("dark.bmp"));
    set(QStringLiteral("picture-uri-dark"), stored(dark));
    set(QStringLiteral("picture-options"), QStringLiteral("'wallpaper'"));
    set(QStringLiteral("primary-color"), QStringLiteral("'#102030'"));
    runIn(home.env(), QStringLiteral("gsettings"),
          {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.interface"),
           QStringLiteral("color-scheme"), QStringLiteral("prefer-dark")});
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    StandIns tools(home);
    tools.add(QStringLiteral("gsettings"), QStringLiteral("exec '%1' \"$@\"\n").arg(gsettings));
    backend = desktop::createDesktopBackend(QStringLiteral("gnome"), context());

    const desktop::CurrentWallpaper now = backend->current();
    EXPECT_EQ(now.picture, dark);
    // As mutter draws it over GNOME's default solid colour: one tile stretched.
    EXPECT_EQ(now.mode, desktop::PictureMode::TiledStretched);
    EXPECT_EQ(now.backgroundColor, QStringLiteral("#102030"));
    EXPECT_NE(now.places.indexOf(QStringLiteral("picture-uri-dark=file")), -1);
    EXPECT_NE(now.places.indexOf(QStringLiteral("picture-options=wallpaper")), -1);
    EXPECT_EQ(tools.calls(QStringLiteral("gsettings")).size(), 2);
    set(QStringLiteral("color-shading-type"), QStringLiteral("'vertical'"));
    EXPECT_EQ(backend->current().mode, desktop::PictureMode::TiledCentred);  // tiles
}

INSTANTIATE_TEST_SUITE_P(Gnome, GnomeDarkTest,
                         ::testing::Values(GSettingsCase{"gnome", "org.gnome.desktop.background",
                                                         "picture-uri", true}),
                         caseName);

}  // namespace
