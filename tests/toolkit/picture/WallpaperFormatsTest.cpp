// Wallpapers people really have: SVG drawings rendered at the size the
// desktop shows them, WebP and TIFF pictures, and GNOME's background
// descriptions, still ones in several sizes and timed slideshows, with
// Debian's own desktop-base files when they are installed.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTemporaryDir>
#include <cctype>
#include <tuple>

#include "toolkit/picture/BackgroundXml.h"
#include "toolkit/picture/PictureFile.h"

namespace {

using Fit = tk::PictureTarget::Fit;

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

// 400 x 200: left half red, right half blue.
const QByteArray kSvg =
    "<?xml version=\"1.0\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"400\" height=\"200\" viewBox=\"0 0 400 "
    "200\">\n"
    "<rect x=\"0\" y=\"0\" width=\"200\" height=\"200\" fill=\"#ff0000\"/>\n"
    "<rect x=\"200\" y=\"0\" width=\"200\" height=\"200\" fill=\"#0000ff\"/>\n"
    "</svg>\n";

TEST(WallpaperFormats, SvgAtItsNaturalSizeOrTheSizeTheModeShowsIt) {
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("drawing.svg"));
    write(svg, kSvg);

    const tk::LoadedPicture natural = tk::LoadPicture(svg);
    ASSERT_TRUE(natural.ok()) << natural.error.toStdString();
    EXPECT_EQ(natural.image.size(), QSize(400, 200));
    EXPECT_EQ(natural.image.pixel(100, 100), qRgb(255, 0, 0));
    EXPECT_EQ(natural.image.pixel(300, 100), qRgb(0, 0, 255));

    // Zoom on 1000 x 800 covers it: 1600 x 800; fit: 1000 x 500; stretch:
    // the monitor.
    EXPECT_EQ(tk::LoadPicture(svg, {{1000, 800}, Fit::Cover, {}}).image.size(), QSize(1600, 800));
    EXPECT_EQ(tk::LoadPicture(svg, {{1000, 800}, Fit::Contain, {}}).image.size(), QSize(1000, 500));
    const tk::LoadedPicture stretched = tk::LoadPicture(svg, {{1000, 800}, Fit::Stretch, {}});
    EXPECT_EQ(stretched.image.size(), QSize(1000, 800));
    EXPECT_EQ(stretched.image.pixel(499, 400), qRgb(255, 0, 0));
    EXPECT_EQ(stretched.image.pixel(501, 400), qRgb(0, 0, 255));
    // A picture with pixels of its own keeps them.
    const QString png = dir.filePath(QStringLiteral("p.png"));
    ASSERT_TRUE(natural.image.save(png));
    EXPECT_EQ(tk::LoadPicture(png, {{1000, 800}, Fit::Cover, {}}).image.size(), QSize(400, 200));
}

TEST(WallpaperFormats, WebpAndTiff) {
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    QTemporaryDir dir;
    for (const char* format : {"webp", "tiff"}) {
        ASSERT_TRUE(QImageWriter::supportedImageFormats().contains(format))
            << format << ": qt6-image-formats-plugins is missing";
        const QString path = dir.filePath(QStringLiteral("w.") + QLatin1String(format));
        QImageWriter w(path, format);
        w.setQuality(100);
        if (QByteArray(format) == "webp") {
            w.setQuality(101);  // lossless
        }
        ASSERT_TRUE(w.write(img)) << w.errorString().toStdString();
        const tk::LoadedPicture p = tk::LoadPicture(path);
        ASSERT_TRUE(p.ok()) << format << ": " << p.error.toStdString();
        EXPECT_EQ(p.image.size(), QSize(64, 48));
        EXPECT_EQ(p.image.pixel(20, 20), qRgb(10, 200, 30)) << format;
    }
}

