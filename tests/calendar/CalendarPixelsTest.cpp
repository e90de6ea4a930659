// The calendar drawn on a real picture surface: colours land where the
// layout puts them, and the background picture survives.
#include <gtest/gtest.h>

#include <QPainter>

#include "calendar/MonthDrawing.h"
#include "toolkit/Colors.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Units.h"

namespace {

bool regionHas(const QImage& img, QRect r, QColor want) {
    r = r.intersected(img.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (std::abs(c.red() - want.red()) < 40 && std::abs(c.green() - want.green()) < 40 &&
                std::abs(c.blue() - want.blue()) < 40) {
                return true;
            }
        }
    }
    return false;
}

class CalendarPixels : public ::testing::Test {
protected:
    void SetUp() override { tk::overrideDpi(96); }
    void TearDown() override { tk::overrideDpi(0); }
};

TEST_F(CalendarPixels, KindColoursLandInTheirColumnsOverTheBackgroundPicture) {
    // A checkered background picture that must survive the drawing.
    QImage background(400, 300, QImage::Format_RGB32);
    background.fill(QColor(0, 128, 0));
    {
        QPainter p(&background);
        p.fillRect(0, 0, 20, 20, Qt::magenta);
    }
    auto paper = std::make_shared<tk::PictureSurface>();
    paper->setAutoSize(true);
    paper->setPicture(background);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(18);
    paper->setScaleMode(tk::Unit::Twips);

    // White title, red Sunday, blue Saturday, yellow weekdays.
    const calendar::CalendarStyle style = calendar::styleFor(
        font, {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF}, paper->palette());
    calendar::drawMonth(*paper, QPointF(10, 20), QDate(1998, 2, 1), style);

    EXPECT_EQ(paper->scaleMode(), tk::Unit::Twips) << "positions are in points whatever the unit";
    EXPECT_EQ(style.shadow, tk::resolveColor(tk::SystemColors::GrayText, paper->palette()));
    const QImage img = paper->image();
    const double px = 96.0 / 72.0;  // pixels per point
    const auto cell = [&](int column, int row) {
        const double f = 18;
        return QRect(qRound((10 + (2 * column + 1) * f) * px), qRound((20 + (row + 3) * f) * px),
                     qRound(2 * f * px * 0.8), qRound(f * px));
    };
    EXPECT_TRUE(regionHas(img, cell(0, 0), Qt::red)) << "day 1, a Sunday, in red";
    EXPECT_TRUE(regionHas(img, cell(6, 0), Qt::blue)) << "day 7, a Saturday, in blue";
    EXPECT_TRUE(regionHas(img, cell(3, 1), Qt::yellow)) << "day 11, a Wednesday, in yellow";
    EXPECT_FALSE(regionHas(img, cell(3, 4), Qt::yellow)) << "row 4 of February 1998 is empty";
    const QRect title(qRound((10 + 18) * px), qRound(20 * px), qRound(100 * px), qRound(18 * px));
    EXPECT_TRUE(regionHas(img, title, Qt::white));
    // Only glyphs are painted: the background shows around them, and the
    // corner of the picture is untouched.
    EXPECT_EQ(img.pixelColor(5, 5), QColor(Qt::magenta));
    EXPECT_EQ(img.pixelColor(img.width() - 2, img.height() - 2), QColor(0, 128, 0));
    EXPECT_TRUE(regionHas(img, cell(3, 1), QColor(0, 128, 0)));

    // Drawing another month erases the first drawing, not the picture.
    paper->clear();
    calendar::drawMonth(*paper, QPointF(10, 20), QDate(1998, 8, 1), style);
    const QImage again = paper->image();
    EXPECT_FALSE(regionHas(again, cell(0, 0), Qt::red)) << "August 1998 starts on Saturday";
    EXPECT_TRUE(regionHas(again, cell(6, 0), Qt::blue));
    EXPECT_EQ(again.pixelColor(5, 5), QColor(Qt::magenta));
}

}  // namespace
