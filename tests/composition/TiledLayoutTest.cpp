// GNOME's own mappings (a spanned picture stretched over the monitors, tiles
// centred on them) and the block of tiles the finish writes for a calendar on
// a tiled wallpaper. The squashed calendar is checked on the real GNOME Shell
// (tests/e2e/desktop_gnome.sh).
#include <gtest/gtest.h>

#include <QColor>

#include "composition/TiledLayout.h"

namespace {

using composition::Monitor;
using composition::WallpaperMapping;
using composition::WallpaperShow;
using desktop::PictureMode;

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
    auto layout = composition::tiledLayout(tiles(PictureMode::TiledCentred), monitor,
                                           QRectF(500, 310, 100, 50));
    EXPECT_EQ(layout.size, QSize(300, 200));
    EXPECT_EQ(layout.offset, QPoint(0, 0));
    EXPECT_TRUE(layout.tiled);
    // Across a tile's right edge at x 790: a block two tiles wide, which
    // GNOME centres at (1280 - 600) / 2 = 340, 150 before the tile at 490.
    layout = composition::tiledLayout(tiles(PictureMode::TiledCentred), monitor,
                                      QRectF(700, 310, 200, 50));
    EXPECT_EQ(layout.size, QSize(600, 200));
    EXPECT_EQ(layout.offset, QPoint(450, 0));  // -150, within the block's period
    EXPECT_EQ(composition::parseLayoutText(composition::layoutText(layout))->offset, layout.offset);
    // Tiles from the corner: no block up to the monitor's width holds 250 to 1250.
    layout =
        composition::tiledLayout(tiles(PictureMode::Tiled), monitor, QRectF(250, 10, 1000, 50));
    EXPECT_FALSE(layout.tiled);
    EXPECT_EQ(layout.size, QSize(1280, 800));
    EXPECT_FALSE(composition::parseLayoutText(QStringLiteral("0x5+1+1 tiled")));

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
        composition::composeLayout(tile, {QSize(600, 200), QPoint(150, 0), true}, {});
    EXPECT_EQ(block.size(), QSize(600, 200));
    EXPECT_EQ(QColor(block.pixel(149, 5)), QColor(Qt::blue));
    EXPECT_EQ(QColor(block.pixel(150, 5)), QColor(Qt::red));
    EXPECT_EQ(QColor(block.pixel(450, 5)), QColor(Qt::red));
}

// GNOME over a solid colour stretches the one tile over each monitor, rolled
// to start with the column and row of the tile centred on all monitors: on a
// 1024 x 768 monitor right of a 1280 x 800 one that tile's corner is at
// (2304 - 300) / 2 - 1280 = -278, (800 - 200) / 2 = 300.
TEST(TiledLayout, ATileStretchedOverAMonitorBesideAnother) {
    WallpaperShow show = tiles(PictureMode::TiledStretched);
    show.span = QRect(0, 0, 2304, 800);
    const WallpaperMapping m(show, Monitor{QRect(1280, 0, 1024, 768), 1});
    ASSERT_TRUE(m.stretchesTile());
    const composition::PictureLayout layout = composition::stretchedTileLayout(m);
    EXPECT_EQ(layout.size, QSize(1024, 768));
    EXPECT_EQ(layout.offset, QPoint(278, 100));
    EXPECT_TRUE(composition::parseLayoutText(composition::layoutText(layout))->stretched);
}

}  // namespace