// JPEG XL and AVIF need kimageformat6-plugins, which Debian has from 13 on
// (/etc/debian_version "13.1", "forky/sid"); without the plugin the refusal
// names the format.
TEST(WallpaperFormats, JpegXlAndAvifLoadWhereQtHasTheirPluginElseTheyAreNamed) {
    QFile version(QStringLiteral("/etc/debian_version"));
    const QByteArray v = version.open(QIODevice::ReadOnly) ? version.readAll().trimmed() : "";
    const bool debian13On = !v.isEmpty() && !(std::isdigit(v.at(0)) && v.toDouble() < 13);
    QImage img(64, 48, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    QTemporaryDir dir;
    for (const auto& [format, name, head] :
         {std::tuple{"jxl", "JPEG XL", QByteArray("\xff\x0a\x00\x10", 4)},
          std::tuple{"avif", "AVIF", QByteArray("\0\0\0\x1c" "ftypavif", 12)}}) {
        const QString path = dir.filePath(QStringLiteral("w.") + QLatin1String(format));
        const bool plugin = QImageReader::supportedImageFormats().contains(format);
        EXPECT_TRUE(plugin || !debian13On) << format << ": kimageformat6-plugins is missing";
        if (plugin) {
            QImageWriter w(path, format);
            w.setQuality(100);
            ASSERT_TRUE(w.write(img)) << w.errorString().toStdString();
        } else {
            write(path, head + QByteArray(64, '\x55'));
        }
        const tk::LoadedPicture p = tk::LoadPicture(path);
        EXPECT_EQ(p.ok(), plugin) << p.error.toStdString();
        EXPECT_TRUE(plugin ? qAbs(qGreen(p.image.pixel(20, 20)) - 200) <= 4
                           : p.error.contains(QLatin1String(name)))
            << format << ": " << p.error.toStdString();
    }
}

const QByteArray kSizes =
    "<background>\n"
    "  <static>\n"
    "    <duration>8640000.0</duration>\n"
    "    <file>\n"
    "      <size width=\"1280\" height=\"800\">a1280x800.png</size>\n"
    "      <size width=\"1920\" height=\"1080\">a1920x1080.png</size>\n"
    "      <size width=\"2560\" height=\"1440\">a2560x1440.png</size>\n"
    "      <size width=\"2560\" height=\"1600\">a2560x1600.png</size>\n"
    "      <size width=\"5120\" height=\"2880\">a5120x2880.png</size>\n"
    "    </file>\n"
    "  </static>\n"
    "</background>\n";

TEST(BackgroundXml, TheSizeGnomePicks) {
    const QString xml = QStringLiteral("/pics/bg.xml");
    auto pick = [&](QSize monitor) {
        return tk::chooseBackground(kSizes, xml, monitor, QDateTime::currentDateTime()).file;
    };
    EXPECT_EQ(pick({1920, 1080}), QStringLiteral("/pics/a1920x1080.png"));  // exact
    EXPECT_EQ(pick({1280, 800}), QStringLiteral("/pics/a1280x800.png"));
    // Of those at least as large, the closest aspect ratio before the closest
    // size: 2000 x 1200 and 1280 x 1024 get 16:10, not the nearer 16:9.
    EXPECT_EQ(pick({2000, 1200}), QStringLiteral("/pics/a2560x1600.png"));
    EXPECT_EQ(pick({1280, 1024}), QStringLiteral("/pics/a2560x1600.png"));
    // 1366 x 768: 1280 x 800 is closer, but not as wide; 1920 x 1080 is.
    EXPECT_EQ(pick({1366, 768}), QStringLiteral("/pics/a1920x1080.png"));
    // Larger than all: the closest of all.
    EXPECT_EQ(pick({7680, 4320}), QStringLiteral("/pics/a5120x2880.png"));
}

TEST(BackgroundXml, TheSlideOfTheMomentInATimedSlideshow) {
    const QByteArray show =
        "<?xml version=\"1.0\"?>\n<!-- a slideshow -->\n<background>\n"
        "  <starttime><year>2020</year><month>1</month><day>1</day>"
        "<hour>0</hour><minute>0</minute><second>0</second></starttime>\n"
        "  <static><duration>100</duration><file>/p/a.jpg</file></static>\n"
        "  <transition type=\"overlay\"><duration>10</duration><from>/p/a.jpg</from>"
        "<to>/p/b.jpg</to></transition>\n"
        "  <static><duration>100</duration><file>/p/b.jpg</file></static>\n"
        "  <transition><duration>10</duration><from>/p/b.jpg</from><to>/p/a.jpg</to></transition>\n"
        "</background>\n";
    EXPECT_TRUE(tk::looksLikeBackgroundXml(show));
    const QDateTime start(QDate(2020, 1, 1), QTime(0, 0));
    auto at = [&](int seconds) {
        return tk::chooseBackground(show, QStringLiteral("/p/show.xml"), {1920, 1080},
                                    start.addSecs(seconds))
            .file;
    };
    EXPECT_EQ(at(50), QStringLiteral("/p/a.jpg"));
    EXPECT_EQ(at(104), QStringLiteral("/p/a.jpg"));  // early in the change to b
    EXPECT_EQ(at(107), QStringLiteral("/p/b.jpg"));  // mostly b already
    EXPECT_EQ(at(150), QStringLiteral("/p/b.jpg"));
    EXPECT_EQ(at(220 * 1000 + 50), QStringLiteral("/p/a.jpg"));  // round and round
    EXPECT_EQ(at(220 * 1000 + 160), QStringLiteral("/p/b.jpg"));
    EXPECT_EQ(at(-5000), QStringLiteral("/p/a.jpg"));  // before it starts: the first
}

TEST(BackgroundXml, WhatCannotBeResolvedIsToldWithTheFileName) {
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.xml"));
    write(empty, "<?xml version=\"1.0\"?>\n<background>\n</background>\n");
    tk::LoadedPicture p = tk::LoadPicture(empty);
    EXPECT_FALSE(p.ok());
    EXPECT_TRUE(p.error.contains(QStringLiteral("empty.xml"))) << p.error.toStdString();
    EXPECT_TRUE(p.error.contains(QStringLiteral("names no picture"))) << p.error.toStdString();

    const QString broken = dir.filePath(QStringLiteral("broken.xml"));
    write(broken, "<background><static><file>x.png</file></static>");
    p = tk::LoadPicture(broken);
    EXPECT_FALSE(p.ok());
    EXPECT_TRUE(p.error.contains(QStringLiteral("broken.xml"))) << p.error.toStdString();

    const QString missing = dir.filePath(QStringLiteral("missing.xml"));
    write(missing, "<background><static><file>gone.png</file></static></background>");
    p = tk::LoadPicture(missing);
    EXPECT_FALSE(p.ok());
    EXPECT_TRUE(p.error.contains(QStringLiteral("gone.png"))) << p.error.toStdString();
    EXPECT_TRUE(p.error.contains(QStringLiteral("missing.xml"))) << p.error.toStdString();

    // A description naming itself does not go round for ever.
    const QString self = dir.filePath(QStringLiteral("self.xml"));
    write(self, "<background><static><file>self.xml</file></static></background>");
    p = tk::LoadPicture(self);
    EXPECT_FALSE(p.ok());
    EXPECT_TRUE(p.error.contains(QStringLiteral("self.xml"))) << p.error.toStdString();

    // An SVG drawing is no description, although it is XML too.
    EXPECT_FALSE(tk::looksLikeBackgroundXml(kSvg));
}

TEST(BackgroundXml, RelativeNamesAndAPictureLoadedThroughIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("images")));
    write(dir.filePath(QStringLiteral("images/1920x1080.svg")), kSvg);
    write(dir.filePath(QStringLiteral("bg.xml")),
          "<background><static><duration>10</duration><file>"
          "<size width=\"1920\" height=\"1080\">images/1920x1080.svg</size>"
          "</file></static></background>");
    const tk::LoadedPicture p =
        tk::LoadPicture(dir.filePath(QStringLiteral("bg.xml")), {{800, 600}, Fit::Contain, {}});
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    EXPECT_EQ(p.image.size(), QSize(800, 400));
}

