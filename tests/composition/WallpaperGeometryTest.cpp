// Where each wallpaper pixel appears on a monitor in every picture mode, for
// a monitor smaller than, equal to and larger than the picture, at device
// pixel ratios 1, 1.25 and 2. The expected points are worked out by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "composition/WallpaperGeometry.h"

namespace {

using composition::logicalWindowRect;
using composition::Monitor;
using composition::WallpaperMapping;
using composition::WallpaperShow;
using desktop::PictureMode;

struct Known {
    QPointF device;     // monitor device pixels
    QPointF wallpaper;  // the wallpaper pixel shown there
};

struct ModeCase {
    const char* name;
    PictureMode mode;
    QSize device;   // the monitor's size in device pixels
    QRect visible;  // device pixels that show the picture
    std::vector<Known> points;
};

// The picture is 2000 x 1000 throughout.
// Smaller monitor 1000 x 800: zoom scales by 0.8 (1600 x 800, 300 cut each
// side), fit by 0.5 (1000 x 500, bars of 150), stretch by 0.5 across and 0.8
// down, centred hangs 500 over left and right and 100 over top and bottom.
// Larger monitor 3000 x 2000: zoom by 2 (4000 x 2000, 500 cut each side),
// fit by 1.5 (3000 x 1500, bars of 250), stretch 1.5 across and 2 down,
// centred at (500, 500).
const std::vector<ModeCase> kCases = {
    {"centred_smaller",
     PictureMode::Centered,
     {1000, 800},
     {0, 0, 1000, 800},
     {{{0, 0}, {500, 100}}, {{500, 400}, {1000, 500}}, {{999, 799}, {1499, 899}}}},
    {"centred_equal",
     PictureMode::Centered,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{0, 0}, {0, 0}}, {{1234, 567}, {1234, 567}}}},
    {"centred_larger",
     PictureMode::Centered,
     {3000, 2000},
     {500, 500, 2000, 1000},
     {{{500, 500}, {0, 0}}, {{1500, 1000}, {1000, 500}}}},
    {"tiled_smaller",
     PictureMode::Tiled,
     {1000, 800},
     {0, 0, 1000, 800},
     {{{0, 0}, {0, 0}}, {{999, 799}, {999, 799}}}},
    {"tiled_equal",
     PictureMode::Tiled,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{1234, 567}, {1234, 567}}}},
    {"tiled_larger",
     PictureMode::Tiled,
     {3000, 2000},
     {0, 0, 2000, 1000},
     {{{10, 20}, {10, 20}}, {{1999, 999}, {1999, 999}}}},
    {"zoom_smaller",
     PictureMode::Zoom,
     {1000, 800},
     {0, 0, 1000, 800},
     {{{0, 0}, {375, 0}}, {{500, 400}, {1000, 500}}, {{1000, 800}, {1625, 1000}}}},
    {"zoom_equal",
     PictureMode::Zoom,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{1234, 567}, {1234, 567}}}},
    {"zoom_larger",
     PictureMode::Zoom,
     {3000, 2000},
     {0, 0, 3000, 2000},
     {{{0, 0}, {250, 0}}, {{1500, 1000}, {1000, 500}}, {{3000, 2000}, {1750, 1000}}}},
    {"scaled_smaller",
     PictureMode::Scaled,
     {1000, 800},
     {0, 150, 1000, 500},
     {{{0, 150}, {0, 0}}, {{500, 400}, {1000, 500}}, {{1000, 650}, {2000, 1000}}}},
    {"scaled_equal",
     PictureMode::Scaled,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{1234, 567}, {1234, 567}}}},
    {"scaled_larger",
     PictureMode::Scaled,
     {3000, 2000},
     {0, 250, 3000, 1500},
     {{{0, 250}, {0, 0}}, {{1500, 1000}, {1000, 500}}, {{3000, 1750}, {2000, 1000}}}},
    {"stretched_smaller",
     PictureMode::Stretched,
     {1000, 800},
     {0, 0, 1000, 800},
     {{{100, 80}, {200, 100}}, {{1000, 800}, {2000, 1000}}}},
    {"stretched_equal",
     PictureMode::Stretched,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{1234, 567}, {1234, 567}}}},
    {"stretched_larger",
     PictureMode::Stretched,
     {3000, 2000},
     {0, 0, 3000, 2000},
     {{{300, 400}, {200, 200}}, {{3000, 2000}, {2000, 1000}}}},
    // One monitor: spanning is zooming.
    {"spanned_smaller",
     PictureMode::Spanned,
     {1000, 800},
     {0, 0, 1000, 800},
     {{{500, 400}, {1000, 500}}}},
    {"spanned_equal",
     PictureMode::Spanned,
     {2000, 1000},
     {0, 0, 2000, 1000},
     {{{1234, 567}, {1234, 567}}}},
    {"spanned_larger",
     PictureMode::Spanned,
     {3000, 2000},
     {0, 0, 3000, 2000},
     {{{1500, 1000}, {1000, 500}}}},
};

