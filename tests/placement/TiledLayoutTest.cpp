// GNOME's own mappings (a spanned picture stretched over the monitors, tiles
// centred on them), the block of tiles the finish writes for a calendar on a
// tiled wallpaper, and a calendar squashed for a desktop that stretches.
#include <gtest/gtest.h>

#include <QColor>

#include "placement/TiledLayout.h"

namespace {

using desktop::PictureMode;
using placement::Monitor;
using placement::WallpaperMapping;
using placement::WallpaperShow;

WallpaperShow tiles(PictureMode mode) {
    WallpaperShow show;
    show.picture = {300, 200};
    show.mode = mode;
    show.span = QRect(0, 0, 1280, 800);
    show.wholeTiledMonitor = true;
    return show;
}

TEST(TiledLayout, MutterMappingsAndBlocksOfTiles) {
    const Monitor monitor{QRect(0, 0, 1280, 800), 1};
    WallpaperShow spanned = tiles(PictureMode::SpannedStretched);
    spanned.picture = {3000, 1000};
    const WallpaperMapping s(spanned, monitor);
    EXPECT_NEAR(1 / s.scaleX(), 0.42667, 1e-5);
    EXPECT_NEAR(1 / s.scaleY(), 0.8, 1e-9);

    // A tile in the middle: (1280 - 300) / 2, (800 - 200) / 2; the window
    // shows the whole monitor.
    const WallpaperMapping t(tiles(PictureMode::TiledCentred), monitor);
    EXPECT_EQ(t.shown(), QRectF(490, 300, 300, 200));
    EXPECT_EQ(t.visible(), QRect(0, 0, 1280, 800));
    EXPECT_TRUE(t.tiled());

    // Inside one tile: that tile, from where the desktop starts it.
    auto layout = placement::tiledLayout(tiles(PictureMode::TiledCentred), monitor,
                                         QRectF(500, 310, 100, 50));
    EXPECT_EQ(layout.size, QSize(300, 200));
    EXPECT_EQ(layout.offset, QPoint(0, 0));
    EXPECT_TRUE(layout.tiled);
    // Across a tile's right edge at x 790: a block two tiles wide, which
    // GNOME centres at (1280 - 600) / 2 = 340, 150 before the tile at 490.
    layout = placement::tiledLayout(tiles(PictureMode::TiledCentred), monitor,
                                    QRectF(700, 310, 200, 50));
    EXPECT_EQ(layout.size, QSize(600, 200));
    EXPECT_EQ(layout.offset, QPoint(450, 0));  // -150, within the block's period
    EXPECT_EQ(placement::parseLayoutText(placement::layoutText(layout))->offset, layout.offset);
    // Tiles from the corner: no block up to the monitor's width holds 250 to 1250.
    layout = placement::tiledLayout(tiles(PictureMode::Tiled), monitor, QRectF(250, 10, 1000, 50));
    EXPECT_FALSE(layout.tiled);
    EXPECT_EQ(layout.size, QSize(1280, 800));
    EXPECT_FALSE(placement::parseLayoutText(QStringLiteral("0x5+1+1 tiled")));

    // The block holds the tiles from its offset on: a tile whose left half
    // is red shows red at the block's x 150 (a tile's x 0).
    QImage tile(300, 200, QImage::Format_RGB32);
    tile.fill(Qt::blue);
    for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 150; ++x) {
            tile.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    const QImage block =
        placement::composeLayout(tile, {QSize(600, 200), QPoint(150, 0), true}, {});
    EXPECT_EQ(block.size(), QSize(600, 200));
    EXPECT_EQ(QColor(block.pixel(149, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(block.pixel(150, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(block.pixel(450, 5)), QColor(Qt::red));
}

TEST(TiledLayout, UnevenStretchSquashesTheCalendar) {
    // Drawn on 1000 x 1000 for a desktop that shows it at 1280 x 800: the
    // calendar's ink in the file, stretched back by 1.28 and 0.8, is the ink
    // of the calendar drawn straight at that size.
    QImage grey(1000, 1000, QImage::Format_RGB32);
    grey.fill(QColor(64, 64, 64));
    PlacedCalendar c;
    c.at = {100, 100};
    c.fontPixels = 17.0 / 0.8;
    c.face = QStringLiteral("Liberation Sans");
    c.colors = {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF};
    c.kx = 1.28;
    c.ky = 0.8;
    auto inkOf = [](const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qRed(image.pixel(x, y)) > 160) {
                    box |= QRect(x, y, 1, 1);
                }
            }
        }
        return box;
    };
    const QRect squashed = inkOf(composeCalendars(grey, {c}));
    PlacedCalendar straight = c;
    straight.kx = straight.ky = 1;
    straight.at = {128, 80};
    straight.fontPixels = 17;
    const QRect device = inkOf(composeCalendars(QImage(grey.scaled(1280, 800)), {straight}));
    EXPECT_NEAR(squashed.x() * 1.28, device.x(), 1.5);
    EXPECT_NEAR(squashed.y() * 0.8, device.y(), 1.5);
    EXPECT_NEAR(squashed.width() * 1.28, device.width(), device.width() * 0.02 + 1.5);
    EXPECT_NEAR(squashed.height() * 0.8, device.height(), device.height() * 0.02 + 1.5);
}

}  // namespace