// Debian 12's stock GNOME background: desktop-base's description, one SVG
// per screen size.
TEST(BackgroundXml, DebianDesktopBase) {
    const QString xml = QStringLiteral("/usr/share/images/desktop-base/desktop-background.xml");
    ASSERT_TRUE(QFile::exists(xml)) << "desktop-base is not installed";
    QFile f(xml);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const tk::BackgroundChoice choice =
        tk::chooseBackground(f.readAll(), xml, {1920, 1080}, QDateTime::currentDateTime());
    ASSERT_TRUE(choice.error.isEmpty()) << choice.error.toStdString();
    EXPECT_TRUE(choice.file.endsWith(QStringLiteral("/1920x1080.svg")))
        << choice.file.toStdString();

    const tk::LoadedPicture p = tk::LoadPicture(xml, {{1920, 1080}, Fit::Cover, {}});
    ASSERT_TRUE(p.ok()) << p.error.toStdString();
    ASSERT_EQ(p.image.size(), QSize(1920, 1080));
    // The same pixels as the drawing rendered at that size.
    QImageReader reader(choice.file);
    reader.setScaledSize({1920, 1080});
    const QImage direct = reader.read().convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(direct.isNull());
    long differing = 0;
    for (int y = 0; y < 1080; y += 3) {
        for (int x = 0; x < 1920; x += 3) {
            differing += p.image.pixel(x, y) != direct.pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
    // Not one flat colour: something was drawn.
    EXPECT_NE(p.image.pixel(10, 10), p.image.pixel(1900, 1070));
}

}  // namespace