struct GeometryCase {
    ModeCase mode;
    double dpr;
};

std::vector<GeometryCase> allCases() {
    std::vector<GeometryCase> out;
    for (const ModeCase& m : kCases) {
        for (double dpr : {1.0, 1.25, 2.0}) {
            out.push_back({m, dpr});
        }
    }
    return out;
}

class GeometryTest : public ::testing::TestWithParam<GeometryCase> {
protected:
    // The monitor at (100, 50) in the virtual screen, given by its logical
    // size as the window system reports it.
    Monitor monitor() const {
        const GeometryCase& c = GetParam();
        return {QRect(100, 50, static_cast<int>(c.mode.device.width() / c.dpr),
                      static_cast<int>(c.mode.device.height() / c.dpr)),
                c.dpr};
    }
    WallpaperMapping mapping() const {
        WallpaperShow show;
        show.picture = QSize(2000, 1000);
        show.mode = GetParam().mode.mode;
        show.origin = QPoint(100, 50);  // the monitor's corner: where tiling starts
        show.span = monitor().deviceRect();
        return {show, monitor()};
    }
};

TEST_P(GeometryTest, KnownPointsAndTheVisibleRectangle) {
    const GeometryCase& c = GetParam();
    ASSERT_EQ(monitor().deviceSize(), c.mode.device);
    const WallpaperMapping m = mapping();
    EXPECT_EQ(m.visible(), c.mode.visible);
    for (const Known& k : c.mode.points) {
        const QPointF w = m.toWallpaper(k.device);
        EXPECT_NEAR(w.x(), k.wallpaper.x(), 1e-9)
            << "device " << k.device.x() << "," << k.device.y();
        EXPECT_NEAR(w.y(), k.wallpaper.y(), 1e-9)
            << "device " << k.device.x() << "," << k.device.y();
    }
}

TEST_P(GeometryTest, RoundTripsWithinHalfAPixel) {
    const WallpaperMapping m = mapping();
    const QRect v = m.visible();
    for (int i = 0; i <= 16; ++i) {
        for (int j = 0; j <= 16; ++j) {
            const QPoint screen(v.left() + v.width() * i / 16, v.top() + v.height() * j / 16);
            // The wallpaper pixel under it, as a whole pixel, and back.
            const QPointF w = m.toWallpaper(QPointF(screen) + QPointF(0.5, 0.5));
            const QPointF pixel(std::floor(w.x()) + 0.5, std::floor(w.y()) + 0.5);
            const QPointF back = m.toScreen(pixel);
            // One wallpaper pixel covers 1/scale device pixels.
            EXPECT_LE(std::abs(back.x() - screen.x() - 0.5), 0.5 / m.scaleX() + 1e-9);
            EXPECT_LE(std::abs(back.y() - screen.y() - 0.5), 0.5 / m.scaleY() + 1e-9);
            const QPointF exact = m.toScreen(w);
            EXPECT_NEAR(exact.x(), screen.x() + 0.5, 0.5);
            EXPECT_NEAR(exact.y(), screen.y() + 0.5, 0.5);
        }
    }
}

TEST_P(GeometryTest, TheWindowCoversTheVisiblePartInLogicalPixels) {
    const GeometryCase& c = GetParam();
    const QRect v = mapping().visible();
    const QRect w = logicalWindowRect(monitor(), v);
    EXPECT_EQ(w.topLeft(), QPoint(100 + static_cast<int>(std::lround(v.left() / c.dpr)),
                                  50 + static_cast<int>(std::lround(v.top() / c.dpr))));
    EXPECT_NEAR(w.width() * c.dpr, v.width(), c.dpr);
    EXPECT_NEAR(w.height() * c.dpr, v.height(), c.dpr);
    // Never beyond the monitor.
    EXPECT_TRUE(monitor().geometry.contains(w));
}

