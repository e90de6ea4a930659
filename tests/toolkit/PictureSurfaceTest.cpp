// The picture box's drawing state: units, text, clearing and the
// persistent image.
#include <gtest/gtest.h>

#include <QCursor>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <stdexcept>
#include <vector>

#include "toolkit/BusyPointer.h"
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
    EXPECT_DOUBLE_EQ(paper.scaleWidth(), 4500);
    paper.setScaleMode(tk::Unit::Points);
    EXPECT_DOUBLE_EQ(paper.scaleWidth(), 225);
    EXPECT_DOUBLE_EQ(paper.scaleHeight(), 112.5);
    paper.setScaleMode(tk::Unit::Millimeters);
    EXPECT_NEAR(paper.scaleWidth(), 300 * 25.4 / 96, 1e-9);
}

TEST_F(PictureSurfaceTest, TextWidthIsInPointsWhateverTheUnit) {
    paper.setScaleMode(tk::Unit::Twips);
    const double points = paper.textWidth(QStringLiteral("3"));
    const QFontMetricsF fm(paper.font(), &paper.image());
    EXPECT_NEAR(points, fm.horizontalAdvance(QStringLiteral("3")) * 72 / 96, 1e-9);
    EXPECT_GT(points, 3);
    EXPECT_LT(points, 12);
}

// Small text is drawn directly, large text from a cached rendering; both
// put the line's top at the given corner and paint only the glyphs.
TEST_F(PictureSurfaceTest, DrawTextPutsTheTopOfTheLineAtTheCorner) {
    paper.resize(QSize(400, 300));
    for (const double points : {12.0, 60.0}) {
        for (const bool underline : {false, true}) {
            QFont f = paper.font();
            f.setPointSizeF(points);
            f.setUnderline(underline);
            paper.setFont(f);
            paper.setBackColor(0x00FFFFFF);
            paper.clear();
            // 15, 30 points are 20, 40 pixels.
            paper.drawText(QPointF(15, 30), QStringLiteral("H"), Qt::red);
            const QImage& img = paper.image();
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

TEST_F(PictureSurfaceTest, ClearErasesDrawingAndKeepsPicture) {
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(QColor(10, 20, 30));
    paper.setPicture(picture);
    paper.drawText(QPointF(0, 0), QStringLiteral("████"), Qt::white);
    EXPECT_NE(paper.image(), picture);
    paper.clear();
    EXPECT_EQ(paper.image().convertToFormat(QImage::Format_RGB32), picture);
}

TEST_F(PictureSurfaceTest, AutoSizeTakesThePictureSizeAndGrowingKeepsTheDrawing) {
    paper.setAutoSize(true);
    QImage picture(64, 32, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    paper.setPicture(picture);
    EXPECT_EQ(paper.pixelSize(), QSize(64, 32));
    paper.setAutoSize(false);
    paper.resize(QSize(100, 50));
    EXPECT_EQ(paper.image().pixelColor(10, 10), QColor(Qt::red));
}

TEST(BusyPointer, BusyWhileAliveAndTheEarlierPointerAfterwardsAlsoOnAThrow) {
    try {
        const tk::BusyPointer busy;
        const tk::BusyPointer nested;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        throw std::runtime_error("drawing failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
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
    paper.clear();
    EXPECT_EQ(paper.image().pixelColor(0, 0), QColor(1, 2, 3));
}

}  // namespace
