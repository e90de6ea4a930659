// The picture box's drawing state: units, text position, Cls and the
// persistent image.
#include <gtest/gtest.h>

#include <QFontMetricsF>

#include "toolkit/Colors.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Units.h"

namespace {

class PictureSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        tk::overrideDpi(96);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSizeF(12);
        paper.setFont(f);
    }
    void TearDown() override { tk::overrideDpi(0); }
    tk::PictureSurface paper{QSize(300, 150)};
};

TEST_F(PictureSurfaceTest, ScaleModeChangesTheUnitOfSizesAndPositions) {
    paper.setScaleMode(tk::Unit::Twips);
    EXPECT_DOUBLE_EQ(paper.ScaleWidth(), 4500);
    paper.setScaleMode(tk::Unit::Points);
    EXPECT_DOUBLE_EQ(paper.ScaleWidth(), 225);
    EXPECT_DOUBLE_EQ(paper.ScaleHeight(), 112.5);
    paper.setScaleMode(tk::Unit::Millimeters);
    EXPECT_NEAR(paper.ScaleWidth(), 300 * 25.4 / 96, 1e-9);

    paper.setScaleMode(tk::Unit::Points);
    paper.setCurrentX(72);
    paper.setScaleMode(tk::Unit::Twips);
    EXPECT_DOUBLE_EQ(paper.currentX(), 1440) << "the position stays put when the unit changes";
}

TEST_F(PictureSurfaceTest, PrintMovesToTheStartOfTheNextLine) {
    paper.setScaleMode(tk::Unit::Points);
    paper.setCurrentX(30);
    paper.setCurrentY(10);
    paper.Print(QStringLiteral("Su"));
    const QFontMetricsF fm(paper.font(), &paper.Image());
    EXPECT_DOUBLE_EQ(paper.currentX(), 0);
    EXPECT_NEAR(paper.currentY(), 10 + fm.height() * 72 / 96, 1e-9);
}

TEST_F(PictureSurfaceTest, TextWidthIsInTheCurrentUnit) {
    paper.setScaleMode(tk::Unit::Points);
    const double points = paper.TextWidth(QStringLiteral("3"));
    paper.setScaleMode(tk::Unit::Twips);
    EXPECT_NEAR(paper.TextWidth(QStringLiteral("3")), points * 20, 1e-9);
    EXPECT_GT(points, 3);
    EXPECT_LT(points, 12);
}

// Small text is drawn directly, large text from a cached rendering; both
// put the line's top at CurrentY and paint only the glyphs.
TEST_F(PictureSurfaceTest, PrintPutsTheTopOfTheLineAtCurrentY) {
    paper.resize(QSize(400, 300));
    for (const double points : {12.0, 60.0}) {
        for (const bool underline : {false, true}) {
            QFont f = paper.font();
            f.setPointSizeF(points);
            f.setUnderline(underline);
            paper.setFont(f);
            paper.setBackColor(0x00FFFFFF);
            paper.Cls();
            paper.setForeColor(0x000000FF);  // red
            paper.setScaleMode(tk::Unit::Points);
            paper.setCurrentX(15);  // 20 pixels
            paper.setCurrentY(30);  // 40 pixels
            paper.Print(QStringLiteral("H"));
            const QImage& img = paper.Image();
            QRect inked;
            for (int y = 0; y < img.height(); ++y) {
                for (int x = 0; x < img.width(); ++x) {
                    const QColor c = img.pixelColor(x, y);
                    if (c != Qt::white) {
                        EXPECT_GT(c.red(), 200) << "only the text colour over white";
                        inked |= QRect(x, y, 1, 1);
                    }
                }
            }
            const QFontMetricsF fm(paper.font(), &img);
            SCOPED_TRACE(testing::Message() << points << " pt, underline " << underline);
            EXPECT_GE(inked.top(), 40);
            EXPECT_LT(inked.top(), 40 + fm.ascent() * 0.5)
                << "a capital reaches near the line's top";
            EXPECT_GE(inked.left(), 19);
            EXPECT_LT(inked.left(), 20 + fm.horizontalAdvance(QStringLiteral("H")) * 0.3);
            if (underline) {
                EXPECT_GT(inked.bottom(), 40 + fm.ascent())
                    << "the underline lies below the baseline";
            } else {
                EXPECT_LE(inked.bottom(), 40 + fm.ascent() + 1)
                    << "a capital stops at the baseline";
            }
        }
    }
}

TEST_F(PictureSurfaceTest, ClsErasesDrawingKeepsPictureAndResetsPosition) {
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    paper.setPicture(picture);
    paper.setForeColor(0x00FFFFFF);
    paper.setCurrentX(0);
    paper.setCurrentY(0);
    paper.Print(QStringLiteral("████"));
    EXPECT_NE(paper.Image(), picture);
    paper.setCurrentX(50);
    paper.Cls();
    EXPECT_EQ(paper.Image().convertToFormat(QImage::Format_RGB32), picture);
    EXPECT_DOUBLE_EQ(paper.currentX(), 0);
    EXPECT_DOUBLE_EQ(paper.currentY(), 0);
}

TEST_F(PictureSurfaceTest, AutoSizeTakesThePictureSizeAndGrowingKeepsTheDrawing) {
    paper.setAutoSize(true);
    QImage picture(64, 32, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    paper.setPicture(picture);
    EXPECT_EQ(paper.pixelSize(), QSize(64, 32));
    paper.setAutoSize(false);
    paper.resize(QSize(100, 50));
    EXPECT_EQ(paper.Image().pixelColor(10, 10), QColor(Qt::red));
}

TEST_F(PictureSurfaceTest, SystemColoursResolveThroughThePalette) {
    QPalette pal;
    pal.setColor(QPalette::Active, QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::Disabled, QPalette::Text, QColor(150, 151, 152));
    EXPECT_EQ(tk::resolveColor(tk::SystemColors::WindowBackground, pal), QColor(1, 2, 3));
    EXPECT_EQ(tk::resolveColor(tk::SystemColors::GrayText, pal), QColor(150, 151, 152));
    EXPECT_EQ(tk::resolveColor(0x00FF0000, pal), QColor(0, 0, 255)) << "0x00BBGGRR";
    EXPECT_EQ(tk::toBgr(QColor(0, 255, 0)), 0x0000FF00);

    paper.setPalette(pal);
    paper.setBackColor(tk::SystemColors::WindowBackground);
    paper.Cls();
    EXPECT_EQ(paper.Image().pixelColor(0, 0), QColor(1, 2, 3));
}

}  // namespace