std::string caseName(const ::testing::TestParamInfo<GeometryCase>& info) {
    return std::string(info.param.mode.name) + "_dpr" +
           std::to_string(static_cast<int>(info.param.dpr * 100));
}

INSTANTIATE_TEST_SUITE_P(EveryModeSizeAndRatio, GeometryTest, ::testing::ValuesIn(allCases()),
                         caseName);

WallpaperMapping single(QSize picture, PictureMode mode, QSize monitorPixels, double dpr = 1) {
    WallpaperShow show;
    show.picture = picture;
    show.mode = mode;
    const Monitor m{QRect(QPoint(0, 0), monitorPixels / dpr), dpr};
    show.span = m.deviceRect();
    return {show, m};
}

TEST(WallpaperGeometry, ZoomOfA4kPictureOnAFullHdMonitor) {
    const WallpaperMapping m = single({3840, 2160}, PictureMode::Zoom, {1920, 1080});
    EXPECT_EQ(m.toWallpaper({1200, 700}), QPointF(2400, 1400));
    EXPECT_EQ(m.scaleY(), 2.0);
    EXPECT_FALSE(m.oneToOne());
}

TEST(WallpaperGeometry, FitLeavesBarsAboveAndBelow) {
    const WallpaperMapping m = single({1000, 500}, PictureMode::Scaled, {800, 600});
    EXPECT_EQ(m.shown(), QRectF(0, 100, 800, 400));
    EXPECT_EQ(m.visible(), QRect(0, 100, 800, 400));
}

TEST(WallpaperGeometry, CentredHalvesTowardZero) {
    // 481 and -1 pixels to share: 240 and 0, as the twips arithmetic gives.
    const WallpaperMapping m = single({800, 601}, PictureMode::Centered, {1281, 600});
    EXPECT_EQ(m.shown().topLeft(), QPointF(240, 0));
    EXPECT_EQ(m.visible(), QRect(240, 0, 800, 600));
    EXPECT_TRUE(m.oneToOne());
}

TEST(WallpaperGeometry, AScaleFactorOfTwoKeepsDevicePixelsOneToOne) {
    const WallpaperMapping m = single({2560, 1600}, PictureMode::Centered, {2560, 1600}, 2);
    EXPECT_TRUE(m.oneToOne());
    EXPECT_EQ(m.toWallpaper({1000, 600}), QPointF(1000, 600));
    EXPECT_EQ(logicalWindowRect({QRect(0, 0, 1280, 800), 2}, m.visible()), QRect(0, 0, 1280, 800));
}

TEST(WallpaperGeometry, AnOriginOnTheSecondMonitorAndBeyondIt) {
    WallpaperShow show;
    show.picture = {800, 600};
    show.atOrigin = true;
    show.origin = {1400, 100};
    const Monitor second{QRect(1280, 0, 1024, 768), 1};
    const WallpaperMapping m(show, second);
    EXPECT_EQ(m.visible(), QRect(120, 100, 800, 600));
    EXPECT_EQ(m.toWallpaper({120, 100}), QPointF(0, 0));
    EXPECT_EQ(logicalWindowRect(second, m.visible()), QRect(1400, 100, 800, 600));

    show.origin = {2000, 0};  // past the right edge of a 1280-wide monitor
    const WallpaperMapping off(show, Monitor{QRect(0, 0, 1280, 800), 1});
    EXPECT_TRUE(off.visible().isEmpty());

    show.origin = {1000, 500};  // partly on it: only that part
    const WallpaperMapping part(show, Monitor{QRect(0, 0, 1280, 800), 1});
    EXPECT_EQ(part.visible(), QRect(1000, 500, 280, 300));
}

TEST(WallpaperGeometry, SpannedAcrossTwoMonitors) {
    // 3840 x 1080 over two 1920 x 1080 monitors side by side: each shows its
    // half.
    WallpaperShow show;
    show.picture = {3840, 1080};
    show.mode = PictureMode::Spanned;
    show.span = QRect(0, 0, 3840, 1080);
    const WallpaperMapping right(show, Monitor{QRect(1920, 0, 1920, 1080), 1});
    EXPECT_EQ(right.toWallpaper({0, 0}), QPointF(1920, 0));
    EXPECT_EQ(right.visible(), QRect(0, 0, 1920, 1080));
    const WallpaperMapping left(show, Monitor{QRect(0, 0, 1920, 1080), 1});
    EXPECT_EQ(left.toWallpaper({1919, 1079}), QPointF(1919, 1079));
}

}  // namespace
